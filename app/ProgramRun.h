// ProgramRun: the program's entry sequence on its user-interface thread: toolkit, graphics
// and sound start; the shared Application with its key folder; OLE; the main window; the
// worker thread with its window; both message loops; then everything stopped in reverse.
#pragma once

#include <windows.h>

// Returns the process exit code.
int RunProgram(HINSTANCE instance);
