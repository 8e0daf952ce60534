// String: editing with range clamping, and positions outside the text.
// Edits are checked as a table of {result, expected}; a failure names the entry's index.
#include "toolkit/base/String.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using TextCase = std::pair<String, const char*>;

template <size_t N>
void ExpectTexts(const TextCase (&cases)[N]) {
    for (size_t i = 0; i < N; i++)
        EXPECT_STREQ(cases[i].second, cases[i].first.Text()) << "entry " << i;
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
    const TextCase edited[] = {{s, "15"},      {t, "abcd"},        {dashes, "ab---cd"}, {r, "HELLO THERE world"},
                               {cut, "HELLO"}, {blanks, ""},       {trimmed, "x y"},    {left, " y"},
                               {none, ""},     {untouched, "abc"}, {setAt, "xb"}};
    ExpectTexts(edited);
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

}  // namespace
