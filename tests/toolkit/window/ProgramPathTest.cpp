// Tests of the program path and folder taken from the command line.
#include <gtest/gtest.h>

#include "toolkit/window/ProgramPath.h"

namespace {

TEST(ProgramPath, FirstArgumentOfACommandLine) {
    const struct {
        const char* commandLine;
        const char* expected;
    } cases[] = {
        {"C:\\prog\\kvr.exe", "C:\\prog\\kvr.exe"},
        {"C:\\prog\\kvr.exe -x y", "C:\\prog\\kvr.exe"},
        {"\"C:\\Program Files\\kvr.exe\" file.enc", "C:\\Program Files\\kvr.exe"},
        {"  kvr.exe\targ", "kvr.exe"},
        {"\"\"", ""},
        {"", ""},
        {"a\"b c\"d e", "ab cd"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FirstCommandLineArgument(c.commandLine).Text(), c.expected) << c.commandLine;
    EXPECT_STREQ(FirstCommandLineArgument(nullptr).Text(), "");
}

}  // namespace
