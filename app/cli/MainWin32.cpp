// Entry point of kvr-decrypt on Windows. The arguments arrive in UTF-16 (wmain, linked with
// -municode), so that any file name reaches the program whole, and go on in UTF-8 like every
// text inside.
#include "app/cli/CliRun.h"
#include "app/cli/CliSystem.h"
#include "toolkit/base/Array.h"
#include "toolkit/base/TextCodec.h"

int wmain(int argc, wchar_t** wideArguments) {
    StringList arguments;
    for (int i = 0; i < argc; i++)
        arguments.AddString(Utf8FromWide(wideArguments[i]));
    Array<const char*> argv;
    for (int i = 0; i < argc; i++)
        argv.Append(arguments.At(i).Text());

    StartCliSession();
    const int exitCode = RunCli(argc, argc > 0 ? &argv[0] : nullptr, StandardConsole());
    EndCliSession();
    return exitCode;
}
