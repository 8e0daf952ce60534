// CliCancel: Ctrl+C and Ctrl+Break for kvr-decrypt. The system calls the console control
// handler on a thread of its own; the handler only raises a flag, and the request running on
// the main thread sees it in its next progress answer and stops cleanly. The flag stays
// raised, so the files after the cancelled one are skipped.
#pragma once

#include <windows.h>

// Installs CliConsoleCtrlHandler for this process; false when the system refused.
bool InstallCliCancelHandler();
void RemoveCliCancelHandler();

// The handler itself: takes Ctrl+C and Ctrl+Break (the process keeps running to clean up),
// leaves the other events (close, logoff, shutdown) to the default handling.
BOOL WINAPI CliConsoleCtrlHandler(DWORD controlType);

bool CliCancelRequested();
// Lowers the flag again; for a host that runs several command lines in one process.
void CliClearCancel();
