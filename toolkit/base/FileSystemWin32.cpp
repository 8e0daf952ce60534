// FileSystemCalls over kernel32, shell32 and the C runtime.
#include "toolkit/base/FileSystemCalls.h"

#include <windows.h>

#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstring>

namespace filecalls {

namespace {

constexpr int kMaxPath = 1024;
constexpr int kTempPathLimit = 260;

}  // namespace

FILE* Open(const String& path, const char* mode) {
    return fopen(path.Text(), mode);
}

FILE* OpenKeepingEmpty(const String& path, const char* mode, bool read) {
    const int fd = _open(path.Text(), (read ? _O_RDWR : _O_WRONLY) | _O_BINARY);
    if (fd >= 0) {
        if (_filelengthi64(fd) == 0) {
            FILE* file = _fdopen(fd, mode);
            if (file)
                return file;
        }
        _close(fd);
    }
    return Open(path, mode);
}

long long Length(FILE* file) {
    return _filelengthi64(_fileno(file));
}

bool Resize(FILE* file, int size) {
    return _chsize(_fileno(file), size) == 0;
}

bool Remove(const String& path) {
    return remove(path.Text()) == 0;
}

long long SizeOf(const String& path) {
    struct _stati64 status;
    return _stati64(path.Text(), &status) == 0 ? status.st_size : -1;
}

Kind KindOf(const String& path) {
    const DWORD attributes = GetFileAttributesA(path.Text());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Kind::kMissing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::kFolder : Kind::kFile;
}

bool MakeFolder(const String& path, bool& parentMissing) {
    parentMissing = false;
    if (CreateDirectoryA(path.Text(), nullptr))
        return true;
    parentMissing = GetLastError() == ERROR_PATH_NOT_FOUND;
    return false;
}

String TemporaryFolder() {
    char shortPath[kTempPathLimit + 1];
    const DWORD length = GetTempPathA(kTempPathLimit, shortPath);
    if (length == 0 || length > static_cast<DWORD>(kTempPathLimit))
        return String();
    char longPath[kMaxPath];
    const DWORD longLength = GetLongPathNameA(shortPath, longPath, kMaxPath);
    if (longLength == 0 || longLength >= static_cast<DWORD>(kMaxPath))
        return String(shortPath);
    return String(longPath);
}

bool NewTemporaryFile(const String& folder, String& path) {
    // GetTempFileNameA writes up to MAX_PATH bytes.
    char name[MAX_PATH + 1];
    if (GetTempFileNameA(folder.Text(), "tmp", 0, name) == 0)
        return false;
    path = name;
    return true;
}

bool Copy(const String& from, const String& to, bool overwrite) {
    return ::CopyFileA(from.Text(), to.Text(), overwrite ? FALSE : TRUE) != 0;
}

bool ShellOpen(const String& file, const String& parameters, int show) {
    const char* arguments = parameters.IsEmpty() ? nullptr : parameters.Text();
    const HINSTANCE result = ShellExecuteA(nullptr, "open", file.Text(), arguments, nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

struct FolderEntries::State {
    HANDLE search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA entry;
    bool pending = false;  // entry holds the first result, not yet handed out
};

FolderEntries::FolderEntries(const String& pattern) : state_(new State) {
    state_->search = FindFirstFileA(pattern.Text(), &state_->entry);
    state_->pending = state_->search != INVALID_HANDLE_VALUE;
}

FolderEntries::~FolderEntries() {
    if (state_->search != INVALID_HANDLE_VALUE)
        FindClose(state_->search);
}

bool FolderEntries::Next(String& name, bool& isFolder) {
    if (state_->search == INVALID_HANDLE_VALUE)
        return false;
    if (!state_->pending && !FindNextFileA(state_->search, &state_->entry))
        return false;
    state_->pending = false;
    name = state_->entry.cFileName;
    isFolder = (state_->entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

}  // namespace filecalls
