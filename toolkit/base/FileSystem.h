// FileSystem: the few file-system services beyond streams: existence tests, folder
// creation with missing parents, the temporary folder and fresh temporary files, copying,
// opening with the shell, and a folder listing. A small value object made on the stack for
// one job; its buffer is scratch space for the last path it produced.
#pragma once

#include <cstdint>

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"

class FileSystem {
public:
    // ListFolder flags.
    enum ListFlags {
        kListFiles = 1,
        kListFolders = 2,
        kListRecurse = 4,
    };

    FileSystem();

    // Folder paths handed in and out carry a trailing backslash (true after construction).
    bool WithSeparator() const { return withSeparator_; }
    void SetWithSeparator(bool on) { withSeparator_ = on; }

    // A file or a folder of that name exists (relative paths against the current folder).
    bool FileExists(const String& path);
    // The path names exactly one existing folder; a last component may hold the wildcard *.
    bool FolderExists(const String& path);
    // Creates the folder and any missing parents; false when it exists already or cannot be made.
    bool CreateFolder(const String& path);
    String TempFolder();
    // A fresh, empty, uniquely named "tmp" file in the temporary folder; its caller owns it.
    // Empty when none could be made.
    String TempFileName();
    bool Copy(const String& from, const String& to, bool overwrite);
    // Size in bytes of an existing file; -1 when it cannot be examined.
    static int64_t FileSize(const String& path);
    // The shell's "open" verb; true when the shell reports success.
    bool ShellOpen(const String& file, const String& parameters, int show);
    // Adds the names of the entries matching pattern (a folder path and a last component that
    // may hold wildcards) to list: files, and folders with a trailing backslash, as the flags
    // ask; with kListRecurse the entries of every subfolder follow, named relative to the
    // pattern's folder ("sub\file.txt"). Order: as the system enumerates.
    void ListFolder(const String& pattern, StringList& list, int flags);

    // The last path a service produced (full path found by FileExists, temporary names).
    const char* Buffer() const { return buffer_; }

private:
    void SetBuffer(const String& path);
    void ListInto(const String& folder, const String& mask, const String& prefix, StringList& list, int flags);

    char buffer_[1024];
    bool withSeparator_ = true;
};

// Deletes a file; false when it is not there or cannot be deleted.
bool RemoveFile(const String& path);
