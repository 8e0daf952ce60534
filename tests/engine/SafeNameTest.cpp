// Entry and key names come from untrusted archive bytes: converted from the code page (1252 in
// the test prefix), only those that stay below their folder may be joined to it.
#include <gtest/gtest.h>

#include "engine/SafeName.h"

namespace {

TEST(SafeNameTest, PlainRelativeNamesAndDeviceLookAlikesAreSafe) {
    const char* const names[] = {// Files and folders, either separator, dots and blanks inside.
                                 "a.txt", "docs\\", "docs\\old\\", "sub\\file.bin", "a/b.txt", "a b.txt", "..a", "a..b",
                                 // Names that only look like devices, and characters beyond ASCII.
                                 "CONSOLE.txt", "COM10", "LPT", "nul_file", "\u00e9t\u00e9.txt", "COM\u00b4.txt",
                                 "\u65e5\u672c\\x"};
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
        "CONOUT$.x", "COM\xC2\xB9", "lpt\xC2\xB3.txt",
        // Control characters, trailing dots and blanks, empty components.
        "", "a\001b", "tab\tname", "line\nfeed", "a.", "a \\b", "dir.\\f", "a\\\\b", "a\\b\\\\", "bad\xC2\x81.txt",
        "x\xC2\x9F"};
    for (const char* name : names)
        EXPECT_FALSE(IsSafeRelativeName(name) || IsSafeFileName(name)) << "'" << name << "'";
}

// Code page 1252 has a character for every byte: the five it leaves undefined become the
// control characters that the rule then refuses.
TEST(SafeNameTest, StoredNamesAreConvertedFromTheCodePage) {
    const std::pair<const char*, const char*> cases[] = {{"plain.txt", "plain.txt"},
                                                         {"", ""},
                                                         {"Gr\374\337e.txt", "Gr\u00fc\u00dfe.txt"},
                                                         {"bad\x81.txt", "bad\xC2\x81.txt"}};
    for (const auto& c : cases) {
        String name;
        EXPECT_TRUE(NameFromArchive(c.first, name)) << c.first;
        EXPECT_STREQ(name.Text(), c.second) << c.first;
    }
}

}  // namespace
