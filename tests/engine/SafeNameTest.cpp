// Entry and key names come from untrusted archive bytes: only those that stay below their
// folder may be joined to it.
#include <gtest/gtest.h>

#include "engine/SafeName.h"

namespace {

TEST(SafeNameTest, PlainRelativeNamesAndDeviceLookAlikesAreSafe) {
    const char* const names[] = {"a.txt",   "docs\\",   "docs\\old\\",  "sub\\file.bin", "a/b.txt",
                                 "a b.txt", "..a",      "a..b",         "CONSOLE.txt",   "COM10",
                                 "LPT",     "nul_file", "\xE9t\xE9.txt"};
    for (const char* name : names)
        EXPECT_TRUE(IsSafeRelativeName(name)) << "'" << name << "'";
    for (const char* name : {"a.txt", "..a", "COM10", "nul_file"})
        EXPECT_TRUE(IsSafeFileName(name)) << "'" << name << "'";
    for (const char* name : {"docs\\", "sub\\file.bin", "a/b.txt"})
        EXPECT_FALSE(IsSafeFileName(name)) << "'" << name << "'";
}

TEST(SafeNameTest, NamesThatLeaveTheFolderOrThatWindowsWouldRewriteAreNot) {
    const char* const names[] = {
        // Ways up and out.
        "..", "..\\x", "a\\..\\..\\x", "docs/../x", "..\\", ".", ".\\a", "a\\.\\b", "\\abs", "/abs",
        "\\\\server\\share\\x", "//server/share/x", "C:\\x", "C:x", "a:b", "a\\b:stream",
        // Devices, in any case and with any extension.
        "CON", "con\\", "con.txt", "Nul.tar.gz", "aux\\x", "x\\COM1", "lpt9.log", "PRN ", "CON .txt", "conin$",
        "CONOUT$.x",
        // Control characters, trailing dots and blanks, empty components.
        "", "a\001b", "tab\tname", "line\nfeed", "a.", "a \\b", "dir.\\f", "a\\\\b", "a\\b\\\\"};
    for (const char* name : names)
        EXPECT_FALSE(IsSafeRelativeName(name) || IsSafeFileName(name)) << "'" << name << "'";
}

}  // namespace
