// FileSystem implementation over kernel32 and shell32. Paths are ANSI text of at most
// 1024 bytes; longer ones fail rather than being cut.
#include "toolkit/base/FileSystem.h"

#include <shellapi.h>

#include <cstring>

#include "toolkit/base/PathName.h"

namespace {

constexpr int kMaxPath = 1024;
constexpr int kTempPathLimit = 260;

bool EndsWithSeparator(const String& path) {
    return !path.IsEmpty() && IsPathSeparator(path.GetAt(path.Length() - 1));
}

bool IsDotEntry(const char* name) {
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

bool IsFolderEntry(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Closes a FindFirstFileA search when it goes out of scope.
class FindHandle {
public:
    FindHandle(const char* pattern, WIN32_FIND_DATAA& entry) : handle_(FindFirstFileA(pattern, &entry)) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& entry) { return FindNextFileA(handle_, &entry) != 0; }

private:
    HANDLE handle_;
};

}  // namespace

FileSystem::FileSystem() {
    buffer_[0] = 0;
}

bool FileSystem::FileExists(const String& path) {
    if (path.IsEmpty() || path.Length() >= kMaxPath)
        return false;
    if (GetFileAttributesA(path.Text()) == INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD length = GetFullPathNameA(path.Text(), kMaxPath, buffer_, nullptr);
    if (length == 0 || length >= static_cast<DWORD>(kMaxPath))
        buffer_[0] = 0;
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
    if (last.Find('*') < 0) {
        const DWORD attributes = GetFileAttributesA(trimmed.Text());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    WIN32_FIND_DATAA entry;
    FindHandle search(trimmed.Text(), entry);
    if (!search.IsValid())
        return false;
    int folders = 0;
    do {
        if (IsFolderEntry(entry) && !IsDotEntry(entry.cFileName))
            folders++;
    } while (search.Next(entry));
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
    if (CreateDirectoryA(folder.Text(), nullptr))
        return true;
    if (GetLastError() != ERROR_PATH_NOT_FOUND)
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
    return CreateDirectoryA(folder.Text(), nullptr) != 0;
}

String FileSystem::TempFolder() {
    char shortPath[kTempPathLimit + 1];
    const DWORD length = GetTempPathA(kTempPathLimit, shortPath);
    if (length == 0 || length > static_cast<DWORD>(kTempPathLimit))
        return String();
    const DWORD longLength = GetLongPathNameA(shortPath, buffer_, kMaxPath);
    if (longLength == 0 || longLength >= static_cast<DWORD>(kMaxPath))
        strcpy(buffer_, shortPath);
    String folder(buffer_);
    const bool hasSeparator = EndsWithSeparator(folder);
    if (withSeparator_ && !hasSeparator)
        folder.Append('\\');
    if (!withSeparator_ && hasSeparator)
        folder.SetLength(folder.Length() - 1, true);
    return folder;
}

String FileSystem::TempFileName() {
    const bool saved = withSeparator_;
    withSeparator_ = false;
    const String folder = TempFolder();
    withSeparator_ = saved;
    if (folder.IsEmpty())
        return String();
    // GetTempFileNameA writes up to MAX_PATH bytes.
    char name[MAX_PATH + 1];
    if (GetTempFileNameA(folder.Text(), "tmp", 0, name) == 0)
        return String();
    strcpy(buffer_, name);
    return String(name);
}

bool FileSystem::CopyFile(const String& from, const String& to, bool overwrite) {
    if (from.IsEmpty() || to.IsEmpty())
        return false;
    return ::CopyFileA(from.Text(), to.Text(), overwrite ? FALSE : TRUE) != 0;
}

bool FileSystem::ShellOpen(const String& file, const String& parameters, int show) {
    if (file.IsEmpty())
        return false;
    const char* arguments = parameters.IsEmpty() ? nullptr : parameters.Text();
    const HINSTANCE result = ShellExecuteA(nullptr, "open", file.Text(), arguments, nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
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
    WIN32_FIND_DATAA entry;
    {
        FindHandle search(pattern.Text(), entry);
        if (search.IsValid()) {
            do {
                if (IsDotEntry(entry.cFileName))
                    continue;
                const bool isFolder = IsFolderEntry(entry);
                if (isFolder && (flags & kListFolders))
                    list.AddString((prefix + entry.cFileName + "\\").Text());
                if (!isFolder && (flags & kListFiles))
                    list.AddString((prefix + entry.cFileName).Text());
            } while (search.Next(entry));
        }
    }
    if (!(flags & kListRecurse))
        return;
    // Subfolders are searched with "*.*" whatever the mask, then listed with the mask inside.
    FindHandle folders((folder + "*.*").Text(), entry);
    if (!folders.IsValid())
        return;
    do {
        if (IsDotEntry(entry.cFileName) || !IsFolderEntry(entry))
            continue;
        const String name(entry.cFileName);
        ListInto(folder + name.Text() + "\\", mask, prefix + name.Text() + "\\", list, flags);
    } while (folders.Next(entry));
}
