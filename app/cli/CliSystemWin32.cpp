// CliSystem over the Win32 console; see CliSystem.h.
#include "app/cli/CliSystem.h"

#include <io.h>
#include <windows.h>

#include "app/cli/CliCancel.h"
#include "toolkit/base/PathName.h"
#include "toolkit/base/TextCodec.h"
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

bool WriteToConsole(FILE* stream, const String& text) {
    const intptr_t handle = _get_osfhandle(_fileno(stream));
    DWORD mode = 0;
    // A console, unlike a pipe or a file, has a console mode.
    if (handle == -1 || !GetConsoleMode(reinterpret_cast<HANDLE>(handle), &mode))
        return false;
    fflush(stream);
    const WideText wide(text.Text(), text.Length());
    DWORD written = 0;
    // A console that takes nothing leaves no one to tell.
    (void)WriteConsoleW(reinterpret_cast<HANDLE>(handle), wide.Text(), static_cast<DWORD>(wide.Length()), &written,
                        nullptr);
    return true;
}

String CliProgramFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return String();
    return PathName(Utf8FromWide(buffer, static_cast<int>(length))).GetFolderPath();
}
