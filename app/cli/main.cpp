// Entry point of kvr-decrypt, the command-line front end of the decryption engine.
#include "app/cli/CliRun.h"
#include "app/cli/CliSystem.h"

int main(int argc, char** argv) {
    StartCliSession();
    const int exitCode = RunCli(argc, argv, StandardConsole());
    EndCliSession();
    return exitCode;
}
