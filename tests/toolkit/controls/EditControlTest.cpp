// Tests of the edit control built from definition text: its colours and printing and the
// Enter report; and the toolkit's wildcard matcher.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/toolkit/dialogdef/GuiSupport.h"
#include "toolkit/base/Wildcard.h"
#include "toolkit/controls/EditControl.h"
#include "toolkit/controls/GroupControl.h"

using namespace dialogtest;

namespace {

TEST(Wildcard, MatchesWholeTexts) {
    // In the patterns below '%' stands for any sequence and '_' for one character.
    const struct {
        const char* text;
        std::string pattern;
        bool match;
    } cases[] = {
        {"abc", "a_c", true},                              // one character
        {"ac", "a_c", false},                              // not none
        {"abcbc", "a%bc", true},                           // the sequence goes past the first "bc"
        {"abcb", "a%bc", false},                           // the pattern ends where the text ends
        {"abc", "a*c", false},                             // '*' is an ordinary character
        {"", "%", true},                                   // an empty sequence
        {"aXbYc", "a%b%c", true},                          // two sequences
        {"aXbY", "a%b%c", false}, {"apple", "ap%", true},  // a prefix
        {"Apple", "ap%", false},                           // letter case counts
        {"a", "ap%", false},                               // a text shorter than the pattern
    };
    for (auto c : cases) {
        std::replace(c.pattern.begin(), c.pattern.end(), '%', kWildcardAnySequence);
        std::replace(c.pattern.begin(), c.pattern.end(), '_', kWildcardAnyOne);
        EXPECT_EQ(MatchWildcard(c.text, c.pattern.c_str()), c.match) << c.text;
    }
}

// Printed by the edit itself (its colours asked through the real WM_CTLCOLOREDIT path) and by
// the toolkit's Print: the text keeps its colour over a back colour, over none and over what
// was there (see-through). A null answer would hand the message to DefWindowProc, which
// resets the text colour of a control that has no back colour; an opaque text background
// would show as white cells around the letters.
TEST(EditControl, TextColourHoldsOverEveryBackground) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("EDIT", 1, "E", "10 10 150 20", "TEXTCOLOR=#0000FF\r\nCAPTION=WWW WWW"),
                              Section("GROUP", 2, "G", "10 40 150 40", "CAPTION=WWW WWW")}));
    auto* const edit = static_cast<EditControl*>(dialog.Control(0));
    const struct {
        uint32_t background;
        COLORREF corner;
    } cases[] = {{RGB(255, 0, 0), RGB(255, 0, 0)},
                 {Window::kSeeThrough, RGB(0, 0, 0)},
                 {Window::kNoColor, GetSysColor(COLOR_WINDOW)}};
    const auto blue = [](COLORREF pixel) { return GetBValue(pixel) > 150 && GetRValue(pixel) < 100; };
    const auto white = [](COLORREF pixel) { return pixel == RGB(255, 255, 255); };
    for (const auto& c : cases) {
        edit->background = c.background;
        for (bool own : {true, false}) {
            SCOPED_TRACE(testing::Message() << std::hex << c.background << (own ? " printed itself" : " by Print"));
            Canvas printed(150, 20);
            if (own)
                SendMessageA(edit->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_CLIENT);
            else
                edit->Print(printed.Dc(), PRF_CLIENT);
            EXPECT_EQ(printed.At(1, 1), c.corner);
            EXPECT_GT(printed.Count({0, 0, 150, 20}, blue), 0);
            if (c.background != Window::kNoColor) {
                EXPECT_EQ(printed.Count({0, 0, 150, 20}, white), 0);
            }
        }
    }
    // A group box (without a back colour too) of common controls 6 draws its caption in the
    // theme's colour whatever the answer says: checked by its answer.
    auto* const group = static_cast<GroupControl*>(dialog.Control(1));
    group->textColor = 0xFF0000FF;
    Canvas answered(1, 1);
    EXPECT_NE(SendMessageA(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(answered.Dc()),
                           reinterpret_cast<LPARAM>(group->Handle())),
              0);
    EXPECT_EQ(GetTextColor(answered.Dc()), RGB(0, 0, 255));
}

// Enter, and only Enter, is reported to the parent.
TEST(EditControl, EnterIsReported) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("EDIT", 1, "E", "10 10 150 20")}));
    const HWND edit = dialog.Control(0)->Handle();
    for (WPARAM key : {WPARAM('A'), WPARAM(VK_RETURN)}) {
        SendMessageA(edit, WM_KEYDOWN, key, 1);
        SendMessageA(edit, WM_KEYUP, key, 0xC0000001);
    }
    EXPECT_EQ(dialog.reports,
              (std::vector<Report>{{WM_SWND_EDITENTER, reinterpret_cast<WPARAM>(dialog.Control(0)), 0}}));
}

}  // namespace
