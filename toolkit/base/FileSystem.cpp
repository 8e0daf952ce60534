// FileSystem over the system's calls of FileSystemCalls.h. Paths are UTF-8 text of at most
// 1024 bytes; longer ones fail rather than being cut.
#include "toolkit/base/FileSystem.h"

#include <cstring>

#include "toolkit/base/FileSystemCalls.h"
#include "toolkit/base/FullPath.h"
#include "toolkit/base/PathName.h"

namespace {

constexpr int kMaxPath = 1024;

bool EndsWithSeparator(const String& path) {
    return !path.IsEmpty() && IsPathSeparator(path.GetAt(path.Length() - 1));
}

bool IsDotEntry(const String& name) {
    return name == "." || name == "..";
}

}  // namespace

FileSystem::FileSystem() {
    buffer_[0] = 0;
}

bool FileSystem::FileExists(const String& path) {
    if (path.IsEmpty() || path.Length() >= kMaxPath)
        return false;
    if (filecalls::KindOf(path) == filecalls::Kind::kMissing)
        return false;
    String full;
    SetBuffer(MakeFullPath(path.Text(), full) ? full : String());
    return true;
}

bool FileSystem::FolderExists(const String& path) {
    if (path.IsEmpty() || path.Length() >= kMaxPath)
        return false;
    String trimmed = path;
    // A drive root keeps its separator: "C:" alone would name the drive's current folder.
    if (EndsWithSeparator(trimmed) && !(trimmed.Length() == 3 && trimmed.GetAt(1) == ':'))
        trimmed.SetLength(trimmed.Length() - 1, true);
    if (trimmed.IsEmpty())
        return false;
    const String last = trimmed.Mid(LastPathSeparator(trimmed) + 1);
    if (last.Find('*') < 0)
        return filecalls::KindOf(trimmed) == filecalls::Kind::kFolder;
    filecalls::FolderEntries entries(trimmed);
    String name;
    bool isFolder = false;
    int folders = 0;
    while (entries.Next(name, isFolder)) {
        if (isFolder && !IsDotEntry(name))
            folders++;
    }
    return folders == 1;
}

bool FileSystem::CreateFolder(const String& path) {
    if (path.IsEmpty() || path.Length() >= kMaxPath)
        return false;
    String folder = path;
    if (withSeparator_ && EndsWithSeparator(folder))
        folder.SetLength(folder.Length() - 1, true);
    if (folder.IsEmpty())
        return false;
    bool parentMissing = false;
    if (filecalls::MakeFolder(folder, parentMissing))
        return true;
    if (!parentMissing)
        return false;
    const int cut = LastPathSeparator(folder);
    if (cut <= 0)
        return false;
    String parent = folder.Left(cut);
    if (withSeparator_)
        parent.Append('\\');
    // A parent that appeared meanwhile (another writer) is as good as one made here.
    if (!CreateFolder(parent) && !FolderExists(parent))
        return false;
    return filecalls::MakeFolder(folder, parentMissing);
}

String FileSystem::TempFolder() {
    String folder = filecalls::TemporaryFolder();
    if (folder.IsEmpty() || folder.Length() >= kMaxPath)
        return String();
    const bool hasSeparator = EndsWithSeparator(folder);
    if (withSeparator_ && !hasSeparator)
        folder.Append('\\');
    if (!withSeparator_ && hasSeparator)
        folder.SetLength(folder.Length() - 1, true);
    SetBuffer(folder);
    return folder;
}

String FileSystem::TempFileName() {
    const bool saved = withSeparator_;
    withSeparator_ = false;
    const String folder = TempFolder();
    withSeparator_ = saved;
    String name;
    if (folder.IsEmpty() || !filecalls::NewTemporaryFile(folder, name) || name.Length() >= kMaxPath)
        return String();
    SetBuffer(name);
    return name;
}

bool FileSystem::Copy(const String& from, const String& to, bool overwrite) {
    if (from.IsEmpty() || to.IsEmpty())
        return false;
    return filecalls::Copy(from, to, overwrite);
}

bool FileSystem::ShellOpen(const String& file, const String& parameters, int show) {
    if (file.IsEmpty())
        return false;
    return filecalls::ShellOpen(file, parameters, show);
}

void FileSystem::ListFolder(const String& pattern, StringList& list, int flags) {
    if (pattern.IsEmpty() || pattern.Length() >= kMaxPath)
        return;
    const int cut = LastPathSeparator(pattern);
    const String folder = pattern.Left(cut + 1);
    String mask = pattern.Mid(cut + 1);
    if (mask.IsEmpty())
        mask = "*.*";
    ListInto(folder, mask, String(""), list, flags);
}

void FileSystem::ListInto(const String& folder, const String& mask, const String& prefix, StringList& list, int flags) {
    const String pattern = folder + mask.Text();
    if (pattern.Length() >= kMaxPath)
        return;
    String name;
    bool isFolder = false;
    {
        filecalls::FolderEntries entries(pattern);
        while (entries.Next(name, isFolder)) {
            if (IsDotEntry(name))
                continue;
            if (isFolder && (flags & kListFolders))
                list.AddString((prefix + name.Text() + "\\").Text());
            if (!isFolder && (flags & kListFiles))
                list.AddString((prefix + name.Text()).Text());
        }
    }
    if (!(flags & kListRecurse))
        return;
    // Subfolders are searched with "*.*" whatever the mask, then listed with the mask inside.
    filecalls::FolderEntries folders(folder + "*.*");
    while (folders.Next(name, isFolder)) {
        if (IsDotEntry(name) || !isFolder)
            continue;
        ListInto(folder + name.Text() + "\\", mask, prefix + name.Text() + "\\", list, flags);
    }
}

void FileSystem::SetBuffer(const String& path) {
    const int length = path.Length() < kMaxPath ? path.Length() : 0;
    memcpy(buffer_, path.Text(), length);
    buffer_[length] = 0;
}

int64_t FileSystem::FileSize(const String& path) {
    if (path.IsEmpty() || path.Length() >= kMaxPath)
        return -1;
    return filecalls::SizeOf(path);
}

bool RemoveFile(const String& path) {
    return !path.IsEmpty() && filecalls::Remove(path);
}
