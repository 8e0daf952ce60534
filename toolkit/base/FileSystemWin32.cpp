// FileSystemCalls over kernel32, shell32 and the C runtime, through their wide calls: paths
// are UTF-8, so any name the file system can hold is reached.
#include "toolkit/base/FileSystemCalls.h"

#include <windows.h>

#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstring>

#include "toolkit/base/TextCodec.h"

namespace filecalls {

namespace {

constexpr int kMaxPath = 1024;
constexpr int kTempPathLimit = 260;

}  // namespace

FILE* Open(const String& path, const char* mode) {
    return _wfopen(WideText(path), WideText(mode));
}

FILE* OpenKeepingEmpty(const String& path, const char* mode, bool read) {
    const int fd = _wopen(WideText(path), (read ? _O_RDWR : _O_WRONLY) | _O_BINARY);
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
    return DeleteFileW(WideText(path)) != 0;
}

long long SizeOf(const String& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WideText(path), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

Kind KindOf(const String& path) {
    const DWORD attributes = GetFileAttributesW(WideText(path));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Kind::kMissing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::kFolder : Kind::kFile;
}

bool MakeFolder(const String& path, bool& parentMissing) {
    parentMissing = false;
    if (CreateDirectoryW(WideText(path), nullptr))
        return true;
    parentMissing = GetLastError() == ERROR_PATH_NOT_FOUND;
    return false;
}

String TemporaryFolder() {
    wchar_t shortPath[kTempPathLimit + 1];
    const DWORD length = GetTempPathW(kTempPathLimit, shortPath);
    if (length == 0 || length > static_cast<DWORD>(kTempPathLimit))
        return String();
    wchar_t longPath[kMaxPath];
    const DWORD longLength = GetLongPathNameW(shortPath, longPath, kMaxPath);
    const bool longUsable = longLength > 0 && longLength < static_cast<DWORD>(kMaxPath);
    return longUsable ? Utf8FromWide(longPath, longLength) : Utf8FromWide(shortPath, length);
}

bool NewTemporaryFile(const String& folder, String& path) {
    // GetTempFileNameW writes up to MAX_PATH characters.
    wchar_t name[MAX_PATH + 1];
    if (GetTempFileNameW(WideText(folder), L"tmp", 0, name) == 0)
        return false;
    path = Utf8FromWide(name);
    return true;
}

bool Copy(const String& from, const String& to, bool overwrite) {
    return ::CopyFileW(WideText(from), WideText(to), overwrite ? FALSE : TRUE) != 0;
}

bool ShellOpen(const String& file, const String& parameters, int show) {
    const WideText arguments(parameters);
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", WideText(file),
                                           parameters.IsEmpty() ? nullptr : arguments.Text(), nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

struct FolderEntries::State {
    HANDLE search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW entry;
    bool pending = false;  // entry holds the first result, not yet handed out
};

FolderEntries::FolderEntries(const String& pattern) : state_(new State) {
    state_->search = FindFirstFileW(WideText(pattern), &state_->entry);
    state_->pending = state_->search != INVALID_HANDLE_VALUE;
}

FolderEntries::~FolderEntries() {
    if (state_->search != INVALID_HANDLE_VALUE)
        FindClose(state_->search);
}

bool FolderEntries::Next(String& name, bool& isFolder) {
    if (state_->search == INVALID_HANDLE_VALUE)
        return false;
    if (!state_->pending && !FindNextFileW(state_->search, &state_->entry))
        return false;
    state_->pending = false;
    name = Utf8FromWide(state_->entry.cFileName);
    isFolder = (state_->entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

}  // namespace filecalls
