// Key folder rules; see KeyFolders.h.
#include "settings/KeyFolders.h"

#include "settings/Settings.h"
#include "toolkit/base/PathName.h"

String MainKeyFolder(const String& programFolder) {
    return programFolder + "Keys\\";
}

namespace {

// A drive-letter path ("C:\...") or a UNC path: a relative value would silently follow the
// current folder of whoever started the program.
bool IsAbsolutePathText(const String& text) {
    if (PathName::IsUnc(text))
        return true;
    const char drive = text.Length() >= 3 ? text.GetAt(0) : '\0';
    const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return letter && text.GetAt(1) == ':' && text.GetAt(2) == '\\';
}

}  // namespace

bool IsUsableUserKeyFolder(const String& folder) {
    if (!IsAbsolutePathText(folder) || folder.GetAt(folder.Length() - 1) != '\\')
        return false;
    const PathName path(folder);
    if (path.Kind() != PathName::kLocal && path.Kind() != PathName::kUnc)
        return false;
    if (!path.IsSubFolderPath())
        return false;
    // The first folder of a UNC path is its share: "\\server\share\" is a root too.
    const String below = path.GetFolder();
    return path.Kind() == PathName::kLocal || below.Find('\\') < below.Length() - 1;
}

String ResolveKeyFolder(const String& stored, const String& programFolder) {
    if (!IsUsableUserKeyFolder(stored))
        return MainKeyFolder(programFolder);
    return PathName(stored).GetPath();
}

String SharedKeyFolder::Get() const {
    ScopedLock hold(lock_);
    return folder_;
}

void SharedKeyFolder::Set(const String& folder) {
    ScopedLock hold(lock_);
    folder_ = folder;
}

String LoadActiveKeyFolder(const String& programFolder) {
    return ResolveKeyFolder(ReadUserKeyFolder(), programFolder);
}

bool IsUserKeyFolderActive(const String& active, const String& programFolder) {
    return active.CompareNoCase(MainKeyFolder(programFolder)) != 0;
}

String AcceptBrowsedFolder(const String& result) {
    String folder = result;
    if (!folder.IsEmpty() && folder.GetAt(folder.Length() - 1) != '\\')
        folder.Append('\\');
    if (!IsUsableUserKeyFolder(folder))
        return String();
    return PathName(folder).GetPath();
}

void UseMainKeyFolder(SharedKeyFolder& active, const String& programFolder) {
    active.Set(MainKeyFolder(programFolder));
    WriteUserKeyFolder("");
}

bool UseUserKeyFolder(SharedKeyFolder& active, const String& browsed) {
    const String folder = AcceptBrowsedFolder(browsed);
    if (folder.IsEmpty())
        return false;
    active.Set(folder);
    WriteUserKeyFolder(folder);
    return true;
}
