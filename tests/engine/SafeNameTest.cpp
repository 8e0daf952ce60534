// Entry and key names come from untrusted archive bytes: converted from the code page (1252 in
// the test prefix), only those that stay below their folder may be joined to it.
#include <gtest/gtest.h>

#include "engine/SafeName.h"

namespace {

TEST(SafeNameTest, PlainRelativeNamesAndDeviceLookAlikesAreSafe) {
    const char* const names[] = {"a.txt",
                                 "docs\\",
                                 "docs\\old\\",
                                 "sub\\file.bin",
                                 "a/b.txt",
                                 "a b.txt",
                                 "..a",
                                 "a..b",
                                 "CONSOLE.txt",
                                 "COM10",
                                 "LPT",
                                 "nul_file",
                                 "\xC3\xA9t\xC3\xA9.txt",
                                 "COM\xC2\xB4.txt",
                                 "\xE6\x97\xA5\xE6\x9C\xAC\\x"};
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
    const struct {
        const char* stored;
        const char* name;
    } cases[] = {{"plain.txt", "plain.txt"},
                 {"", ""},
                 {"Gr\xFC\xDF"
                  "e.txt",
                  "Gr\xC3\xBC\xC3\x9F"
                  "e.txt"},
                 {"Ordner\\\xC7"
                  "a va.txt",
                  "Ordner\\\xC3\x87"
                  "a va.txt"},
                 {"Schl\xFCssel.key", "Schl\xC3\xBCssel.key"},
                 {"bad\x81.txt", "bad\xC2\x81.txt"}};
    for (const auto& c : cases) {
        String name;
        EXPECT_TRUE(NameFromArchive(c.stored, name)) << c.stored;
        EXPECT_STREQ(name.Text(), c.name) << c.stored;
    }
}

}  // namespace
