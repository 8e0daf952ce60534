// ProgramRun: the program's entry sequence on its user-interface thread: toolkit, graphics
// and sound start; the shared Application with its key folder; OLE; the main window; the
// worker thread with its window; both message loops; then everything stopped in reverse.
#pragma once

#include <windows.h>

class Application;

// Returns the process exit code.
int RunProgram(HINSTANCE instance);

// The worker thread with its window, or null; returns once the worker window exists (the
// caller's windows keep answering meanwhile), so requests can be posted from then on.
HANDLE StartWorkerThread(Application& application);
// Closes the worker window and waits, pumping, until the thread has ended; closes the handle.
void StopWorkerThread(Application& application, HANDLE thread);
