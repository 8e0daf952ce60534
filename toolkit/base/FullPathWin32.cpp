// MakeFullPath through GetFullPathNameW.
#include "toolkit/base/FullPath.h"

#include <windows.h>

#include "toolkit/base/TextCodec.h"

namespace {

constexpr int kMaxPath = 1024;

}  // namespace

bool MakeFullPath(const char* path, String& full) {
    if (!path || !*path)
        return false;
    wchar_t buffer[kMaxPath];
    const DWORD length = GetFullPathNameW(WideText(path), kMaxPath, buffer, nullptr);
    if (length == 0 || length >= static_cast<DWORD>(kMaxPath))
        return false;
    full = Utf8FromWide(buffer, length);
    return true;
}

int LocalRootLength(const String& full) {
    // "C:\"
    return full.Length() < 3 ? full.Length() : 3;
}
