// Entry names come from untrusted archive bytes; each case says whether the name may be
// joined to the output folder.
#include <gtest/gtest.h>

#include "engine/EntryName.h"

namespace {

struct NameCase {
    const char* name;
    bool safe;
};

const NameCase kNameCases[] = {
    // Plain relative names, folder entries, forward slashes, look-alikes of device names.
    {"a.txt", true},
    {"docs\\", true},
    {"docs\\old\\", true},
    {"sub\\file.bin", true},
    {"a/b.txt", true},
    {"a b.txt", true},
    {"..a", true},
    {"a..b", true},
    {"CONSOLE.txt", true},
    {"COM10", true},
    {"LPT", true},
    {"nul_file", true},
    {"\xE9t\xE9.txt", true},
    // Ways up and out.
    {"..", false},
    {"..\\x", false},
    {"a\\..\\..\\x", false},
    {"docs/../x", false},
    {"..\\", false},
    {".", false},
    {".\\a", false},
    {"a\\.\\b", false},
    {"\\abs", false},
    {"/abs", false},
    {"\\\\server\\share\\x", false},
    {"//server/share/x", false},
    {"C:\\x", false},
    {"C:x", false},
    {"a:b", false},
    {"a\\b:stream", false},
    // Devices, in any case and with any extension.
    {"CON", false},
    {"con\\", false},
    {"con.txt", false},
    {"Nul.tar.gz", false},
    {"aux\\x", false},
    {"x\\COM1", false},
    {"lpt9.log", false},
    {"PRN ", false},
    {"CON .txt", false},
    {"conin$", false},
    {"CONOUT$.x", false},
    // Control characters, names Windows would rewrite, empty components.
    {"", false},
    {"a\x01"
     "b",
     false},
    {"tab\tname", false},
    {"line\nfeed", false},
    {"a.", false},
    {"a \\b", false},
    {"dir.\\f", false},
    {"a\\\\b", false},
    {"a\\b\\\\", false},
};

class EntryNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(EntryNameTest, DecidesWhetherTheNameStaysBelowTheOutputFolder) {
    EXPECT_EQ(IsSafeEntryName(GetParam().name), GetParam().safe) << "name: '" << GetParam().name << "'";
}

INSTANTIATE_TEST_SUITE_P(Names, EntryNameTest, testing::ValuesIn(kNameCases));

}  // namespace
