// CliEvents: the request callback of kvr-decrypt. It turns the engine's events for one file
// into console output: a progress bar with the stage name (redrawn in place on a console, one
// closing line per file in a log or pipe), every error text prefixed with
// the file it concerns, and the overwrite question, answered by the person at the console
// or by the --overwrite / --no-overwrite rule. A progress answer carries a Ctrl+C back to
// the engine. In the list mode the archive and its entries are printed on the output as the
// engine reports them; the list and test modes draw no bar.
#pragma once

#include <cstdint>
#include <cstdio>

#include "app/cli/CliOptions.h"
#include "app/cli/ConsoleProgress.h"
#include "engine/DecryptRequest.h"

// Where the front end talks and listens.
struct CliConsole {
    FILE* out = nullptr;        // the usage text, listings and test results
    FILE* messages = nullptr;   // progress bar, errors, the question (stderr)
    FILE* answers = nullptr;    // the answer to the question (stdin)
    bool interactive = false;   // answers come from a person at a console
    bool barOnConsole = false;  // messages go to a console: the bar is redrawn in place
};

enum class OverwriteDecision { Yes, No, Ask };

// The overwrite rule: --overwrite writes, --no-overwrite refuses, and otherwise the question
// is asked only of a person; a script or a pipe on stdin gets a refusal, never a hang.
OverwriteDecision DecideOverwrite(OverwriteMode mode, bool interactive);
// A typed answer: "y" or "yes" in any case, blanks around it allowed.
bool IsYesAnswer(const char* reply);

// A console-friendly form of an engine message: the message's line feeds (it uses blank
// lines to set off a path or name) become one indented continuation line each.
String FormatEngineMessage(const char* programName, const char* fileLabel, const char* message);

class CliEvents {
public:
    CliEvents(const CliConsole& console, OverwriteMode overwrite, bool quiet)
        : console_(console), overwrite_(overwrite), quiet_(quiet) {}

    // Prepares for one file and installs the callback and this object in the request.
    // label is the file as the user named it; carrier selects "extracting" for stage 1.
    void BeginFile(const char* label, bool carrier, DecryptRequest& request);

    static int32_t Callback(int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block);

    // Outcome of the current file.
    bool CancelSeen() const { return cancelSeen_; }

private:
    int32_t OnEvent(int32_t code, intptr_t value);
    int32_t OnProgress(int value);
    int32_t OnAskOverwrite(const char* folder);
    bool AskPerson(const char* folder);
    // The next line of the answers, read to its end so that nothing is left for a later question.
    String ReadAnswerLine();
    void OnError(const char* message);
    void PrintArchive(const ArchiveReport& report);
    void PrintEntry(const EntryReport& entry);
    void EndBar();

    CliConsole console_;
    OverwriteMode overwrite_;
    bool quiet_;
    const DecryptRequest* request_ = nullptr;
    String label_;
    ConsoleProgress progress_;
    int lastValue_ = 0;
    int drawnValue_ = -1;   // the value the bar on screen shows
    bool barOpen_ = false;  // a bar line is on screen without its line feed
    bool cancelSeen_ = false;
    bool entriesShown_ = false;  // the listing's column heads are out
};
