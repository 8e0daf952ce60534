// The texts of kvr-decrypt's request callback: typed answers and engine messages as lines.
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

struct AskCase {
    OverwriteMode mode;
    bool interactive;
    const char* typed;  // stdin content; nullptr: no stdin at all
    int32_t answer;
    const char* printed;  // a piece of what must be printed
};

}  // namespace
