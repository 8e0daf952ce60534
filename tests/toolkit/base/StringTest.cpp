// String: capacity rule, searches and range clamping, editing, formatting, conversions.
// Most checks are tables of {result, expected}; a failure names the entry's index.
#include "toolkit/base/String.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace {

using TextCase = std::pair<String, const char*>;
using NumberCase = std::pair<int, int>;

template <size_t N>
void ExpectTexts(const TextCase (&cases)[N]) {
    for (size_t i = 0; i < N; i++)
        EXPECT_STREQ(cases[i].second, cases[i].first.Text()) << "entry " << i;
}

template <size_t N>
void ExpectNumbers(const NumberCase (&cases)[N]) {
    for (size_t i = 0; i < N; i++)
        EXPECT_EQ(cases[i].second, cases[i].first) << "entry " << i;
}

TEST(String, CapacityStepsAndEmptyStates) {
    const struct {
        int length;
        int capacity;
    } cases[] = {{0, 16}, {14, 16}, {15, 32}, {16, 32}, {30, 32}, {31, 48}, {100, 112}};
    for (const auto& c : cases) {
        String s;
        s.Resize(c.length, 'x');
        EXPECT_EQ(c.capacity, s.Capacity()) << c.length;
        EXPECT_EQ(c.length, s.Length());
        EXPECT_EQ(0, s.Text()[c.length]);
    }
    String s;
    EXPECT_EQ(0, s.Capacity());
    EXPECT_STREQ("", s.Text());
    s.Assign("");
    EXPECT_EQ(16, s.Capacity());
    s.Assign(static_cast<const char*>(nullptr));
    EXPECT_STREQ("", s.Text());
    s.Empty();
    EXPECT_EQ(0, s.Capacity());
    EXPECT_STREQ("", s.Text());

    String grown("12345678901234");  // 14 bytes in 16: one more byte moves to 32, which never shrinks
    EXPECT_EQ(16, grown.Capacity());
    grown.Append('5');
    grown.Append("6");
    EXPECT_STREQ("1234567890123456", grown.Text());
    grown.SetLength(2, true);
    EXPECT_EQ(32, grown.Capacity());
    EXPECT_STREQ("12", grown.Text());
}

TEST(String, OwnBufferAsSourceAndTags) {
    String s("abcdefghijklmn");  // capacity 16; appending itself forces a move
    s.Append(s.Text());
    s.Append(s.Text() + 20);
    String t("xy");
    t.Insert(t.Text(), 1);
    const TextCase edited[] = {{s, "abcdefghijklmnabcdefghijklmnghijklmn"}, {t, "xxyy"}};
    ExpectTexts(edited);

    String tagged("a");
    tagged.SetTag(7);
    String assigned;
    assigned.Assign(tagged);
    EXPECT_EQ(7u, String(tagged).Tag());
    EXPECT_EQ(7u, assigned.Tag());
    EXPECT_EQ(0u, (tagged + "b").Tag());  // concatenation makes a new text without the tag
    EXPECT_STREQ("ab", (tagged + "b").Text());
}

TEST(String, FindCharAndTextRanges) {
    const struct {
        const char* text;
        const char* needle;
        int start;
        int count;
        bool after;
        int expected;
    } cases[] = {
        {"xxxab", "ab", 3, 2, false, 3},   {"xxxxab", "ab", 3, 2, false, -1}, {"xxxab", "ab", 0, -1, true, 5},
        {"abcabc", "bc", 2, -1, false, 4}, {"abc", "", 0, -1, false, -1},     {"abc", "abcd", 0, -1, false, -1},
        {"abc", "a", -5, -1, false, 0},    {"abc", "c", 3, -1, false, -1},    {"abc", "c", 0, 99, false, 2},
    };
    for (const auto& c : cases) {
        String s(c.text);
        EXPECT_EQ(c.expected, s.Find(c.needle, c.start, c.count, c.after)) << c.text << " / " << c.needle;
    }
    const String s("hello");
    const String mixed("HeLLo");
    const String path("a\\b\\c");
    const NumberCase positions[] = {{s.Find('l'), 2},
                                    {s.Find('l', 3), 3},
                                    {s.Find('o', 0, 4), -1},
                                    {s.Find('h', 5), -1},
                                    {mixed.FindNoCase("ell"), 1},
                                    {mixed.FindNoCase("ell", 2), -1},
                                    {String("").ReverseFind('a'), -1},
                                    {String().ReverseFind('a'), -1},
                                    {path.ReverseFind('\\'), 3},
                                    {path.ReverseFind('\\', 2), 1},
                                    {s.ReverseFind('h', 5), -1},
                                    {s.ReverseFind('l'), 3}};
    ExpectNumbers(positions);
}

TEST(String, ExtractionAndComparison) {
    const String s("abcdef");
    const TextCase pieces[] = {{s.Left(0), ""},     {s.Left(3), "abc"},    {s.Left(99), "abcdef"},
                               {s.Right(1), "f"},   {s.Right(-1), ""},     {s.Right(10), "abcdef"},
                               {s.Mid(2, 2), "cd"}, {s.Mid(-3), "abcdef"}, {s.Mid(6), ""}};
    ExpectTexts(pieces);
    EXPECT_STREQ("ab", String("ab=cd").BeforeChar('=').Text());
    EXPECT_STREQ("abcd", String("abcd").BeforeChar('=').Text());
    EXPECT_STREQ("ABC1", String("abC1").Upper().Text());
    const String abc("abc");
    EXPECT_TRUE(abc == "abc");
    EXPECT_TRUE(abc != "abd");
    const String high("\xE9");  // above "z" in unsigned byte order
    const NumberCase orders[] = {{abc.Compare("abd"), -1},
                                 {high.Compare("z"), 1},
                                 {abc.Compare("abc"), 0},
                                 {abc.CompareNoCase("ABC"), 0},
                                 {abc.CompareNoCase("ABD") < 0, true}};
    ExpectNumbers(orders);
}

TEST(String, TokensAndLines) {
    String s("ab  \t cd");
    int next = 0;
    EXPECT_STREQ("ab", s.GetToken(0, next).Text());
    EXPECT_EQ(2, next);
    EXPECT_STREQ("  \t ", s.GetToken(next, next).Text());
    EXPECT_STREQ("cd", s.GetToken(next, next).Text());
    EXPECT_EQ(8, next);

    const struct {
        const char* text;
        const char* line;
        int next;
        int lineCount;
    } lines[] = {{"a\r\nb", "a", 3, 2}, {"a\rb", "a", 2, 1}, {"abc", "abc", 3, 1},  {"a\nb", "a", 2, 1},
                 {"\r\n", "", 2, 2},    {"", "", 0, 1},      {"\r\n\r\n", "", 2, 3}};
    for (const auto& c : lines) {
        String t(c.text);
        EXPECT_STREQ(c.line, t.GetLine(0, next).Text()) << c.text;
        EXPECT_EQ(c.next, next) << c.text;
        EXPECT_EQ(c.lineCount, t.LineCount()) << c.text;
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

TEST(String, ReplaceAll) {
    String tabs("a\t\tb");
    String spaces(" a b  c ");
    String grow("aaa");  // resumes after each replacement: no endless loop
    String ranged("a.a.a.a");
    String path("a/b/c");
    const NumberCase counts[] = {{tabs.Replace("\t", "    "), 2}, {spaces.Replace(" ", ""), 5},
                                 {grow.Replace("a", "aa"), 3},    {ranged.Replace(".", "::", 0, 4), 2},
                                 {ranged.Replace("", "x"), 0},    {path.Replace('/', '\\'), 2}};
    ExpectNumbers(counts);
    const TextCase replaced[] = {
        {tabs, "a        b"}, {spaces, "abc"}, {grow, "aaaaaa"}, {ranged, "a::a::a.a"}, {path, "a\\b\\c"}};
    ExpectTexts(replaced);
}

TEST(String, FormatAndFromDouble) {
    String big(std::string(300, 'q').c_str());
    String s;
    s.Format("<%s>", big.Text());
    EXPECT_EQ(302, s.Length());
    s.Format("%0500d", 1);
    EXPECT_EQ(500, s.Length());
    s.Format("%f", 1e300);
    EXPECT_EQ(301, s.Find('.'));
    s.Format("%.3s", "abcdef");
    EXPECT_STREQ("abc", s.Text());
    s.Format("%d|%5s|%-3d|%x|%s", -12, "ab", 7, 255, static_cast<const char*>("z"));
    EXPECT_STREQ("-12|   ab|7  |ff|z", s.Text());
    s.Format("%lld %c%%", 1234567890123LL, 'k');
    EXPECT_STREQ("1234567890123 k%", s.Text());

    const struct {
        double x;
        const char* text;
    } cases[] = {{0.0, "0"}, {-1.25, "-1.25"}, {2.5, "2.5"}, {3.0, "3"}, {10.0, "10"}, {0.125, "0.125"}};
    for (const auto& c : cases)
        EXPECT_STREQ(c.text, String().FromDouble(c.x).Text()) << c.x;
}

TEST(String, WideAndCopies) {
    String s("K\xE9y");  // e-acute in the ANSI code page
    const wchar_t* wide = s.ToWide();
    EXPECT_EQ(L'K', wide[0]);
    EXPECT_EQ(0x00E9, wide[1]);
    EXPECT_EQ(0, wide[3]);
    wchar_t* owned = s.NewWide();
    EXPECT_EQ(0, wcscmp(owned, wide));
    free(owned);
    char* copy = s.NewCopy();
    EXPECT_STREQ(s.Text(), copy);
    free(copy);
    EXPECT_EQ(0, String().ToWide()[0]);
}

TEST(String, IdentifierClasses) {
    const NumberCase classes[] = {
        {IsIdentifier("BTN_OK"), true}, {IsIdentifier("_x1"), true},    {IsIdentifier("1x"), false},
        {IsIdentifier(""), false},      {IsIdentifier("a-b"), false},   {IsIdentLetter('\xE9'), true},
        {IsIdentLetter('\xF7'), false}, {IsIdentLetter('\xE5'), false}, {IsIdentChar('_'), true}};
    ExpectNumbers(classes);
}

}  // namespace
