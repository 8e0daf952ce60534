// Finding the program's own file and folder from the command line. The program path is the
// first argument exactly as given; the folder is made absolute against the current
// directory, so a program started through a relative path still finds its resources.
#pragma once

#include "toolkit/base/String.h"

// The first argument of a command line: quoted ("C:\a b\x.exe" ...) or up to the first blank.
String FirstCommandLineArgument(const char* commandLine);
// The absolute folder of a program file, ending in a backslash; empty when it cannot be resolved.
String ProgramFolderOf(const char* programPath);
