// The request callback of kvr-decrypt; see CliEvents.h.
#include "app/cli/CliEvents.h"

#include <cctype>
#include <cstring>

#include "app/cli/CliCancel.h"
#include "app/cli/CliSystem.h"
#include "app/cli/ConsoleText.h"

OverwriteDecision DecideOverwrite(OverwriteMode mode, bool interactive) {
    if (mode == OverwriteMode::Always)
        return OverwriteDecision::Yes;
    if (mode == OverwriteMode::Never || !interactive)
        return OverwriteDecision::No;
    return OverwriteDecision::Ask;
}

bool IsYesAnswer(const char* reply) {
    if (!reply)
        return false;
    String word(reply);
    // fgets keeps the line end, and a console sends CR LF.
    word.Replace("\r", "");
    word.Replace("\n", "");
    word.TrimLeft();
    word.TrimRight();
    return word.CompareNoCase("y") == 0 || word.CompareNoCase("yes") == 0;
}

String FormatEngineMessage(const char* programName, const char* fileLabel, const char* message) {
    String text;
    text.Format("%s: %s: ", programName, fileLabel);
    bool lineStart = false;
    for (const char* p = message ? message : ""; *p; p++) {
        if (*p == '\n' || *p == '\r') {
            lineStart = true;
            continue;
        }
        if (lineStart)
            text.Append("\n    ");
        lineStart = false;
        text.Append(*p);
    }
    text.Append('\n');
    return text;
}

void CliEvents::BeginFile(const char* label, bool carrier, DecryptRequest& request) {
    label_ = label;
    request_ = &request;
    // The bar names the file only: a full path would push the bar off a narrow console.
    const int backslash = label_.ReverseFind('\\');
    const int slash = label_.ReverseFind('/');
    progress_.Begin(label_.Mid((backslash > slash ? backslash : slash) + 1), carrier);
    drawnValue_ = -1;
    lastValue_ = 0;
    barOpen_ = false;
    cancelSeen_ = false;
    entriesShown_ = false;
    request.block.callback = &CliEvents::Callback;
    request.block.context = this;
}

int32_t CliEvents::Callback(int32_t code, intptr_t value, intptr_t /*extra*/, const RequestCallbackBlock* block) {
    if (!block || !block->context)
        return 0;
    return static_cast<CliEvents*>(block->context)->OnEvent(code, value);
}

int32_t CliEvents::OnEvent(int32_t code, intptr_t value) {
    switch (code) {
        case RE_PROGRESS:
            return OnProgress(static_cast<int>(value));
        case RE_ASK_OVERWRITE:
            return OnAskOverwrite(reinterpret_cast<const char*>(value));
        case RE_ERROR:
            OnError(reinterpret_cast<const char*>(value));
            return 0;
        case RE_WORK_END:
            EndBar();
            return 0;
        case RE_ARCHIVE:
            if (request_ && request_->mode == RequestMode::kList)
                PrintArchive(*reinterpret_cast<const ArchiveReport*>(value));
            return 0;
        case RE_ENTRY:
            if (request_ && request_->mode == RequestMode::kList)
                PrintEntry(*reinterpret_cast<const EntryReport*>(value));
            return 0;
        default:
            return 0;
    }
}

int32_t CliEvents::OnProgress(int value) {
    if (CliCancelRequested()) {
        cancelSeen_ = true;
        return 1;
    }
    lastValue_ = value;
    if (quiet_ || !console_.messages || (request_ && request_->mode != RequestMode::kWrite))
        return 0;
    if (!console_.barOnConsole) {
        // A log or a pipe gets no redraw frames, only the closing line.
        barOpen_ = true;
        return 0;
    }
    String line;
    const bool compressed = request_ && request_->compressed;
    if (progress_.Update(value, compressed, CliMilliseconds(), line)) {
        ConsolePrint(console_.messages, "\r%s", line.Text());
        barOpen_ = true;
        drawnValue_ = value;
    }
    return 0;
}

void CliEvents::EndBar() {
    if (!barOpen_)
        return;
    // The last values may have fallen between two redraws: show where the work really ended.
    const bool compressed = request_ && request_->compressed;
    if (drawnValue_ != lastValue_) {
        String line = progress_.Line(lastValue_, compressed);
        if (!console_.barOnConsole)
            line.TrimRight();  // the padding only serves redraws in place
        ConsolePrint(console_.messages, console_.barOnConsole ? "\r%s" : "%s", line.Text());
    }
    ConsolePrint(console_.messages, "\n");
    barOpen_ = false;
}

void CliEvents::OnError(const char* message) {
    EndBar();
    if (!console_.messages)
        return;
    ConsolePrint(console_.messages, "%s", FormatEngineMessage(kCliProgramName, label_, message).Text());
}

void CliEvents::PrintArchive(const ArchiveReport& report) {
    if (!console_.out)
        return;
    ConsolePrint(console_.out, "%s\n  key:      %s\n  archive:  %lld bytes, %s, %d %s\n", label_.Text(),
                 report.keyName[0] ? report.keyName : "(none: the built-in key)",
                 static_cast<long long>(report.archiveSize), report.compressed ? "compressed" : "stored", report.count,
                 report.count == 1 ? "entry" : "entries");
    if (report.carrierCapacity >= 0)
        ConsolePrint(console_.out, "  carrier:  hides %lld of %lld bytes\n", static_cast<long long>(report.archiveSize),
                     static_cast<long long>(report.carrierCapacity));
}

void CliEvents::PrintEntry(const EntryReport& entry) {
    if (!console_.out)
        return;
    // The column heads come with the first entry: a file whose key is missing shows none.
    if (!entriesShown_)
        ConsolePrint(console_.out, "%s", "  kind         size  crc-32    name\n");
    entriesShown_ = true;
    if (entry.folder)
        ConsolePrint(console_.out, "  folder          -  -         %s\n", entry.name);
    else
        ConsolePrint(console_.out, "  file   %10lu  %08lx  %s\n", static_cast<unsigned long>(entry.size),
                     static_cast<unsigned long>(entry.crc), entry.name);
}

int32_t CliEvents::OnAskOverwrite(const char* folder) {
    const String shown = CliShownPath(folder ? folder : "");
    OverwriteDecision decision = DecideOverwrite(overwrite_, console_.interactive);
    if (CliCancelRequested())
        decision = OverwriteDecision::No;
    if (decision == OverwriteDecision::Ask)
        decision = AskPerson(shown.Text()) ? OverwriteDecision::Yes : OverwriteDecision::No;
    else if (decision == OverwriteDecision::No && console_.messages)
        ConsolePrint(console_.messages,
                     "%s: %s: not written: the folder %s already exists (--overwrite writes into it)\n",
                     kCliProgramName, label_.Text(), shown.Text());
    return decision == OverwriteDecision::Yes ? 1 : 0;
}

bool CliEvents::AskPerson(const char* folder) {
    if (console_.messages) {
        ConsolePrint(console_.messages, "%s: %s: the folder %s already exists. Write into it? [y/N] ", kCliProgramName,
                     label_.Text(), folder);
    }
    return IsYesAnswer(ReadAnswerLine());
}

String CliEvents::ReadAnswerLine() {
    constexpr int kLongestKept = 256;  // longer replies are no "yes" anyway
    String line;
    if (!console_.answers)
        return line;
    for (int c = fgetc(console_.answers); c != EOF && c != '\n'; c = fgetc(console_.answers)) {
        if (line.Length() < kLongestKept)
            line.Append(static_cast<char>(c));
    }
    return line;
}
