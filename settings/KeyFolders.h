// Key folders: the main key folder ("Keys" beside the program) and a user key folder the user
// picks. The active one is always a full folder path ending with a backslash. The user folder
// is accepted only when it is a full path below a drive or share root, ending with a
// separator; anything else (a bare root, a file path, a cut or damaged value) leaves the
// main key folder active.
#pragma once

#include "toolkit/base/String.h"
#include "toolkit/window/Lock.h"

// programFolder ends with a backslash.
String MainKeyFolder(const String& programFolder);
bool IsUsableUserKeyFolder(const String& folder);
// The active folder a stored "Keys" value selects.
String ResolveKeyFolder(const String& stored, const String& programFolder);

// The active key folder, shared by the user-interface thread (start-up, the key-folder
// commands) and the worker (every request takes a copy), so it is read and written under
// its own lock.
class SharedKeyFolder {
public:
    SharedKeyFolder() = default;
    SharedKeyFolder(const SharedKeyFolder&) = delete;
    SharedKeyFolder& operator=(const SharedKeyFolder&) = delete;

    String Get() const;
    void Set(const String& folder);

private:
    mutable CriticalSection lock_;
    String folder_;
};

// The active folder at start-up, from the stored "Keys" value.
String LoadActiveKeyFolder(const String& programFolder);
// Whether the active folder is a user key folder (the check marks follow the active folder,
// not the stored text, so a stored value that start-up refused shows the main folder checked).
bool IsUserKeyFolderActive(const String& active, const String& programFolder);
// A folder-browser result as a user key folder: with one trailing backslash, or empty (a
// cancel) when start-up would refuse it (nothing chosen, a drive or share root, a virtual
// folder without a file-system path).
String AcceptBrowsedFolder(const String& result);

// Command "Main Key Folder": the main key folder becomes active; an empty value is stored.
void UseMainKeyFolder(SharedKeyFolder& active, const String& programFolder);
// Command "User Key Folder..." once the browser has answered: a usable folder (see
// AcceptBrowsedFolder) becomes active and is stored; false, changing nothing, otherwise.
bool UseUserKeyFolder(SharedKeyFolder& active, const String& browsed);
