// Runs a kvr-decrypt command line; see CliRun.h.
#include "app/cli/CliRun.h"

#include "app/cli/CliCancel.h"
#include "app/cli/CliSystem.h"
#include "app/cli/ConsoleText.h"
#include "engine/DecryptFile.h"
#include "engine/KeyFinder.h"
#include "engine/SourceKind.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/FullPath.h"
#include "toolkit/base/PathName.h"

namespace {

// Paths handed to the engine are at most this many bytes long.
constexpr int kMaxPath = 1024;
// Key names offered per folder searched when a key is not found.
constexpr int kKeyHints = 3;

String FullPath(const char* path) {
    String full;
    if (!MakeFullPath(path, full) || full.Length() > kMaxPath)
        return String();
    return full;
}

void Print(FILE* stream, const char* fileLabel, const char* text) {
    ConsolePrint(stream, "%s: %s: %s\n", kCliProgramName, fileLabel, text);
}

int UsageError(const CliConsole& console, const char* reason) {
    ConsolePrint(console.messages, "%s: %s\n%s", kCliProgramName, reason, CliUsageText());
    return kCliUsageError;
}

struct Folders {
    String keys;
    String output;  // empty: beside each file
};

// Resolves --keys and --out; false (with the reason) when one of them is unusable. A key
// folder that does not exist is no reason to stop: keys are also found beside each file, and
// archives that name no key need none, so it is only warned about.
bool ResolveFolders(const CliOptions& options, Folders& folders, String& reason, const CliConsole& console) {
    folders.keys = options.keyFolder.IsEmpty() ? DefaultKeyFolder() : FullFolderPath(options.keyFolder);
    if (folders.keys.IsEmpty()) {
        reason.Format("key folder %s is not a usable path", options.keyFolder.Text());
        return false;
    }
    if (!options.keyFolder.IsEmpty() && !FileSystem().FolderExists(folders.keys) && console.messages) {
        ConsolePrint(console.messages, "%s: warning: key folder %s not found; keys are looked up beside each file\n",
                     kCliProgramName, options.keyFolder.Text());
    }
    if (options.outputFolder.IsEmpty())
        return true;
    folders.output = FullFolderPath(options.outputFolder);
    if (folders.output.IsEmpty()) {
        reason.Format("output folder %s is not a usable path", options.outputFolder.Text());
        return false;
    }
    return true;
}

// After the engine's "Key not found": each folder the lookup searched, with the key files
// there whose names come nearest to the one the archive named.
void PrintKeyHints(const DecryptRequest& request, FILE* stream) {
    if (!stream)
        return;
    StringList folders;
    KeySearchFolders(request.keyFolder, request.keyName, request.sourcePath, folders);
    const String wanted = request.keyName.Mid(LastPathSeparator(request.keyName) + 1);
    for (int i = 0; i < folders.Count(); i++) {
        String hint;
        if (FileSystem().FolderExists(folders.At(i))) {
            StringList nearest;
            NearestKeyNames(folders.At(i), wanted, kKeyHints, nearest);
            for (int k = 0; k < nearest.Count(); k++) {
                hint += k == 0 ? "nearest " : ", ";
                hint += nearest.At(k);
            }
            if (hint.IsEmpty())
                hint = "no key files";
        } else {
            hint = "no such folder";
        }
        ConsolePrint(stream, "    searched %s: %s\n", CliShownPath(folders.At(i).Text()).Text(), hint.Text());
    }
}

RequestMode ModeOf(CliAction action) {
    switch (action) {
        case CliAction::List:
            return RequestMode::kList;
        case CliAction::Test:
            return RequestMode::kTest;
        case CliAction::Decrypt:
            break;
    }
    return RequestMode::kWrite;
}

// Decrypts (lists, tests) one file; true when it was written (listed, found intact) completely.
bool DecryptOne(const char* label,
                const Folders& folders,
                CliAction action,
                CliEvents& events,
                const CliConsole& console) {
    const String sourcePath = FullPath(label);
    if (sourcePath.IsEmpty()) {
        Print(console.messages, label, "path too long");
        return false;
    }
    FileSystem files;
    if (!files.FileExists(sourcePath) || files.FolderExists(sourcePath)) {
        Print(console.messages, label, "no such file");
        return false;
    }
    DecryptRequest request;
    request.keyFolder = folders.keys;
    request.sourcePath = sourcePath;
    request.outputFolder = folders.output.IsEmpty() ? PathName(sourcePath).GetFolderPath() : folders.output;
    request.mode = ModeOf(action);
    events.BeginFile(label, IsCarrier(SourceKindOf(sourcePath)), request);
    const bool written = DecryptFile(request);
    if (request.cancelled || (events.CancelSeen() && !written))
        Print(console.messages, label, "cancelled");
    if (request.keyMissing)
        PrintKeyHints(request, console.messages);
    if (written && action == CliAction::Test && console.out) {
        ConsolePrint(console.out, "%s: ok\n", label);
    }
    return written;
}

}  // namespace

String FullFolderPath(const char* folder) {
    String path = FullPath(folder);
    if (path.IsEmpty())
        return path;
    if (path.GetAt(path.Length() - 1) != '\\')
        path.Append('\\');
    return path.Length() <= kMaxPath ? path : String();
}

String DefaultKeyFolder() {
    const String folder = CliProgramFolder();
    return folder.IsEmpty() ? folder : folder + "Keys\\";
}

int RunCli(int argc, const char* const* argv, const CliConsole& console) {
    CliOptions options;
    String reason;
    if (!ParseCliOptions(argc, argv, options, reason))
        return UsageError(console, reason);
    if (options.help) {
        if (console.out)
            ConsolePrint(console.out, "%s", CliUsageText());
        return kCliSuccess;
    }
    if (options.version) {
        if (console.out)
            ConsolePrint(console.out, "%s", CliVersionText());
        return kCliSuccess;
    }
    Folders folders;
    if (!ResolveFolders(options, folders, reason, console))
        return UsageError(console, reason);

    CliEvents events(console, options.overwrite, options.quiet);
    int failures = 0;
    bool cancelled = false;
    for (int i = 0; i < options.files.Count(); i++) {
        const char* label = options.files.At(i);
        // A Ctrl+C reaches a running request through its progress answers; once one has
        // been cancelled, the files after it are not started.
        if (cancelled) {
            Print(console.messages, label, "skipped (cancelled)");
            failures++;
            continue;
        }
        if (!DecryptOne(label, folders, options.action, events, console))
            failures++;
        cancelled = CliCancelRequested();
    }
    return failures == 0 ? kCliSuccess : kCliFailure;
}
