// Tests of the edit control built from definition text: its colours and printing, the Enter
// report and the completion popup driven by keys; and the toolkit's wildcard matcher.
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

// The popup under the edit offers the words that begin with the typed text (letter case
// counts), all of them for Down on an empty edit; Down, Up and Enter take a word, Escape keeps
// the text, keys in the popup are never the edit's Enter report, and the popup goes with the edit.
TEST(EditControl, CompletionOffersAndTakesWords) {
    const struct {
        const char* typed;
        std::vector<WPARAM> keys;
        const char* offered;  // afterwards; "" when no popup is open
        const char* text;
    } cases[] = {
        {"", {VK_DOWN}, "apple|Apricot|apex|banana|ap", ""},
        {"Ap", {}, "Apricot", "Ap"},
        {"apples", {}, "", "apples"},
        {"ap", {VK_DOWN, VK_DOWN, VK_UP, VK_DOWN, VK_RETURN}, "", "apex"},
        {"ap", {VK_ESCAPE}, "", "ap"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        TestDialog dialog;
        ASSERT_TRUE(
            dialog.Build({Section("EDIT", 1, "E", "10 10 150 20", "STYLE=WS_VISIBLE WS_BORDER ES_AUTOHSCROLL")}));
        EditControl& edit = *static_cast<EditControl*>(dialog.Control(0));
        for (const char* word : {"apple", "Apricot", "apex", "banana", "ap"})
            edit.CompletionWords().AddString(word);
        edit.SetCompletion(true);
        SetFocus(edit.Handle());
        const auto press = [&edit](WPARAM key, char typed) {
            SendMessageA(edit.Handle(), WM_KEYDOWN, key, 1);
            if (typed)
                SendMessageA(edit.Handle(), WM_CHAR, static_cast<unsigned char>(typed), 1);
            SendMessageA(edit.Handle(), WM_KEYUP, key, 0xC0000001);
            PumpMessages();
        };
        for (const char* typed = c.typed; *typed; typed++)
            press(VkKeyScanA(*typed) & 0xFF, *typed);
        for (WPARAM key : c.keys)
            press(key, key == VK_RETURN ? '\r' : key == VK_ESCAPE ? 27 : 0);
        std::string offered;
        ListControl* popup = edit.CompletionPopup();
        for (int i = 0; popup && i < popup->GetCount(); i++)
            offered += (i ? "|" : "") + std::string(popup->GetItemText(i).Text());
        EXPECT_EQ(offered, c.offered);
        char text[64] = {};
        GetWindowTextA(edit.Handle(), text, sizeof(text));
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ(GetFocus(), edit.Handle());
        EXPECT_TRUE(dialog.reports.empty());
        if (!popup)
            continue;
        RECT under{}, shown{};
        GetWindowRect(edit.Handle(), &under);
        under = RECT{under.left, under.bottom, under.right, under.bottom + EditControl::kPopupHeight};
        GetWindowRect(popup->Handle(), &shown);
        EXPECT_TRUE(EqualRect(&shown, &under));
        const HWND window = popup->Handle();
        DestroyWindow(edit.Handle());
        EXPECT_FALSE(IsWindow(window));
    }
}

TEST(EditControl, CompletionPopupStaysOnTheScreen) {
    const RECT screen{0, 0, 800, 600}, low{0, 0, 800, 300};
    const struct {
        RECT work, edit, popup;
    } cases[] = {
        {screen, {100, 100, 250, 120}, {100, 120, 250, 320}},  // below
        {screen, {100, 500, 250, 520}, {100, 300, 250, 500}},  // above
        {low, {100, 120, 250, 140}, {100, 140, 250, 300}},     // below, cut
        {low, {100, 170, 250, 190}, {100, 0, 250, 170}},       // above, cut
        {screen, {700, 100, 850, 120}, {650, 120, 800, 320}},  // pushed left
        {screen, {-50, 100, 100, 120}, {0, 120, 150, 320}},    // pushed right
    };
    for (const auto& c : cases) {
        const RECT place = EditControl::PlacePopup(c.edit, c.work, EditControl::kPopupHeight);
        EXPECT_TRUE(EqualRect(&place, &c.popup)) << (&c - cases);
    }
}

}  // namespace
