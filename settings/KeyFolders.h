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
