// Entry names come from untrusted archive bytes: only those that stay below the output folder
// may be joined to it.
#include <gtest/gtest.h>

#include "engine/EntryName.h"

namespace {

TEST(EntryNameTest, PlainRelativeNamesAndDeviceLookAlikesAreSafe) {
    const char* const names[] = {"a.txt",   "docs\\",   "docs\\old\\",  "sub\\file.bin", "a/b.txt",
                                 "a b.txt", "..a",      "a..b",         "CONSOLE.txt",   "COM10",
                                 "LPT",     "nul_file", "\xE9t\xE9.txt"};
    for (const char* name : names)
        EXPECT_TRUE(IsSafeEntryName(name)) << "'" << name << "'";
}

TEST(EntryNameTest, NamesThatLeaveTheFolderOrThatWindowsWouldRewriteAreNot) {
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
        EXPECT_FALSE(IsSafeEntryName(name)) << "'" << name << "'";
}

}  // namespace
