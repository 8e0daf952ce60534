// The cancel flag that the console control handler raises; see CliCancel.h.
#include "app/cli/CliCancel.h"

namespace {

// The one piece of process-wide state of the front end: the handler gets no context
// argument, and it runs on a thread the system creates, hence the interlocked access.
volatile LONG cancelRequested = 0;

}  // namespace

BOOL WINAPI CliConsoleCtrlHandler(DWORD controlType) {
    if (controlType != CTRL_C_EVENT && controlType != CTRL_BREAK_EVENT)
        return FALSE;
    InterlockedExchange(&cancelRequested, 1);
    return TRUE;
}

bool InstallCliCancelHandler() {
    return SetConsoleCtrlHandler(CliConsoleCtrlHandler, TRUE) != FALSE;
}

void RemoveCliCancelHandler() {
    SetConsoleCtrlHandler(CliConsoleCtrlHandler, FALSE);
}

bool CliCancelRequested() {
    return InterlockedCompareExchange(&cancelRequested, 0, 0) != 0;
}

void CliClearCancel() {
    InterlockedExchange(&cancelRequested, 0);
}
