// FileSystemCalls over POSIX: every backslash of a toolkit path becomes a slash at the call,
// so that the engine's rule (a backslash in an entry name separates folders) holds here too;
// names that hold a backslash of their own cannot be reached.
#include "toolkit/base/FileSystemCalls.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "toolkit/base/Wildcard.h"

namespace filecalls {

namespace {

constexpr int kCopyBlock = 64 * 1024;

String SystemPath(const String& path) {
    String system = path;
    system.Replace('\\', '/');
    return system;
}

// Back to the toolkit's separators.
String ToolkitPath(const char* path) {
    String toolkit(path);
    toolkit.Replace('/', '\\');
    return toolkit;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const char* bytes, ssize_t count) {
    while (count > 0) {
        const ssize_t written = write(fd, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= written;
    }
    return true;
}

// The system's wildcards ("*", "?") in the toolkit's matcher, both sides in lower case as
// Windows compares names; "*.*" matches every name, dots or not.
String MaskPattern(const String& mask) {
    if (mask == "*.*")
        return String("\x01");
    String pattern;
    for (int i = 0; i < mask.Length(); i++) {
        const char c = mask.GetAt(i);
        if (c == '*')
            pattern += kWildcardAnySequence;
        else if (c == '?')
            pattern += kWildcardAnyOne;
        else
            pattern += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    }
    return pattern;
}

String LowerCase(const char* text) {
    String lower;
    for (; *text; text++)
        lower += static_cast<char>(tolower(static_cast<unsigned char>(*text)));
    return lower;
}

}  // namespace

FILE* Open(const String& path, const char* mode) {
    return fopen(SystemPath(path).Text(), mode);
}

FILE* OpenKeepingEmpty(const String& path, const char* mode, bool read) {
    Descriptor fd(open(SystemPath(path).Text(), read ? O_RDWR : O_WRONLY));
    struct stat status {};
    if (fd.Get() >= 0 && fstat(fd.Get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size == 0) {
        FILE* file = fdopen(fd.Get(), mode);
        if (file) {
            fd.Release();
            return file;
        }
    }
    return Open(path, mode);
}

long long Length(FILE* file) {
    struct stat status {};
    if (fstat(fileno(file), &status) != 0)
        return -1;
    return status.st_size;
}

bool Resize(FILE* file, int size) {
    return ftruncate(fileno(file), size) == 0;
}

bool Remove(const String& path) {
    return remove(SystemPath(path).Text()) == 0;
}

long long SizeOf(const String& path) {
    struct stat status {};
    return stat(SystemPath(path).Text(), &status) == 0 ? status.st_size : -1;
}

Kind KindOf(const String& path) {
    struct stat status {};
    if (stat(SystemPath(path).Text(), &status) != 0)
        return Kind::kMissing;
    return S_ISDIR(status.st_mode) ? Kind::kFolder : Kind::kFile;
}

bool MakeFolder(const String& path, bool& parentMissing) {
    parentMissing = false;
    if (mkdir(SystemPath(path).Text(), 0777) == 0)
        return true;
    parentMissing = errno == ENOENT;
    return false;
}

String TemporaryFolder() {
    const char* folder = getenv("TMPDIR");
    return ToolkitPath(folder && *folder ? folder : "/tmp");
}

bool NewTemporaryFile(const String& folder, String& path) {
    String name = SystemPath(folder);
    if (name.IsEmpty() || name.GetAt(name.Length() - 1) != '/')
        name += '/';
    name += "tmpXXXXXX";
    const int fd = mkstemp(const_cast<char*>(name.Text()));
    if (fd < 0)
        return false;
    close(fd);
    path = ToolkitPath(name.Text());
    return true;
}

bool Copy(const String& from, const String& to, bool overwrite) {
    Descriptor source(open(SystemPath(from).Text(), O_RDONLY));
    if (source.Get() < 0)
        return false;
    Descriptor target(open(SystemPath(to).Text(), O_WRONLY | O_CREAT | (overwrite ? O_TRUNC : O_EXCL), 0666));
    if (target.Get() < 0)
        return false;
    char block[kCopyBlock];
    for (;;) {
        const ssize_t got = read(source.Get(), block, sizeof(block));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!WriteAll(target.Get(), block, got))
            return false;
    }
}

bool ShellOpen(const String&, const String&, int) {
    // No shell to hand a document to: only the Windows program opens files this way.
    return false;
}

struct FolderEntries::State {
    DIR* folder = nullptr;
    String pattern;
};

FolderEntries::FolderEntries(const String& pattern) : state_(new State) {
    String system = SystemPath(pattern);
    const int cut = system.ReverseFind('/');
    const String folder = cut < 0 ? String(".") : cut == 0 ? String("/") : system.Left(cut);
    state_->pattern = MaskPattern(system.Mid(cut + 1));
    state_->folder = opendir(folder.Text());
}

FolderEntries::~FolderEntries() {
    if (state_->folder)
        closedir(state_->folder);
}

bool FolderEntries::Next(String& name, bool& isFolder) {
    if (!state_->folder)
        return false;
    while (dirent* entry = readdir(state_->folder)) {
        if (!MatchWildcard(LowerCase(entry->d_name).Text(), state_->pattern.Text()))
            continue;
        name = entry->d_name;
        isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status {};
            isFolder = fstatat(dirfd(state_->folder), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
        }
        return true;
    }
    return false;
}

}  // namespace filecalls
