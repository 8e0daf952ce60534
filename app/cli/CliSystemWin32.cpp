// CliSystem over the Win32 console; see CliSystem.h.
#include "app/cli/CliSystem.h"

#include <windows.h>

#include "app/cli/CliCancel.h"
#include "toolkit/base/PathName.h"
#include "toolkit/media/MediaStartup.h"

namespace {

// Called on a thread the system creates. Takes Ctrl+C and Ctrl+Break (the process keeps
// running to clean up), leaves the other events (close, logoff, shutdown) to the default.
BOOL WINAPI ConsoleControl(DWORD controlType) {
    if (controlType != CTRL_C_EVENT && controlType != CTRL_BREAK_EVENT)
        return FALSE;
    RaiseCliCancel();
    return TRUE;
}

bool graphicsStarted = false;

}  // namespace

CliConsole StandardConsole() {
    CliConsole console;
    console.out = stdout;
    console.messages = stderr;
    console.answers = stdin;
    DWORD mode = 0;
    // A console input handle, unlike a pipe or a file, has a console mode.
    console.interactive = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE;
    console.barOnConsole = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
    return console;
}

uint32_t CliMilliseconds() {
    return GetTickCount();
}

void StartCliSession() {
    // Without the handler Ctrl+C ends the process at once, as for any console program.
    (void)SetConsoleCtrlHandler(ConsoleControl, TRUE);
    graphicsStarted = GraphicsStartup();
}

void EndCliSession() {
    if (graphicsStarted)
        GraphicsShutdown();
    graphicsStarted = false;
    SetConsoleCtrlHandler(ConsoleControl, FALSE);
}

String CliShownPath(const char* path) {
    return String(path);
}

String CliProgramFolder() {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return String();
    return PathName(buffer).GetFolderPath();
}
