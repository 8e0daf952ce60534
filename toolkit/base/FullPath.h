// FullPath: a path made absolute against the current folder, with "." and ".." resolved, as
// the system resolves it (FullPathWin32.cpp, FullPathPosix.cpp). On POSIX systems both
// slashes separate components and the result is written with backslashes, the separator
// that every path inside the toolkit and the engine uses; the file-system calls turn them
// back into slashes.
#pragma once

#include "toolkit/base/String.h"

// False for an empty path or one whose full form would reach 1024 bytes.
bool MakeFullPath(const char* path, String& full);
// Length of the root of a full local path: "C:\\" on Windows, "\\" on POSIX systems.
int LocalRootLength(const String& full);
