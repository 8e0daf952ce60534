// Tests of the edit control built from definition text: its colours and printing, the Enter
// report, and the completion popup driven by keys and real clicks; and the wildcard matcher
// the completion uses.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/toolkit/dialogdef/GuiSupport.h"
#include "toolkit/base/Wildcard.h"
#include "toolkit/controls/EditControl.h"
#include "toolkit/controls/GroupControl.h"

using namespace dialogtest;

namespace {

// (Prefix patterns, letter case and texts shorter than the pattern are checked through the
// completion offers below.)
TEST(Wildcard, MatchesWholeTexts) {
    // In the patterns below '%' stands for any sequence and '_' for one character.
    const struct {
        const char* text;
        std::string pattern;
        bool match;
    } cases[] = {
        {"abc", "a_c", true},      // one character
        {"ac", "a_c", false},      // not none
        {"abcbc", "a%bc", true},   // the sequence goes past the first "bc"
        {"abcb", "a%bc", false},   // the pattern ends where the text ends
        {"abc", "a*c", false},     // '*' is an ordinary character
        {"", "%", true},           // an empty sequence
        {"aXbYc", "a%b%c", true},  // two sequences
        {"aXbY", "a%b%c", false},
    };
    for (auto c : cases) {
        std::replace(c.pattern.begin(), c.pattern.end(), '%', kWildcardAnySequence);
        std::replace(c.pattern.begin(), c.pattern.end(), '_', kWildcardAnyOne);
        EXPECT_EQ(MatchWildcard(c.text, c.pattern.c_str()), c.match) << c.text;
    }
}

const char* const kWords[] = {"apple", "Apricot", "apex", "banana", "ap"};

// A dialog with one edit that has the focus and completion on over kWords.
struct EditDialog {
    TestDialog dialog;
    EditControl* edit = nullptr;

    bool Build() {
        if (!dialog.Build({Section("EDIT", 1, "E", "10 10 150 20", "STYLE=WS_VISIBLE WS_BORDER ES_AUTOHSCROLL")}))
            return false;
        edit = static_cast<EditControl*>(dialog.Control(0));
        for (const char* word : kWords)
            edit->CompletionWords().AddString(word);
        edit->SetCompletion(true);
        SetFocus(edit->Handle());
        return GetFocus() == edit->Handle();
    }
    void Key(WPARAM key, char typed = 0) {
        SendMessageA(edit->Handle(), WM_KEYDOWN, key, 1);
        if (typed)
            SendMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(typed), 1);
        SendMessageA(edit->Handle(), WM_KEYUP, key, 0xC0000001);
        PumpMessages();
    }
    void Type(const char* text) {
        for (; *text; text++)
            Key(VkKeyScanA(*text) & 0xFF, *text);
    }
    std::string Offered() const {
        std::string words;
        ListControl* popup = edit->CompletionPopup();
        for (int i = 0; popup && i < popup->GetCount(); i++)
            words += (i ? "|" : "") + std::string(popup->GetItemText(i).Text());
        return words;
    }
};

// Printed by the edit itself (its colours asked through the real WM_CTLCOLOREDIT path) and by
// the toolkit's Print: the text keeps its colour over a back colour, over none and over what
// was there (see-through). A null answer would hand the message to DefWindowProc, which
// resets the text colour of a control that has no back colour; an opaque text background
// would show as white cells around the letters.
TEST(EditControl, TextColourHoldsOverEveryBackground) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("EDIT", 1, "E", "10 10 150 20", "TEXTCOLOR=#0000FF"),
                              Section("GROUP", 2, "G", "10 40 150 40", "CAPTION=WWW WWW")}));
    auto* const edit = static_cast<EditControl*>(dialog.Control(0));
    SetWindowTextA(edit->Handle(), "WWW WWW");
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
    // A group box of common controls 6 draws its caption in the theme's colour whatever the
    // answer says: checked by its answer.
    auto* const group = static_cast<GroupControl*>(dialog.Control(1));
    group->textColor = 0xFF0000FF;
    group->background = Window::kNoColor;
    Canvas answered(1, 1);
    const LRESULT brush =
        SendMessageA(GetParent(group->Handle()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(answered.Dc()),
                     reinterpret_cast<LPARAM>(group->Handle()));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(answered.Dc()), RGB(0, 0, 255));
}

TEST(EditControl, EnterReportedWithoutCompletion) {
    EditDialog d;
    ASSERT_TRUE(d.Build());
    d.edit->SetCompletion(false);
    d.Type("ap");
    d.Key(VK_RETURN, '\r');
    EXPECT_EQ(d.dialog.reports, std::vector<uint32_t>{WM_SWND_EDITENTER});
    EXPECT_EQ(d.edit->CompletionPopup(), nullptr);
}

// A click as the user makes it: the cursor over the point, the left button down and up; then
// the messages are run until the clicked window has gone (or two seconds have passed).
void ClickAt(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
    for (int i = 0; i < 200 && IsWindow(window); i++) {
        PumpMessages();
        Sleep(10);
    }
}

// The popup offers the words that begin with the typed text (letter case counts), all of them
// for Down on an empty edit. It is a list box of the toolkit's kind under the edit, and the
// edit keeps the focus. Enter or a click takes the chosen word; Escape, or Enter with nothing
// chosen, keeps the text. Keys in the popup are never the edit's Enter report.
TEST(EditControl, CompletionOffersAndChoices) {
    const struct {
        const char* typed;
        std::vector<WPARAM> keys;
        int clicked;          // the word clicked, or -1
        const char* offered;  // afterwards; "" when no popup is open
        const char* text;
    } cases[] = {
        {"", {VK_DOWN}, -1, "apple|Apricot|apex|banana|ap", ""},
        {"ap", {}, -1, "apple|apex|ap", "ap"},
        {"Ap", {}, -1, "Apricot", "Ap"},
        {"apples", {}, -1, "", "apples"},
        {"ap", {VK_DOWN, VK_DOWN, VK_RETURN}, -1, "", "apex"},
        {"ap", {VK_DOWN, VK_UP, VK_RETURN}, -1, "", "apple"},
        {"ap", {}, 1, "", "apex"},
        {"ap", {VK_ESCAPE}, -1, "", "ap"},
        {"ap", {VK_RETURN}, -1, "apple|apex|ap", "ap"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);  // the row
        EditDialog d;
        ASSERT_TRUE(d.Build());
        d.Type(c.typed);
        const HWND typedPopup = d.edit->CompletionPopup() ? d.edit->CompletionPopup()->Handle() : nullptr;
        for (WPARAM key : c.keys)
            d.Key(key, key == VK_RETURN ? '\r' : key == VK_ESCAPE ? 27 : 0);
        if (c.clicked >= 0) {
            const RECT word = ItemRect(*d.edit->CompletionPopup(), c.clicked);
            ClickAt(typedPopup, {10, (word.top + word.bottom) / 2});
        }
        EXPECT_EQ(d.Offered(), c.offered);
        EXPECT_EQ(WindowText(d.edit->Handle()), c.text);
        const DWORD caret = static_cast<DWORD>(SendMessageA(d.edit->Handle(), EM_GETSEL, 0, 0));
        EXPECT_EQ(LOWORD(caret), strlen(c.text));
        EXPECT_EQ(GetFocus(), d.edit->Handle());
        EXPECT_TRUE(d.dialog.reports.empty());
        ListControl* popup = d.edit->CompletionPopup();
        if (!popup) {
            EXPECT_FALSE(typedPopup && IsWindow(typedPopup));
            continue;
        }
        EXPECT_EQ(popup->GetSelection(), *c.typed ? -1 : 0);
        EXPECT_TRUE(IsWindowVisible(popup->Handle()));
        const DWORD style = static_cast<DWORD>(GetWindowLongA(popup->Handle(), GWL_STYLE));
        EXPECT_EQ(style & (WS_POPUP | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_HASSTRINGS),
                  DWORD(WS_POPUP | LBS_OWNERDRAWFIXED | LBS_NOTIFY));
        RECT edit{}, shown{};
        GetWindowRect(d.edit->Handle(), &edit);
        GetWindowRect(popup->Handle(), &shown);
        const RECT under{edit.left, edit.bottom, edit.right, edit.bottom + EditControl::kPopupHeight};
        EXPECT_TRUE(EqualRect(&shown, &under));
    }
}

TEST(EditControl, PopupStaysOnTheScreen) {
    const RECT screen{0, 0, 800, 600};
    const struct {
        RECT work;
        RECT edit;
        RECT popup;
    } cases[] = {
        {screen, {100, 100, 250, 120}, {100, 120, 250, 320}},            // below
        {screen, {100, 500, 250, 520}, {100, 300, 250, 500}},            // above
        {{0, 0, 800, 300}, {100, 120, 250, 140}, {100, 140, 250, 300}},  // below, cut
        {{0, 0, 800, 300}, {100, 170, 250, 190}, {100, 0, 250, 170}},    // above, cut
        {screen, {700, 100, 850, 120}, {650, 120, 800, 320}},            // pushed left
        {screen, {-50, 100, 100, 120}, {0, 120, 150, 320}},              // pushed right
    };
    for (const auto& c : cases) {
        const RECT place = EditControl::PlacePopup(c.edit, c.work, EditControl::kPopupHeight);
        EXPECT_TRUE(EqualRect(&place, &c.popup))
            << place.left << "," << place.top << "," << place.right << "," << place.bottom;
    }
}

// The popup is owned by the dialog's window, which stays: the edit closes it as it goes.
TEST(EditControl, ThePopupGoesWithTheEdit) {
    for (bool deleteObject : {false, true}) {
        EditDialog d;
        ASSERT_TRUE(d.Build());
        d.Key(VK_DOWN);
        ASSERT_NE(d.edit->CompletionPopup(), nullptr);
        const HWND popup = d.edit->CompletionPopup()->Handle();
        if (deleteObject)
            d.dialog.ClearControls();
        else
            DestroyWindow(d.edit->Handle());
        EXPECT_FALSE(IsWindow(popup)) << deleteObject;
    }
}

}  // namespace
