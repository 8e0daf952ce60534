// Entry point of kvr-decrypt, the command-line front end of the decryption engine.
#include <windows.h>

#include <cstdio>

#include "app/cli/CliCancel.h"
#include "app/cli/CliRun.h"
#include "toolkit/media/MediaStartup.h"

int main(int argc, char** argv) {
    CliConsole console;
    console.out = stdout;
    console.messages = stderr;
    console.answers = stdin;
    DWORD mode = 0;
    // A console input handle, unlike a pipe or a file, has a console mode.
    console.interactive = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE;
    console.barOnConsole = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;

    InstallCliCancelHandler();
    // GDI+ converts PNG carriers; without it only PNG sources fail, with the engine's message.
    const bool graphics = GraphicsStartup();
    const int exitCode = RunCli(argc, argv, console);
    if (graphics)
        GraphicsShutdown();
    RemoveCliCancelHandler();
    return exitCode;
}
