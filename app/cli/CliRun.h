// CliRun: the whole of kvr-decrypt apart from its entry point: parses the command line,
// resolves the key and output folders to full Windows paths, and decrypts each file in turn
// through DecryptFile, with CliEvents as the request callback. The console streams come in
// as arguments so that a test can run a command line in-process and read what it printed.
#pragma once

#include "app/cli/CliEvents.h"

enum CliExitCode {
    kCliSuccess = 0,     // every file was decrypted
    kCliFailure = 1,     // some file failed, was refused or was cancelled
    kCliUsageError = 2,  // the command line was wrong; nothing was decrypted
};

// Runs one command line (argv[0] is the program name and is not used). GDI+ must be started
// by the caller for PNG carriers.
int RunCli(int argc, const char* const* argv, const CliConsole& console);

// Full path of a folder, ending with a backslash; empty when it cannot be resolved or is
// longer than the engine's path limit.
String FullFolderPath(const char* folder);
// The "Keys" folder beside the running program, ending with a backslash.
String DefaultKeyFolder();
