// Tests of the program path and folder taken from the command line.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

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

TEST(ProgramPath, FolderOfAnAbsolutePath) {
    EXPECT_STREQ(ProgramFolderOf("C:\\prog\\kvr.exe").Text(), "C:\\prog\\");
    EXPECT_STREQ(ProgramFolderOf("C:\\kvr.exe").Text(), "C:\\");
    EXPECT_STREQ(ProgramFolderOf("").Text(), "");
    EXPECT_STREQ(ProgramFolderOf(nullptr).Text(), "");
}

TEST(ProgramPath, RelativePathIsMadeAbsoluteAgainstTheCurrentFolder) {
    char saved[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(sizeof(saved), saved), 0u);
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof(temp), temp), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(temp));
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof(current), current);
    std::string base = current;
    if (base.back() != '\\')
        base += '\\';

    EXPECT_EQ(std::string(ProgramFolderOf("bin\\kvr.exe").Text()), base + "bin\\");
    EXPECT_EQ(std::string(ProgramFolderOf("kvr.exe").Text()), base);
    EXPECT_EQ(std::string(ProgramFolderOf(".\\kvr.exe").Text()), base);
    SetCurrentDirectoryA(saved);
}

}  // namespace
