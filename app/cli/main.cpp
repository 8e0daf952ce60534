// Entry point of kvr-decrypt, the command-line front end of the decryption engine. The
// arguments arrive in UTF-16 (wmain, linked with -municode), so that any file name reaches the
// program whole, and go on in UTF-8 like every text inside.
#include <windows.h>

#include <cstdio>

#include "app/cli/CliCancel.h"
#include "app/cli/CliRun.h"
#include "toolkit/base/Array.h"
#include "toolkit/base/TextCodec.h"
#include "toolkit/media/MediaStartup.h"

int wmain(int argc, wchar_t** wideArguments) {
    StringList arguments;
    for (int i = 0; i < argc; i++)
        arguments.AddString(Utf8FromWide(wideArguments[i]));
    Array<const char*> argv;
    for (int i = 0; i < argc; i++)
        argv.Append(arguments.At(i).Text());

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
    const int exitCode = RunCli(argc, argc > 0 ? &argv[0] : nullptr, console);
    if (graphics)
        GraphicsShutdown();
    RemoveCliCancelHandler();
    return exitCode;
}
