// Tests of the text control: the tag language as laid out, link targets and clicks, painting
// into the off-screen context of an erase, and the automatic scrolling.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/toolkit/dialogdef/GuiSupport.h"
#include "toolkit/controls/TextControl.h"
#include "toolkit/dialogdef/ControlTypes.h"

using namespace dialogtest;

namespace {

// A text control that records the links it would open instead of opening them.
class TestText : public TextControl {
public:
    std::vector<std::string> opened;

protected:
    void OpenLink(const char* target) override { opened.push_back(target); }
};

// A dialog whose text controls are of the recording kind.
class TextDialog : public TestDialog {
public:
    Window* NewControlObject(int type) override { return type == CT_TEXT ? new TestText : nullptr; }
    TestText& Text(int index) const { return static_cast<TestText&>(*Control(index)); }
};

// Each run as "[its text]" with b, i, u, L for bold, italic, underline, link and its colour
// when that is not the text's own; lines apart by " / ".
std::string Describe(const TextControl& text) {
    const std::string content = WindowText(text.Handle());
    std::string out;
    const TextLayout& layout = text.Layout();
    for (int l = 0; l < layout.Lines().Count(); l++) {
        const TextLine& line = layout.Lines()[l];
        out += l ? " / " : "";
        for (int r = line.firstRun; r < line.firstRun + line.runCount; r++) {
            const TextRun& run = layout.Runs()[r];
            // The test texts are ASCII: wide and narrow positions agree.
            out += "[" + content.substr(run.start, run.length) + "]";
            out += std::string(run.bold ? "b" : "") + (run.italic ? "i" : "") + (run.underline ? "u" : "");
            out += run.link ? "L" : "";
            // Links take the highlight colour.
            char color[12] = "";
            if (run.color != text.Color() && !run.link)
                snprintf(color, sizeof(color), "#%08X", run.color);
            out += color;
        }
    }
    return out;
}

TEST(TextControl, TagsAsLaidOut) {
    const struct {
        const char* text;
        const char* layout;
    } cases[] = {
        {"a <B>bold</B> c", "[a ][bold]b[ c]"},
        {"a <b>bold</b> c", "[a ][bold]b[ c]"},
        {"x </B>y", "[x ][y]"},
        {"<X>y<> <", "[<X>y<> <]"},
        {"<I><U>iu</U></I>", "[iu]iu"},
        {"<#FF0000>red</#>back", "[red]#FFFF0000[back]"},
        {"<#FF000080>faint</#>", "[faint]#80FF0000"},
        {"<#00FF00>g<#0000FF>b</#>g</#>", "[g]#FF00FF00[b]#FF0000FF[g]#FF00FF00"},
        {"<LINK>me@example.org</LINK>", "[me@example.org]L"},
        {"one\r\n<B>two</B>\nthree", "[one] / [two]b / [three]"},
        {"a\r\n\r\nb", "[a] /  / [b]"},
    };
    TextDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("TEXT", 1, "T", "0 0 300 60", "TEXT_TAGS=1")}));
    for (const auto& c : cases) {
        SetWindowTextA(dialog.Text(0).Handle(), c.text);
        EXPECT_EQ(Describe(dialog.Text(0)), c.layout) << c.text;
    }
}

TEST(TextControl, OnlyWebAndMailLinksOpen) {
    const struct {
        const char* link;
        const char* target;
    } cases[] = {
        {"http://example.org/a", "http://example.org/a"},
        {"HTTPS://example.org", "HTTPS://example.org"},
        {"mailto:me@example.org", "mailto:me@example.org"},
        {"me@example.org", "mailto:me@example.org"},
        {"file:///C:/windows/notepad.exe", ""},
        {"notepad.exe", ""},
        {"C:\\x@y\\run.bat", ""},
        {"javascript:alert('a@b')", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(TextControl::LinkTarget(c.link).Text(), c.target) << c.link;

    TextDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("TEXT", 1, "T", "0 0 300 60", "TEXT_TAGS=1")}));
    TestText& text = dialog.Text(0);
    SetWindowTextA(text.Handle(), "<LINK>http://example.org</LINK> <LINK>calc.exe</LINK> <LINK>a@b.c</LINK>");
    // Printing lays the links out where the clicks find them.
    Canvas canvas(300, 60);
    SendMessageA(text.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    for (int r = 0; r < text.Layout().Runs().Count(); r++) {
        const TextRun& run = text.Layout().Runs()[r];
        const LPARAM middle =
            MAKELPARAM(static_cast<int>(run.x + run.width / 2), static_cast<int>(run.y + run.height / 2));
        SendMessageA(text.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
        SendMessageA(text.Handle(), WM_LBUTTONUP, 0, middle);
    }
    EXPECT_EQ(text.opened, (std::vector<std::string>{"http://example.org", "mailto:a@b.c"}));
}

TEST(TextControl, TextSurvivesTheOffscreenComposition) {
    // The erase composes the background off screen and copies it to the target at its end:
    // text painted anywhere but into that off-screen context would be covered by the copy.
    TextDialog dialog;
    ASSERT_TRUE(dialog.Build(
        {Section("TEXT", 1, "T", "0 0 120 30", "CAPTION=WWWW MMMM\r\nTEXTCOLOR=#000000\r\nBACKCOLOR=#FFFFFF")}));
    Canvas target(120, 30);
    SendMessageA(dialog.Text(0).Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Dc()), 0);
    const auto dark = [](COLORREF pixel) { return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 200; };
    EXPECT_GT(target.Count({0, 0, 120, 30}, dark), 20);
    EXPECT_EQ(target.At(119, 0), RGB(255, 255, 255));
}

TEST(TextControl, AutomaticScrollingLoops) {
    TextDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("TEXT", 1, "UP", "0 0 100 40", "CAPTION=line"),
                              Section("TEXT", 2, "SIDE", "0 50 100 40", "CAPTION=marquee")}));
    TestText& rising = dialog.Text(0);
    rising.StartAutoScroll(0, -1000);
    EXPECT_TRUE(rising.IsScrolling());
    EXPECT_EQ(rising.ScrollY(), 40);  // comes in from the bottom
    // Down and out at the top, then back in from the bottom, never beyond either.
    int lowest = 40;
    bool cameBack = false;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 400; Sleep(2)) {
        const int before = rising.ScrollY();
        PumpMessages();
        lowest = std::min(lowest, rising.ScrollY());
        cameBack = cameBack || rising.ScrollY() > before;
        EXPECT_GE(rising.ScrollY(), -rising.TextHeight() - 40);
        EXPECT_LE(rising.ScrollY(), 40);
    }
    EXPECT_LT(lowest, 40);
    EXPECT_TRUE(cameBack);

    // Sideways only: the text stays on its line instead of waiting below the window; both
    // speeds 0 stop.
    TestText& sideways = dialog.Text(1);
    sideways.StartAutoScroll(-50, 0);
    EXPECT_EQ((std::vector<int>{sideways.ScrollX(), sideways.ScrollY()}), (std::vector<int>{100, 0}));
    sideways.StartAutoScroll(0, 0);
    EXPECT_FALSE(sideways.IsScrolling());
}

}  // namespace
