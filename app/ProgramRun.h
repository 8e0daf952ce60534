// ProgramRun: the program's entry sequence on its user-interface thread: toolkit, graphics
// and sound start; the shared Application with its key folder; OLE; the main window; the
// worker thread with its window; both message loops; then everything stopped in reverse.
#pragma once

#include <windows.h>

#include "app/WorkerWindow.h"

class Application;

// Returns the process exit code.
int RunProgram(HINSTANCE instance);

// The worker thread with its window, or null; returns once the worker window exists (the
// caller's windows keep answering meanwhile), so requests can be posted from then on. When
// no worker window came, the user is told in a message window owned by the main window (the
// main window refuses drops without a worker). `threadMain` is the worker thread's function.
HANDLE StartWorkerThread(Application& application, LPTHREAD_START_ROUTINE threadMain = &WorkerThreadMain);
// Closes the worker window and waits, pumping, until the thread has ended; closes the handle.
void StopWorkerThread(Application& application, HANDLE thread);
