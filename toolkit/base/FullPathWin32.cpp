// MakeFullPath through GetFullPathNameA.
#include "toolkit/base/FullPath.h"

#include <windows.h>

namespace {

constexpr int kMaxPath = 1024;

}  // namespace

bool MakeFullPath(const char* path, String& full) {
    if (!path || !*path)
        return false;
    char buffer[kMaxPath];
    const DWORD length = GetFullPathNameA(path, kMaxPath, buffer, nullptr);
    if (length == 0 || length >= static_cast<DWORD>(kMaxPath))
        return false;
    full = buffer;
    return true;
}

int LocalRootLength(const String& full) {
    // "C:\"
    return full.Length() < 3 ? full.Length() : 3;
}
