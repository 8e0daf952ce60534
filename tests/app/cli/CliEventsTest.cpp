// Typed answers of kvr-decrypt's overwrite question. The engine messages as lines, the bar and
// the cancel answer are checked through whole runs in CliRunTest.
#include "app/cli/CliEvents.h"

#include <gtest/gtest.h>

namespace {

TEST(CliEvents, YesAnswers) {
    for (const char* yes : {"y", "Y", "yes", "YES", " yes \r\n", "y\n"})
        EXPECT_TRUE(IsYesAnswer(yes)) << yes;
    for (const char* no : {"", "\n", "n", "no", "yess", "ye", "y y", "1", "oui"})
        EXPECT_FALSE(IsYesAnswer(no)) << no;
    EXPECT_FALSE(IsYesAnswer(nullptr));
}

}  // namespace
