// The request callback of kvr-decrypt: overwrite answers, error texts with the file name,
// the progress bar on the message stream, and the cancel answer after Ctrl+C.
#include "app/cli/CliEvents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/cli/CliCancel.h"
#include "tests/app/cli/CapturedFile.h"

namespace {

TEST(CliEvents, YesAnswers) {
    for (const char* yes : {"y", "Y", "yes", "YES", " yes \r\n", "y\n"})
        EXPECT_TRUE(IsYesAnswer(yes)) << yes;
    for (const char* no : {"", "\n", "n", "no", "yess", "ye", "y y", "1", "oui"})
        EXPECT_FALSE(IsYesAnswer(no)) << no;
    EXPECT_FALSE(IsYesAnswer(nullptr));
}

TEST(CliEvents, EngineMessagesBecomeIndentedLines) {
    EXPECT_STREQ("kvr-decrypt: a.enc: Unknown Error\n", FormatEngineMessage("kvr-decrypt", "a.enc", "Unknown Error"));
    EXPECT_STREQ("kvr-decrypt: d\\a.enc: Key not found :\n    keys\\k1.key\n",
                 FormatEngineMessage("kvr-decrypt", "d\\a.enc", "Key not found :\n\nkeys\\k1.key"));
    EXPECT_STREQ(
        "p: f: The archive is corrupted or different from the original.\n    Please obtain a valid encrypted "
        "copy:\n    a.txt\n",
        FormatEngineMessage("p", "f",
                            "The archive is corrupted or different from the original.\nPlease obtain a valid "
                            "encrypted copy:\n\na.txt"));
    EXPECT_STREQ("p: f: \n", FormatEngineMessage("p", "f", nullptr));
}

// One request's worth of events through the real callback entry.
class CliEventsSession : public ::testing::Test {
protected:
    void SetUp() override { CliClearCancel(); }
    void TearDown() override { CliClearCancel(); }

    int32_t Raise(int32_t code, intptr_t value = 0) { return request_.block.callback(code, value, 0, &request_.block); }

    CliConsole Console(FILE* answers, bool interactive) {
        CliConsole console;
        console.messages = messages_.File();
        console.answers = answers;
        console.interactive = interactive;
        console.barOnConsole = true;
        return console;
    }

    CapturedFile messages_;
    DecryptRequest request_;
};

TEST_F(CliEventsSession, ProgressBarEndsWithItsLastValueBeforeAnError) {
    CliEvents events(Console(nullptr, false), OverwriteMode::Ask, false);
    events.BeginFile("a.enc", false, request_);
    request_.compressed = true;
    EXPECT_EQ(0, Raise(RE_PROGRESS, 1000));
    EXPECT_EQ(0, Raise(RE_PROGRESS, 1001));  // within the interval: not drawn now
    Raise(RE_ERROR, reinterpret_cast<intptr_t>("Unknown Error"));
    const std::string text = messages_.Text();
    EXPECT_EQ(0u, text.find("\ra.enc [")) << text;
    // The bar is closed with its last value before the message starts on a line of its own.
    const size_t closing = text.rfind("\ra.enc [");
    ASSERT_NE(std::string::npos, closing);
    EXPECT_NE(std::string::npos, text.find("50% removing the key", closing));
    EXPECT_NE(std::string::npos, text.find("\nkvr-decrypt: a.enc: Unknown Error\n"));
    Raise(RE_WORK_END);  // nothing more: the bar is already closed
    EXPECT_EQ(text, messages_.Text());
}

TEST_F(CliEventsSession, BarNamesTheFileAndEndsWithOneLineFeed) {
    CliEvents events(Console(nullptr, false), OverwriteMode::Ask, false);
    events.BeginFile("C:\\deep\\folder/x.bmp", true, request_);
    EXPECT_EQ(0, Raise(RE_PROGRESS, 500));
    EXPECT_EQ(0, Raise(RE_PROGRESS, 2000));
    Raise(RE_WORK_END);
    Raise(RE_END);
    const std::string text = messages_.Text();
    EXPECT_EQ(0u, text.find("\rx.bmp [")) << text;
    EXPECT_NE(std::string::npos, text.find(" 25% extracting")) << text;
    // The last value was on screen already: the bar is closed, not drawn again.
    const size_t last = text.find("100% writing");
    ASSERT_NE(std::string::npos, last) << text;
    EXPECT_EQ(std::string::npos, text.find("100% writing", last + 1)) << text;
    EXPECT_EQ('\n', text.back());
    EXPECT_EQ(1, static_cast<int>(std::count(text.begin(), text.end(), '\n')));
}

TEST_F(CliEventsSession, QuietPrintsNoBarButStillErrorsWithTheFileTheyConcern) {
    CliEvents events(Console(nullptr, false), OverwriteMode::Ask, true);
    events.BeginFile("in\\secret.enc", false, request_);
    EXPECT_EQ(&CliEvents::Callback, request_.block.callback);
    Raise(RE_BEGIN);
    Raise(RE_WORK_BEGIN);
    for (int value = 1; value <= 2000; value += 7)
        EXPECT_EQ(0, Raise(RE_PROGRESS, value));
    EXPECT_EQ("", messages_.Text());
    Raise(RE_ERROR, reinterpret_cast<intptr_t>("This is not a valid encrypted archive"));
    Raise(RE_WORK_END);
    Raise(RE_END);
    EXPECT_EQ(1, events.ErrorCount());
    EXPECT_EQ("kvr-decrypt: in\\secret.enc: This is not a valid encrypted archive\n", messages_.Text());
}

TEST_F(CliEventsSession, ProgressAnswersCancelAfterCtrlCOrBreakButCloseIsLeftToTheSystem) {
    for (DWORD signal : {CTRL_C_EVENT, CTRL_BREAK_EVENT}) {
        CliClearCancel();
        CliEvents events(Console(nullptr, false), OverwriteMode::Ask, true);
        events.BeginFile("a.enc", false, request_);
        EXPECT_FALSE(CliConsoleCtrlHandler(CTRL_CLOSE_EVENT));
        EXPECT_EQ(0, Raise(RE_PROGRESS, 10));
        EXPECT_FALSE(events.CancelSeen());
        EXPECT_TRUE(CliConsoleCtrlHandler(signal));
        EXPECT_NE(0, Raise(RE_PROGRESS, 20));
        EXPECT_TRUE(events.CancelSeen());
        // The answer stays "cancel" for later events too: the engine may ask again while it unwinds.
        EXPECT_NE(0, Raise(RE_PROGRESS, 30)) << signal;
    }
}

struct AskCase {
    OverwriteMode mode;
    bool interactive;
    const char* typed;  // stdin content; nullptr: no stdin at all
    int32_t answer;
    const char* printed;  // a piece of what must be printed
};

TEST_F(CliEventsSession, OverwriteQuestionAnswers) {
    const AskCase cases[] = {
        {OverwriteMode::Ask, true, "y\n", 1, "Write into it? [y/N] "},
        {OverwriteMode::Ask, true, "n\n", 0, "Write into it? [y/N] "},
        {OverwriteMode::Ask, true, "", 0, "Write into it? [y/N] "},  // end of input: refused
        {OverwriteMode::Ask, true, nullptr, 0, "Write into it? [y/N] "},
        {OverwriteMode::Ask, false, "y\n", 0, "--overwrite writes into it"},  // never asks a pipe
        {OverwriteMode::Never, true, "y\n", 0, "--overwrite writes into it"},
        {OverwriteMode::Never, false, nullptr, 0, "--overwrite writes into it"},
        {OverwriteMode::Always, false, nullptr, 1, ""},
        {OverwriteMode::Always, true, "n\n", 1, ""},
    };
    for (const AskCase& c : cases) {
        SCOPED_TRACE(std::string(c.typed ? c.typed : "(none)") + " mode " + std::to_string(static_cast<int>(c.mode)) +
                     (c.interactive ? " interactive" : " piped"));
        CapturedFile messages;
        CapturedFile typed(c.typed ? c.typed : "");
        CliConsole console;
        console.messages = messages.File();
        console.answers = c.typed ? typed.File() : nullptr;
        console.interactive = c.interactive;
        CliEvents events(console, c.mode, false);
        DecryptRequest request;
        events.BeginFile("a.enc", false, request);
        const char* folder = "C:\\data\\a\\";
        EXPECT_EQ(c.answer,
                  request.block.callback(RE_ASK_OVERWRITE, reinterpret_cast<intptr_t>(folder), 0, &request.block));
        EXPECT_EQ(c.answer == 0, events.OverwriteDeclined());
        const std::string text = messages.Text();
        EXPECT_NE(std::string::npos, text.find(c.printed)) << text;
        if (*c.printed) {
            EXPECT_NE(std::string::npos, text.find("kvr-decrypt: a.enc: ")) << text;
            EXPECT_NE(std::string::npos, text.find(folder)) << text;
        } else {
            EXPECT_EQ("", text);
        }
    }
}

TEST_F(CliEventsSession, CancelledSessionDeclinesTheQuestionWithoutAsking) {
    CapturedFile typed("y\n");
    CliEvents events(Console(typed.File(), true), OverwriteMode::Ask, false);
    events.BeginFile("a.enc", false, request_);
    CliConsoleCtrlHandler(CTRL_C_EVENT);
    EXPECT_EQ(0, Raise(RE_ASK_OVERWRITE, reinterpret_cast<intptr_t>("C:\\a\\")));
    EXPECT_EQ(std::string::npos, messages_.Text().find("[y/N]"));
}

TEST_F(CliEventsSession, BeginFileResetsTheOutcome) {
    CliEvents events(Console(nullptr, false), OverwriteMode::Never, true);
    events.BeginFile("a.enc", false, request_);
    Raise(RE_ERROR, reinterpret_cast<intptr_t>("Unknown Error"));
    Raise(RE_ASK_OVERWRITE, reinterpret_cast<intptr_t>("C:\\a\\"));
    EXPECT_EQ(1, events.ErrorCount());
    EXPECT_TRUE(events.OverwriteDeclined());
    DecryptRequest next;
    events.BeginFile("b.enc", false, next);
    EXPECT_EQ(0, events.ErrorCount());
    EXPECT_FALSE(events.OverwriteDeclined());
    EXPECT_FALSE(events.CancelSeen());
}

}  // namespace
