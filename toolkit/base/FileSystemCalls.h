// FileSystemCalls: the system's side of FileSystem and FileStream, one implementation per
// system beside this header (FileSystemWin32.cpp, FileSystemPosix.cpp). Paths come in as the
// toolkit writes them (backslashes between components; the POSIX side also takes slashes and
// turns every backslash into one); what the system needs beyond that stays in those files.
#pragma once

#include <cstdio>
#include <memory>

#include "toolkit/base/String.h"

namespace filecalls {

// The C runtime's fopen, in binary modes.
FILE* Open(const String& path, const char* mode);
// A file that exists and is empty is opened as it is (read and write, or write only) rather
// than truncated; anything else goes to Open with mode.
FILE* OpenKeepingEmpty(const String& path, const char* mode, bool read);
// Size of the open file from its descriptor (the stream's position and buffer untouched); -1
// on failure.
long long Length(FILE* file);
// Cuts or extends the open file to size bytes; the stream must be flushed.
bool Resize(FILE* file, int size);
bool Remove(const String& path);

// Size of the file at path; -1 when it cannot be examined.
long long SizeOf(const String& path);

enum class Kind { kMissing, kFile, kFolder };
Kind KindOf(const String& path);
// Makes one folder; parentMissing tells a missing parent from every other failure.
bool MakeFolder(const String& path, bool& parentMissing);
// The system's temporary folder, as it names it (with or without a trailing separator).
String TemporaryFolder();
// Creates a fresh, empty, uniquely named file with the prefix "tmp" in folder.
bool NewTemporaryFile(const String& folder, String& path);
bool Copy(const String& from, const String& to, bool overwrite);
bool ShellOpen(const String& file, const String& parameters, int show);

// The entries of a folder whose names match the last component of pattern, as the system
// matches wildcards ("*" and "?", letter case ignored), "." and ".." included where the
// system lists them. Order: as the system enumerates.
class FolderEntries {
public:
    explicit FolderEntries(const String& pattern);
    ~FolderEntries();
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    bool Next(String& name, bool& isFolder);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace filecalls
