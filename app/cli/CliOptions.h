// CliOptions: the command line of kvr-decrypt, parsed into a plain record. Parsing touches
// neither the file system nor the console, so every usage rule can be checked from a table.
//
//   kvr-decrypt [--keys DIR] [--out DIR] [--overwrite | --no-overwrite] [--quiet] FILE...
//   kvr-decrypt --list | --test [--keys DIR] FILE...
//   kvr-decrypt --version | --help
//
// "--keys=DIR" and "--out=DIR" are accepted too; "--" ends the options so that a file name
// may begin with a dash.
#pragma once

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"

// The program's name: the first word of every message and of the usage text.
constexpr char kCliProgramName[] = "kvr-decrypt";

enum class OverwriteMode {
    Ask,     // ask on the console when stdin is interactive, else refuse
    Always,  // --overwrite
    Never,   // --no-overwrite
};

enum class CliAction {
    Decrypt,  // write each file's entries
    List,     // --list: show each file's entries, write nothing
    Test,     // --test: check each file's entries, write nothing
};

struct CliOptions {
    CliAction action = CliAction::Decrypt;
    String keyFolder;     // as given; empty means the "Keys" folder beside the program
    String outputFolder;  // as given; empty means the folder of each file
    OverwriteMode overwrite = OverwriteMode::Ask;
    bool quiet = false;
    bool help = false;     // --help or -h: print the usage text and succeed
    bool version = false;  // --version: print the program's version and succeed
    StringList files;      // as given, in order
};

// Fills options from argv[1..argc-1]. On a usage error gives false and a one-line reason.
bool ParseCliOptions(int argc, const char* const* argv, CliOptions& options, String& error);

// The usage text, ending with a line feed.
const char* CliUsageText();

// "kvr-decrypt " and the release's version, ending with a line feed.
const char* CliVersionText();
