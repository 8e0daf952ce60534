// FileSystem implementation over kernel32 and shell32. Paths are UTF-8 text of at most
// 1024 bytes, handed to the wide calls; longer ones fail rather than being cut.
#include "toolkit/base/FileSystem.h"

#include <shellapi.h>

#include <cstring>

#include "toolkit/base/PathName.h"
#include "toolkit/base/TextCodec.h"

namespace {

constexpr int kMaxPath = 1024;
constexpr int kTempPathLimit = 260;

bool EndsWithSeparator(const String& path) {
    return !path.IsEmpty() && IsPathSeparator(path.GetAt(path.Length() - 1));
}

bool IsDotEntry(const wchar_t* name) {
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

bool IsFolderEntry(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Closes a FindFirstFileW search when it goes out of scope.
class FindHandle {
public:
    FindHandle(const String& pattern, WIN32_FIND_DATAW& entry) : handle_(FindFirstFileW(WideText(pattern), &entry)) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& entry) { return FindNextFileW(handle_, &entry) != 0; }

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
    const WideText widePath(path);
    if (GetFileAttributesW(widePath) == INVALID_FILE_ATTRIBUTES)
        return false;
    wchar_t full[kMaxPath];
    const DWORD length = GetFullPathNameW(widePath, kMaxPath, full, nullptr);
    SetBuffer(length == 0 || length >= static_cast<DWORD>(kMaxPath) ? String() : Utf8FromWide(full, length));
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
        const DWORD attributes = GetFileAttributesW(WideText(trimmed));
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    WIN32_FIND_DATAW entry;
    FindHandle search(trimmed, entry);
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
    if (CreateDirectoryW(WideText(folder), nullptr))
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
    return CreateDirectoryW(WideText(folder), nullptr) != 0;
}

String FileSystem::TempFolder() {
    wchar_t shortPath[kTempPathLimit + 1];
    const DWORD length = GetTempPathW(kTempPathLimit, shortPath);
    if (length == 0 || length > static_cast<DWORD>(kTempPathLimit))
        return String();
    wchar_t longPath[kMaxPath];
    const DWORD longLength = GetLongPathNameW(shortPath, longPath, kMaxPath);
    const bool longUsable = longLength > 0 && longLength < static_cast<DWORD>(kMaxPath);
    String folder = longUsable ? Utf8FromWide(longPath, longLength) : Utf8FromWide(shortPath, length);
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
    if (folder.IsEmpty())
        return String();
    // GetTempFileNameW writes up to MAX_PATH characters.
    wchar_t name[MAX_PATH + 1];
    if (GetTempFileNameW(WideText(folder), L"tmp", 0, name) == 0)
        return String();
    const String path = Utf8FromWide(name);
    SetBuffer(path);
    return path;
}

bool FileSystem::CopyFile(const String& from, const String& to, bool overwrite) {
    if (from.IsEmpty() || to.IsEmpty())
        return false;
    return ::CopyFileW(WideText(from), WideText(to), overwrite ? FALSE : TRUE) != 0;
}

bool FileSystem::ShellOpen(const String& file, const String& parameters, int show) {
    if (file.IsEmpty())
        return false;
    const WideText arguments(parameters);
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", WideText(file),
                                           parameters.IsEmpty() ? nullptr : arguments.Text(), nullptr, show);
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
    WIN32_FIND_DATAW entry;
    {
        FindHandle search(pattern, entry);
        if (search.IsValid()) {
            do {
                if (IsDotEntry(entry.cFileName))
                    continue;
                const bool isFolder = IsFolderEntry(entry);
                const String name = Utf8FromWide(entry.cFileName);
                if (isFolder && (flags & kListFolders))
                    list.AddString((prefix + name.Text() + "\\").Text());
                if (!isFolder && (flags & kListFiles))
                    list.AddString((prefix + name.Text()).Text());
            } while (search.Next(entry));
        }
    }
    if (!(flags & kListRecurse))
        return;
    // Subfolders are searched with "*.*" whatever the mask, then listed with the mask inside.
    FindHandle folders(folder + "*.*", entry);
    if (!folders.IsValid())
        return;
    do {
        if (IsDotEntry(entry.cFileName) || !IsFolderEntry(entry))
            continue;
        const String name = Utf8FromWide(entry.cFileName);
        ListInto(folder + name.Text() + "\\", mask, prefix + name.Text() + "\\", list, flags);
    } while (folders.Next(entry));
}

void FileSystem::SetBuffer(const String& path) {
    const int length = path.Length() < kMaxPath ? path.Length() : 0;
    memcpy(buffer_, path.Text(), length);
    buffer_[length] = 0;
}

int64_t FileSystem::FileSize(const String& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.IsEmpty() || !GetFileAttributesExW(WideText(path), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool RemoveFile(const String& path) {
    return !path.IsEmpty() && DeleteFileW(WideText(path)) != 0;
}
