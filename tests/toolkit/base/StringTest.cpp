// String: capacity rule, searches and range clamping, editing, formatting, conversions.
#include "toolkit/base/String.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

TEST(String, DefaultAndEmptyAssignment) {
    String s;
    EXPECT_EQ(0, s.Length());
    EXPECT_STREQ("", s.Text());
    EXPECT_EQ(0, s.Capacity());
    s.Assign("");
    EXPECT_EQ(16, s.Capacity());
    s.Assign(static_cast<const char*>(nullptr));
    EXPECT_STREQ("", s.Text());
    s.Empty();
    EXPECT_EQ(0, s.Capacity());
    EXPECT_STREQ("", s.Text());
}

TEST(String, CapacityStepsAndNeverShrinks) {
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
    String s("12345678901234");  // 14 bytes
    EXPECT_EQ(16, s.Capacity());
    s.Append('5');
    EXPECT_EQ(32, s.Capacity());
    s.Append("6");
    EXPECT_STREQ("1234567890123456", s.Text());
    s.SetLength(2, true);
    EXPECT_EQ(32, s.Capacity());
    EXPECT_STREQ("12", s.Text());
}

TEST(String, AppendFromOwnBuffer) {
    String s("abcdefghijklmn");  // capacity 16; appending itself forces a move
    s.Append(s.Text());
    EXPECT_STREQ("abcdefghijklmnabcdefghijklmn", s.Text());
    s.Append(s.Text() + 20);
    EXPECT_STREQ("abcdefghijklmnabcdefghijklmnghijklmn", s.Text());
    String t("xy");
    t.Insert(t.Text(), 1);
    EXPECT_STREQ("xxyy", t.Text());
}

TEST(String, CopyCarriesTagConcatenationDoesNot) {
    String s("a");
    s.SetTag(7);
    String copy(s);
    EXPECT_EQ(7u, copy.Tag());
    String assigned;
    assigned.Assign(s);
    EXPECT_EQ(7u, assigned.Tag());
    EXPECT_EQ(0u, (s + "b").Tag());
    EXPECT_STREQ("ab", (s + "b").Text());
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
    String s("hello");
    EXPECT_EQ(2, s.Find('l'));
    EXPECT_EQ(3, s.Find('l', 3));
    EXPECT_EQ(-1, s.Find('o', 0, 4));
    EXPECT_EQ(-1, s.Find('h', 5));
    EXPECT_EQ(1, String("HeLLo").FindNoCase("ell"));
    EXPECT_EQ(-1, String("HeLLo").FindNoCase("ell", 2));
}

TEST(String, ReverseFind) {
    EXPECT_EQ(-1, String("").ReverseFind('a'));
    EXPECT_EQ(-1, String().ReverseFind('a'));
    EXPECT_EQ(4, String("a\\b\\c").ReverseFind('\\') + 1);
    EXPECT_EQ(1, String("a\\b\\c").ReverseFind('\\', 2));
    EXPECT_EQ(-1, String("abc").ReverseFind('a', 3));
}

TEST(String, Extraction) {
    String s("abcdef");
    EXPECT_STREQ("", s.Left(0).Text());
    EXPECT_STREQ("abc", s.Left(3).Text());
    EXPECT_STREQ("abcdef", s.Left(99).Text());
    EXPECT_STREQ("f", s.Right(1).Text());
    EXPECT_STREQ("", s.Right(-1).Text());
    EXPECT_STREQ("abcdef", s.Right(10).Text());
    EXPECT_STREQ("cd", s.Mid(2, 2).Text());
    EXPECT_STREQ("abcdef", s.Mid(-3).Text());
    EXPECT_STREQ("", s.Mid(6).Text());
    EXPECT_STREQ("ab", String("ab=cd").BeforeChar('=').Text());
    EXPECT_STREQ("abcd", String("abcd").BeforeChar('=').Text());
    EXPECT_STREQ("ABC1", String("abC1").Upper().Text());
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
    } lines[] = {{"a\r\nb", "a", 3}, {"a\rb", "a", 2}, {"abc", "abc", 3}, {"a\nb", "a", 2}, {"\r\n", "", 2}};
    for (const auto& c : lines) {
        String t(c.text);
        EXPECT_STREQ(c.line, t.GetLine(0, next).Text()) << c.text;
        EXPECT_EQ(c.next, next) << c.text;
    }
    EXPECT_EQ(1, String("a\nb").LineCount());
    EXPECT_EQ(2, String("a\r\nb").LineCount());
    EXPECT_EQ(1, String("").LineCount());
    EXPECT_EQ(3, String("\r\n\r\n").LineCount());
}

TEST(String, DeleteInsertReplaceRange) {
    String s("1234567");
    EXPECT_EQ(2, s.Delete(5, 10));
    EXPECT_STREQ("12345", s.Text());
    EXPECT_EQ(0, s.Delete(5));
    EXPECT_EQ(3, s.Delete(1, 3));
    EXPECT_STREQ("15", s.Text());

    String t("ac");
    t.Insert("b", 1);
    t.Insert("z", 10);
    t.Insert("d", -1);
    EXPECT_STREQ("abcd", t.Text());
    t.Insert('-', 2, 3);
    EXPECT_STREQ("ab---cd", t.Text());
    t.Insert('x', 1, 0);
    EXPECT_STREQ("ab---cd", t.Text());

    String r("hello world");
    r.ReplaceRange("HELLO THERE", 0, 5);
    EXPECT_STREQ("HELLO THERE world", r.Text());
    r.ReplaceRange("", 5);
    EXPECT_STREQ("HELLO", r.Text());
    r.ReplaceRange("x", 99);
    EXPECT_STREQ("HELLO", r.Text());
}

TEST(String, ReplaceAll) {
    String tabs("a\t\tb");
    EXPECT_EQ(2, tabs.Replace("\t", "    "));
    EXPECT_STREQ("a        b", tabs.Text());
    String spaces(" a b  c ");
    EXPECT_EQ(5, spaces.Replace(" ", ""));
    EXPECT_STREQ("abc", spaces.Text());
    String grow("aaa");
    EXPECT_EQ(3, grow.Replace("a", "aa"));  // resumes after each replacement: no endless loop
    EXPECT_STREQ("aaaaaa", grow.Text());
    String ranged("a.a.a.a");
    EXPECT_EQ(2, ranged.Replace(".", "::", 0, 4));
    EXPECT_STREQ("a::a::a.a", ranged.Text());
    EXPECT_EQ(0, ranged.Replace("", "x"));
    String path("a/b/c");
    EXPECT_EQ(2, path.Replace('/', '\\'));
    EXPECT_STREQ("a\\b\\c", path.Text());
}

TEST(String, Trim) {
    String s(" \t \t");
    s.TrimLeft(-1);
    EXPECT_STREQ("", s.Text());
    String t("\t x y \t");
    t.TrimLeft(-1);
    t.TrimRight(-1);
    EXPECT_STREQ("x y", t.Text());
    t.TrimLeft(1);
    EXPECT_STREQ(" y", t.Text());
    t.TrimRight(5);
    EXPECT_STREQ("", t.Text());
    String u("abc");
    u.TrimLeft(0);
    EXPECT_STREQ("abc", u.Text());
}

TEST(String, SetAtCuts) {
    String s("abcd");
    s.SetAt(2, 0);
    EXPECT_STREQ("ab", s.Text());
    EXPECT_EQ(2, s.Length());
    s.SetAt(0, 'x');
    EXPECT_STREQ("xb", s.Text());
}

TEST(String, FormatProducesWholeText) {
    String big(std::string(300, 'q').c_str());
    String s;
    s.Format("<%s>", big.Text());
    EXPECT_EQ(302, s.Length());
    s.Format("%.3s", "abcdef");
    EXPECT_STREQ("abc", s.Text());
    s.Format("%d|%5s|%-3d|%x|%s", -12, "ab", 7, 255, static_cast<const char*>("z"));
    EXPECT_STREQ("-12|   ab|7  |ff|z", s.Text());
    s.Format("%0500d", 1);
    EXPECT_EQ(500, s.Length());
    s.Format("%f", 1e300);
    EXPECT_EQ(301, s.Find('.'));
    s.Format("%lld %c%%", 1234567890123LL, 'k');
    EXPECT_STREQ("1234567890123 k%", s.Text());
}

TEST(String, FromDouble) {
    const struct {
        double x;
        const char* text;
    } cases[] = {{0.0, "0"}, {-1.25, "-1.25"}, {2.5, "2.5"}, {3.0, "3"}, {10.0, "10"}, {0.125, "0.125"}};
    for (const auto& c : cases) {
        String s;
        EXPECT_STREQ(c.text, s.FromDouble(c.x).Text()) << c.x;
    }
}

TEST(String, Comparison) {
    String s("abc");
    EXPECT_TRUE(s == "abc");
    EXPECT_TRUE(s != "abd");
    EXPECT_EQ(-1, s.Compare("abd"));
    EXPECT_EQ(1, String("\xE9").Compare("z"));  // unsigned byte order
    EXPECT_EQ(0, s.Compare("abc"));
    EXPECT_EQ(0, s.CompareNoCase("ABC"));
    EXPECT_LT(s.CompareNoCase("ABD"), 0);
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
    String empty;
    EXPECT_EQ(0, empty.ToWide()[0]);
}

TEST(String, IdentifierClasses) {
    EXPECT_TRUE(IsIdentifier("BTN_OK"));
    EXPECT_TRUE(IsIdentifier("_x1"));
    EXPECT_FALSE(IsIdentifier("1x"));
    EXPECT_FALSE(IsIdentifier(""));
    EXPECT_FALSE(IsIdentifier("a-b"));
    EXPECT_TRUE(IsIdentLetter('\xE9'));
    EXPECT_FALSE(IsIdentLetter('\xF7'));
    EXPECT_FALSE(IsIdentLetter('\xE5'));
    EXPECT_TRUE(IsIdentChar('_'));
}
