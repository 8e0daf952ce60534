// Entry point of kvr-decrypt on POSIX systems, whose arguments are UTF-8 already.
#include "app/cli/CliRun.h"
#include "app/cli/CliSystem.h"

int main(int argc, char** argv) {
    StartCliSession();
    const int exitCode = RunCli(argc, argv, StandardConsole());
    EndCliSession();
    return exitCode;
}
