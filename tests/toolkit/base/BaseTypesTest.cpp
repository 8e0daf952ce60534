// String: editing with range clamping, and positions outside the text; colour words. Array and
// StringList: growth rule, insertion and removal, and owned strings that go with every removal.
// Edits are checked as a table of {result, expected}; a failure names the entry's index.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

#include "toolkit/base/Array.h"
#include "toolkit/base/ColorText.h"
#include "toolkit/base/String.h"

namespace {
// Live blocks of operator new in this program, to see whether removed strings are deleted.
int g_liveBlocks = 0;
}  // namespace

void* operator new(size_t size) {
    ++g_liveBlocks;
    void* block = malloc(size ? size : 1);
    if (!block)
        abort();
    return block;
}
void operator delete(void* block) noexcept {
    if (block)
        --g_liveBlocks;
    free(block);
}
void operator delete(void* block, size_t) noexcept {
    operator delete(block);
}

TEST(Array, GrowthRuleBothWays) {
    Array<int> a;
    for (int i = 0; i < 63; i++)
        a.Append(i);
    EXPECT_EQ(64, a.Capacity());
    a.Append(63);
    EXPECT_EQ(128, a.Capacity());
    a.RemoveAt(63);
    EXPECT_EQ(64, a.Capacity());
    EXPECT_EQ(62, a[62]);
    a.SetSize(0, false);
    EXPECT_EQ(64, a.Capacity());
    a.Free();
    EXPECT_EQ(0, a.Capacity());
    EXPECT_EQ(nullptr, a.Data());
}

TEST(Array, InsertAndRemove) {
    Array<int> a;
    a.Append(1);
    a.Append(4);
    EXPECT_EQ(1, a.InsertAt(2, 1, 2));  // two copies
    EXPECT_EQ(4, a.InsertAt(9, -1));
    EXPECT_EQ(5, a.InsertAt(8, a.Count()));
    EXPECT_EQ(std::vector<int>(a.Data(), a.Data() + a.Count()), std::vector<int>({1, 2, 2, 4, 9, 8}));
    a.RemoveAt(1, -1);
    EXPECT_EQ(1, a.Count());
    a.RemoveAt(0, 0);
    a.RemoveAt(5);
    EXPECT_EQ(1, a.Count());
    EXPECT_TRUE(a.Append(a[0]) == 1);
    EXPECT_EQ(1, a[1]);
}

TEST(StringList, EveryRemovalThroughTheBaseDeletesTheStrings) {
    // Each road drops all three strings of a list that is then empty.
    void (*const removals[])(Array<String*>&) = {
        [](Array<String*>& a) { a.RemoveAt(0, -1); },          [](Array<String*>& a) { a.SetSize(0, true); },
        [](Array<String*>& a) { a.SetSize(5, false); },        [](Array<String*>& a) { a.Free(); },
        [](Array<String*>& a) { a.Assign(Array<String*>()); },
    };
    for (auto remove : removals) {
        StringList list;
        list.AddString("a", -1, 3);
        const int before = g_liveBlocks;
        remove(list);
        EXPECT_EQ(before - 3, g_liveBlocks);
        for (int i = 0; i < list.Count(); i++)
            EXPECT_EQ(nullptr, list[i]);  // fresh slots start empty, so the destructor is safe
    }
}

TEST(String, DeleteInsertReplaceRangeTrimSetAt) {
    String s("1234567");
    EXPECT_EQ(2, s.Delete(5, 10));
    EXPECT_EQ(0, s.Delete(5));
    EXPECT_EQ(3, s.Delete(1, 3));
    String t("ac");
    t.Insert("b", 1);
    t.Insert("z", 10);
    t.Insert("d", -1);
    String dashes(t);
    dashes.Insert('-', 2, 3);
    dashes.Insert('x', 1, 0);
    String r("hello world");
    r.ReplaceRange("HELLO THERE", 0, 5);
    String cut(r);
    cut.ReplaceRange("", 5);
    cut.ReplaceRange("x", 99);
    String blanks(" \t \t");
    blanks.TrimLeft(-1);
    String trimmed("\t x y \t");
    trimmed.TrimLeft(-1);
    trimmed.TrimRight(-1);
    String left(trimmed);
    left.TrimLeft(1);
    String none(left);
    none.TrimRight(5);
    String untouched("abc");
    untouched.TrimLeft(0);
    String setAt("abcd");
    setAt.SetAt(2, 0);  // a NUL cuts the text
    setAt.SetAt(0, 'x');
    const std::pair<String, const char*> edited[] = {
        {s, "15"},        {t, "abcd"},  {dashes, "ab---cd"}, {r, "HELLO THERE world"}, {cut, "HELLO"}, {blanks, ""},
        {trimmed, "x y"}, {left, " y"}, {none, ""},          {untouched, "abc"},       {setAt, "xb"}};
    for (size_t i = 0; i < std::size(edited); i++)
        EXPECT_STREQ(edited[i].second, edited[i].first.Text()) << "entry " << i;
    EXPECT_EQ(2, setAt.Length());
}

TEST(String, PositionsOutsideTheTextAreSafe) {
    String empty, emptied("x"), text("ab");
    emptied.Empty();
    for (String* s : {&empty, &emptied, &text}) {
        s->SetAt(s->Length(), 'z');
        s->SetAt(-1, 'z');
        EXPECT_EQ('\0', s->GetAt(s->Length()));
        EXPECT_EQ('\0', s->GetAt(-1));
    }
    EXPECT_STREQ("ab", text.Text());
    EXPECT_EQ('b', text.GetAt(1));
}

// Colour words in both written forms, as dialog definitions write and read them.
TEST(ColorText, BothFormsRoundTripOtherLengthsGiveZero) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0x000080FF, "#FF8000"},   {0x00000000, "#000000"},   {0x00FFFFFF, "#FFFFFF"},   {0x00123456, "#563412"},
        {0xFF000001, "#FF000001"}, {0xFF000000, "#FF000000"}, {0x01000000, "#01000000"}, {0xFE00000F, "#FE00000F"},
    };
    for (const auto& [color, text] : cases) {
        EXPECT_STREQ(ColorToText(color).Text(), text) << std::hex << color;
        EXPECT_EQ(TextToColor(text), color) << text;
    }
    // Other lengths give zero; case does not matter.
    for (const char* text : {"#FF800", "", "#FF80001", "#FF8000012", "FF8000", "#FF000000 ", "#GG0000"})
        EXPECT_EQ(TextToColor(text), 0u) << text;
    EXPECT_EQ(TextToColor(nullptr), 0u);
    EXPECT_EQ(TextToColor("#ff8000"), 0x000080FFu);
    EXPECT_EQ(TextToColor("xFF8000"), 0x000080FFu);  // the first character is not examined
}
