// DragDriver: starts test programs by their build paths and runs the drag-source helper (a
// real OLE drag from another process). Every wait keeps this thread's windows answering,
// since a drop target's calls arrive as messages. Test support only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/ThreadWindows.h"

namespace kvrtest {

// The path as Windows sees it (the build names Linux paths).
std::string WindowsPath(const std::string& buildPath);

// Starts the program with the arguments; its process handle, or null when it did not start.
HANDLE StartProgram(const std::string& buildPath, const std::string& arguments);

// Waits for the process to end; its exit code, or -1 when it did not end in time.
int WaitForExitCode(HANDLE process, DWORD timeoutMs);

// Runs the console program with the arguments (UTF-8, handed over wide as the shell does)
// without a console, its standard output and error into one pipe read into output; its exit
// code, or -1 when it did not start or end.
int RunCaptured(const std::string& program, const std::string& arguments, std::string& output);

// Drags the files from the helper's window to the screen point and releases there (or, with
// leave, comes back and releases on its own window). Gives the helper's exit code: 0 dropped,
// 1 refused, 2 failure; 3 when it could not be started or did not end.
int DragFiles(POINT target, const std::vector<std::string>& files, bool leave = false);

}  // namespace kvrtest
