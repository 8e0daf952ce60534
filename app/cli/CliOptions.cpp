// Parsing of the kvr-decrypt command line; see CliOptions.h for the grammar.
#include "app/cli/CliOptions.h"

#include <cstring>

namespace {

// Matches "--name VALUE" and "--name=VALUE". Gives 0 when arg is not this option, 1 when it
// was taken (value filled, index advanced past a separate value), -1 when the value is missing.
int TakeValueOption(const char* name, int argc, const char* const* argv, int& index, String& value) {
    const char* arg = argv[index];
    const size_t nameLength = strlen(name);
    if (strncmp(arg, name, nameLength) != 0)
        return 0;
    const char* rest = arg + nameLength;
    if (*rest == '=') {
        value = rest + 1;
        return value.IsEmpty() ? -1 : 1;
    }
    if (*rest != '\0')
        return 0;
    if (index + 1 >= argc || argv[index + 1][0] == '\0')
        return -1;
    index++;
    value = argv[index];
    return 1;
}

bool SetOverwrite(CliOptions& options, OverwriteMode mode, String& error) {
    if (options.overwrite != OverwriteMode::Ask && options.overwrite != mode) {
        error = "--overwrite and --no-overwrite exclude each other";
        return false;
    }
    options.overwrite = mode;
    return true;
}

// One option at argv[index]; false with error set on a usage error.
bool ParseOption(int argc, const char* const* argv, int& index, CliOptions& options, String& error) {
    const char* arg = argv[index];
    struct FolderOption {
        const char* name;
        String* target;
    };
    const FolderOption folderOptions[] = {{"--keys", &options.keyFolder}, {"--out", &options.outputFolder}};
    for (const FolderOption& option : folderOptions) {
        String value;
        const int taken = TakeValueOption(option.name, argc, argv, index, value);
        if (taken == 0)
            continue;
        if (taken < 0) {
            error.Format("%s needs a folder", option.name);
            return false;
        }
        if (!option.target->IsEmpty()) {
            error.Format("%s given twice", option.name);
            return false;
        }
        *option.target = value;
        return true;
    }
    if (strcmp(arg, "--overwrite") == 0)
        return SetOverwrite(options, OverwriteMode::Always, error);
    if (strcmp(arg, "--no-overwrite") == 0)
        return SetOverwrite(options, OverwriteMode::Never, error);
    const bool list = strcmp(arg, "--list") == 0;
    if (list || strcmp(arg, "--test") == 0) {
        const CliAction action = list ? CliAction::List : CliAction::Test;
        if (options.action != CliAction::Decrypt && options.action != action) {
            error = "--list and --test exclude each other";
            return false;
        }
        options.action = action;
        return true;
    }
    if (strcmp(arg, "--quiet") == 0 || strcmp(arg, "-q") == 0) {
        options.quiet = true;
        return true;
    }
    if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
        options.help = true;
        return true;
    }
    if (strcmp(arg, "--version") == 0) {
        options.version = true;
        return true;
    }
    error.Format("unknown option %s", arg);
    return false;
}

}  // namespace

bool ParseCliOptions(int argc, const char* const* argv, CliOptions& options, String& error) {
    options = CliOptions();
    error.Empty();
    bool optionsEnded = false;
    for (int index = 1; index < argc; index++) {
        const char* arg = argv[index];
        if (!optionsEnded && strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            if (!ParseOption(argc, argv, index, options, error))
                return false;
            continue;
        }
        if (arg[0] == '\0') {
            error = "empty file name";
            return false;
        }
        options.files.AddString(arg);
    }
    if (options.help || options.version)
        return true;
    if (options.action != CliAction::Decrypt &&
        (!options.outputFolder.IsEmpty() || options.overwrite != OverwriteMode::Ask)) {
        error.Format("%s writes nothing: --out, --overwrite and --no-overwrite have no use with it",
                     options.action == CliAction::List ? "--list" : "--test");
        return false;
    }
    if (options.files.Count() == 0) {
        error = "no file given";
        return false;
    }
    return true;
}

// The usage text around the program's name, which is written once.
constexpr char kUsageDecrypt[] = " [--keys DIR] [--out DIR] [--overwrite | --no-overwrite] [--quiet] FILE...\n";
constexpr char kUsageCheck[] = " --list | --test [--keys DIR] FILE...\n";
constexpr char kUsageBody[] =
    "\n"
    "Decrypts KVR archives (.enc) and the WAV, BMP and PNG files that hide one. Each FILE\n"
    "becomes a folder named after it, holding the archive's entries.\n"
    "\n"
    "  --keys DIR       folder of key files (default: the Keys folder beside the program)\n"
    "  --out DIR        folder in which the output folders are made (default: beside each FILE)\n"
    "  --overwrite      write into an output folder that already exists\n"
    "  --no-overwrite   never write into an existing output folder (the default when stdin\n"
    "                   is not a console; on a console the question is asked)\n"
    "  --quiet, -q      no progress bar\n"
    "  --list           show each FILE's key, hidden archive and entries (kind, size, CRC-32,\n"
    "                   name); nothing is written\n"
    "  --test           check every entry's CRC-32 without writing anything; \"ok\" per intact FILE\n"
    "  --version        the program's version\n"
    "  --help, -h       this text\n"
    "\n"
    "When a key is not found, each folder searched is named with the nearest key files in it.\n"
    "Exit code: 0 when every file was decrypted (listed, intact), 1 when any failed or was\n"
    "cancelled, 2 for a usage error. Ctrl+C cancels the file being decrypted and skips the rest.\n";

const char* CliUsageText() {
    static const String text =
        String("usage: ") + kCliProgramName + kUsageDecrypt + "       " + kCliProgramName + kUsageCheck + kUsageBody;
    return text.Text();
}

const char* CliVersionText() {
    // KVR_VERSION comes from the top-level project, the one place the release's version is written.
    static const String text = String(kCliProgramName) + " " KVR_VERSION "\n";
    return text.Text();
}
