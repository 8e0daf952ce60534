// Tests of the edit control built from definition text: its colours and printing, the Enter
// report, and the completion popup driven by keys and real clicks; and the wildcard matcher
// the completion uses.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/toolkit/controls/ListEditSupport.h"
#include "toolkit/base/Wildcard.h"
#include "toolkit/controls/EditControl.h"

using namespace dialogtest;

namespace {

TEST(Wildcard, MatchesWholeTexts) {
    const struct {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        {"apple", "ap\x01", true},
        {"Apple", "ap\x01", false},
        {"ap", "ap\x01", true},
        {"a", "ap\x01", false},
        {"abc",
         "a\x02"
         "c",
         true},
        {"ac",
         "a\x02"
         "c",
         false},
        {"abcbc",
         "a\x01"
         "bc",
         true},
        {"abcb",
         "a\x01"
         "bc",
         false},
        {"abc", "a*c", false},
        {"", "\x01", true},
        {"aXbYc",
         "a\x01"
         "b\x01"
         "c",
         true},
        {"aXbY",
         "a\x01"
         "b\x01"
         "c",
         false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchWildcard(c.text, c.pattern), c.match) << c.text;
}

const char* const kWords[] = {"apple", "Apricot", "apex", "banana", "ap"};

// A dialog with one edit that has the focus and completion on over kWords.
struct EditDialog {
    TestDialog dialog;
    EditControl* edit = nullptr;

    bool Build(const char* lines = "STYLE=WS_VISIBLE WS_BORDER ES_AUTOHSCROLL") {
        if (!dialog.Build({Section("EDIT", "E", "10 10 150 20", lines)}))
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
    std::string Text() const {
        char text[64] = {};
        GetWindowTextA(edit->Handle(), text, sizeof(text));
        return text;
    }
    std::string Offered() const {
        std::string words;
        ListControl* popup = edit->CompletionPopup();
        for (int i = 0; popup && i < popup->GetCount(); i++)
            words += (i ? "|" : "") + std::string(popup->GetItemText(i).Text());
        return words;
    }
};

TEST(EditControl, ColoursAndPrint) {
    const struct {
        uint32_t background;
        HBRUSH stock;   // the brush expected when it is a stock one
        COLORREF back;  // the context's background colour afterwards (9, 9, 9: untouched)
    } cases[] = {
        {0x0000FF, nullptr, RGB(255, 0, 0)},
        {Window::kSeeThrough, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), RGB(9, 9, 9)},
        {Window::kNoColor, nullptr, RGB(9, 9, 9)},
    };
    for (const auto& c : cases) {
        EditDialog d;
        ASSERT_TRUE(d.Build("STYLE=WS_VISIBLE\r\nTEXTCOLOR=#0000FF"));
        d.edit->background = c.background;
        for (bool readOnly : {false, true}) {
            Canvas canvas(4, 4);
            SetBkColor(canvas.Dc(), RGB(9, 9, 9));
            const HBRUSH brush = readOnly ? d.edit->OnStaticColor(canvas.Dc()) : d.edit->OnEditColor(canvas.Dc());
            EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(0, 0, 255));
            EXPECT_EQ(GetBkColor(canvas.Dc()), c.back) << c.background;
            EXPECT_EQ(c.stock || c.background == Window::kNoColor ? brush == c.stock : brush != nullptr, true);
            EXPECT_EQ(GetBkMode(canvas.Dc()) == TRANSPARENT, c.background == Window::kSeeThrough);
        }
    }
    EditDialog d;
    ASSERT_TRUE(d.Build("STYLE=WS_VISIBLE\r\nBACKCOLOR=#FF0000\r\nTEXTCOLOR=#0000FF"));
    EXPECT_EQ(d.edit->TextColor(), 0xFF0000FFu);
    SetWindowTextA(d.edit->Handle(), "WWW");
    Canvas canvas(150, 20);
    d.edit->Print(canvas.Dc(), PRF_CLIENT);
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 0, 0));
    // The text in its colour (smoothed edges aside).
    const auto blue = [](COLORREF pixel) { return GetBValue(pixel) > 150 && GetRValue(pixel) < 100; };
    EXPECT_GT(canvas.Count({0, 0, 60, 20}, blue), 0);
}

TEST(EditControl, EnterReportsOnlyWithoutAnOpenPopup) {
    EditDialog d;
    ASSERT_TRUE(d.Build());
    d.edit->SetCompletion(false);
    d.Type("ap");
    d.Key(VK_RETURN, '\r');
    EXPECT_EQ(d.dialog.reports, std::vector<uint32_t>{WM_SWND_EDITENTER});
    EXPECT_EQ(d.edit->CompletionPopup(), nullptr);
    d.edit->SetCompletion(true);
    d.Key(VK_END);  // opens the offer
    ASSERT_NE(d.edit->CompletionPopup(), nullptr);
    d.Key(VK_RETURN, '\r');  // nothing selected: the offer stays, no word is taken, no report
    EXPECT_EQ(d.Text(), "ap");
    EXPECT_NE(d.edit->CompletionPopup(), nullptr);
    EXPECT_EQ(d.dialog.reports.size(), 1u);
}

TEST(EditControl, OffersTheWordsThatBeginWithTheText) {
    const struct {
        const char* typed;
        const char* offered;
    } cases[] = {
        {"", "apple|Apricot|apex|banana|ap"},  // Down on the empty edit
        {"ap", "apple|apex|ap"},
        {"Ap", "Apricot"},
        {"b", "banana"},
        {"apples", ""},
        {"x", ""},
    };
    for (const auto& c : cases) {
        EditDialog d;
        ASSERT_TRUE(d.Build());
        d.Type(c.typed);
        if (!*c.typed)
            d.Key(VK_DOWN);
        EXPECT_EQ(d.Offered(), c.offered) << c.typed;
        EXPECT_EQ(d.Text(), c.typed);
        ListControl* popup = d.edit->CompletionPopup();
        if (!popup)
            continue;
        EXPECT_EQ(popup->GetSelection(), *c.typed ? -1 : 0) << c.typed;
        EXPECT_EQ(GetFocus(), d.edit->Handle()) << c.typed;
        EXPECT_TRUE(IsWindowVisible(popup->Handle()));
        const DWORD style = static_cast<DWORD>(GetWindowLongA(popup->Handle(), GWL_STYLE));
        EXPECT_EQ(style & (WS_POPUP | ListControl::kStyleAdded | ListControl::kStyleRemoved),
                  DWORD(WS_POPUP | ListControl::kStyleAdded));
        RECT edit{}, shown{};
        GetWindowRect(d.edit->Handle(), &edit);
        GetWindowRect(popup->Handle(), &shown);
        const RECT under{edit.left, edit.bottom, edit.right, edit.bottom + EditControl::kPopupHeight};
        EXPECT_TRUE(EqualRect(&shown, &under));
    }
}

// A click as the user makes it: the cursor over the word, the left button down and up; then
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

TEST(EditControl, ChoosingByKeysOrClickOrClosing) {
    const struct {
        const char* how;
        std::vector<WPARAM> keys;
        int clicked;  // the word clicked, or -1
        const char* text;
    } cases[] = {
        {"down down enter", {VK_DOWN, VK_DOWN, VK_RETURN}, -1, "apex"},
        {"down up enter", {VK_DOWN, VK_UP, VK_RETURN}, -1, "apple"},
        {"click", {}, 1, "apex"},
        {"escape", {VK_ESCAPE}, -1, "ap"},
    };
    for (const auto& c : cases) {
        EditDialog d;
        ASSERT_TRUE(d.Build());
        d.Type("ap");
        ListControl* popup = d.edit->CompletionPopup();
        ASSERT_NE(popup, nullptr);
        const HWND popupHandle = popup->Handle();
        for (WPARAM key : c.keys)
            d.Key(key, key == VK_RETURN ? '\r' : key == VK_ESCAPE ? 27 : 0);
        if (c.clicked >= 0) {
            const RECT word = ItemRect(*popup, c.clicked);
            ClickAt(popupHandle, {10, (word.top + word.bottom) / 2});
        }
        EXPECT_EQ(d.Text(), c.text) << c.how;
        EXPECT_EQ(d.edit->CompletionPopup(), nullptr) << c.how;
        EXPECT_FALSE(IsWindow(popupHandle)) << c.how;
        const DWORD caret = static_cast<DWORD>(SendMessageA(d.edit->Handle(), EM_GETSEL, 0, 0));
        EXPECT_EQ(LOWORD(caret), strlen(c.text)) << c.how;
        EXPECT_EQ(GetFocus(), d.edit->Handle()) << c.how;
        EXPECT_TRUE(d.dialog.reports.empty()) << c.how;  // Enter in the popup is not the edit's Enter
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

TEST(EditControl, ThePopupGoesWithTheEdit) {
    for (bool deleteObject : {false, true}) {
        EditDialog d;
        ASSERT_TRUE(d.Build());
        d.Key(VK_DOWN);
        ASSERT_NE(d.edit->CompletionPopup(), nullptr);
        const HWND popup = d.edit->CompletionPopup()->Handle();
        // The popup is owned by the dialog's window, which stays.
        if (deleteObject)
            d.dialog.ClearControls();
        else
            DestroyWindow(d.edit->Handle());
        EXPECT_FALSE(IsWindow(popup)) << deleteObject;
        EXPECT_TRUE(IsWindow(d.dialog.Handle()));
    }
}

}  // namespace
