// MakeFullPath over the current folder: the components are resolved by text, as Windows
// does, so ".." after a symbolic link leaves the link's name rather than following it.
#include "toolkit/base/FullPath.h"

#include <unistd.h>

#include "toolkit/base/Array.h"
#include "toolkit/base/PathName.h"

namespace {

constexpr int kMaxPath = 1024;

}  // namespace

bool MakeFullPath(const char* path, String& full) {
    if (!path || !*path)
        return false;
    String joined;
    if (!IsPathSeparator(path[0])) {
        char folder[kMaxPath];
        if (!getcwd(folder, sizeof(folder)))
            return false;
        joined = folder;
        joined += '/';
    }
    joined += path;
    StringList parts;
    int start = 0;
    for (int i = 0; i <= joined.Length(); i++) {
        if (i < joined.Length() && !IsPathSeparator(joined.GetAt(i)))
            continue;
        const String part = joined.Mid(start, i - start);
        start = i + 1;
        if (part == "..") {
            if (parts.Count() > 0)
                parts.RemoveAt(parts.Count() - 1);
        } else if (!part.IsEmpty() && !(part == ".")) {
            parts.AddString(part.Text());
        }
    }
    String result;
    for (int i = 0; i < parts.Count(); i++) {
        result += '\\';
        result += parts.At(i).Text();
    }
    // A trailing separator stays, as Windows keeps it ("out/" names the folder "out\").
    const char last = joined.GetAt(joined.Length() - 1);
    if (result.IsEmpty() || IsPathSeparator(last))
        result += '\\';
    if (result.Length() >= kMaxPath)
        return false;
    full = result;
    return true;
}

int LocalRootLength(const String& full) {
    // The one "\" of the file system's root.
    return full.IsEmpty() ? 0 : 1;
}
