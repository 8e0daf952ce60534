// Tests of the list box and the edit control, built from definition text in small dialogs:
// item heights, items and out-of-range indexes, drawing read back pixel by pixel, reports to
// the parent, the edit's colours, and the completion popup driven by keys and clicks.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit/dialogdef/DefinitionSamples.h"
#include "tests/toolkit/dialogdef/GuiSupport.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/base/Wildcard.h"
#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/EditControl.h"
#include "toolkit/controls/ListControl.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/Image.h"

using namespace dialogtest;

namespace {

// A dialog that records the reports of its controls. It stays hidden (hiding a shown window
// makes the display driver wait for a window manager that the test display does not have);
// its controls still draw, take the focus and show the completion popup.
class TestDialog : public DialogWindow {
public:
    bool Build(const std::vector<std::string>& sections) {
        const std::string text = DialogWith(300, 220, "", sections);
        MemoryStream stream;
        stream.Write(text.data(), static_cast<int>(text.size()));
        if (!BuildFromDefinition(&stream, nullptr, nullptr))
            return false;
        PumpMessages();
        return true;
    }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SWND_LISTMOUSE)
            reports.push_back(reinterpret_cast<const MouseEvent*>(lParam)->flags);
        else if (message == WM_SWND_LISTSELCHANGE || message == WM_SWND_EDITENTER)
            reports.push_back(message);
        return DialogWindow::OnMessage(message, wParam, lParam);
    }
    std::vector<uint32_t> reports;
};

std::string Section(const char* type, const char* name, const char* position, const char* lines) {
    return std::string("[") + type + "]\r\nID=1\r\nNAME=" + name + "\r\nPOSITION=" + position + "\r\n" + lines;
}

// A 32-bit picture to print controls into, first filled with a colour no control uses.
class Canvas {
public:
    Canvas(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc_.Select(bitmap_.Get());
        const RECT all{0, 0, width, height};
        GdiObject<HBRUSH> fill(CreateSolidBrush(kUnused));
        FillRect(dc_.Get(), &all, fill.Get());
    }
    HDC Dc() const { return dc_.Get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
    static constexpr COLORREF kUnused = RGB(1, 200, 3);

private:
    GdiObject<HBITMAP> bitmap_;
    MemoryDC dc_;
};

int TextHeight(HFONT font) {
    MemoryDC dc;
    dc.Select(font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    return metrics.tmHeight;
}

RECT ItemRect(const ListControl& list, int index) {
    RECT rect{};
    SendMessageA(list.Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

TEST(ListControl, ItemHeightComesFromFontAndImage) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("LIST", "BIG", "0 0 140 100", "STYLE=WS_VISIBLE\r\nFONT=Arial, 40, 0"),
                              Section("LIST", "PLAIN", "150 0 140 100", "STYLE=WS_VISIBLE")}));
    for (const char* name : {"BIG", "PLAIN"}) {
        ListControl& list = *static_cast<ListControl*>(dialog.FindControlByName(name));
        const int text = TextHeight(list.Font());
        EXPECT_EQ(SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), text + 2) << name;
        list.SetImageSize(16, text + 10);
        EXPECT_EQ(SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), text + 12) << name;
    }
    EXPECT_GT(TextHeight(dialog.FindControlByName("BIG")->Font()), TextHeight(dialog.FindControlByName("PLAIN")->Font()));
}

TEST(ListControl, ItemsStyleAndIndexesPastTheEnd) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("LIST", "L", "0 0 200 150", "STYLE=WS_VISIBLE WS_VSCROLL LBS_SORT")}));
    ListControl& list = *static_cast<ListControl*>(dialog.Control(0));
    const DWORD style = static_cast<DWORD>(GetWindowLongA(list.Handle(), GWL_STYLE));
    EXPECT_EQ(style & (LBS_OWNERDRAWFIXED | LBS_NOTIFY | WS_VSCROLL), DWORD(LBS_OWNERDRAWFIXED | LBS_NOTIFY | WS_VSCROLL));
    EXPECT_EQ(style & ListControl::kStyleRemoved, 0u);
    EXPECT_EQ(list.GetSelection(), -1);
    EXPECT_EQ(list.AddItem("pear"), 0);
    EXPECT_EQ(list.AddItem("apple", 3), 1);  // not sorted
    EXPECT_TRUE(list.SetItemData(1, 77));
    EXPECT_EQ(list.GetItemData(1), 77u);
    EXPECT_EQ(list.GetItemData(0), 0u);
    EXPECT_STREQ(list.GetItemText(1).Text(), "apple");
    for (int bad : {-1, 2, 1000}) {
        EXPECT_STREQ(list.GetItemText(bad).Text(), "") << bad;
        EXPECT_FALSE(list.SetItemData(bad, 1)) << bad;
    }
    list.SetSelection(1);
    EXPECT_EQ(list.GetSelection(), 1);
    // Drawing an entry past the end draws an empty row instead of reading a wild item.
    Canvas canvas(200, 40);
    DRAWITEMSTRUCT draw{ODT_LISTBOX, 0, 5, ODA_DRAWENTIRE, 0, list.Handle(), canvas.Dc(), {0, 0, 200, 20}, 0};
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(canvas.At(100, 10), GetSysColor(COLOR_WINDOW));
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetSelection(), -1);
}

TEST(ListControl, DrawsHighlightImagesAndText) {
    const struct {
        int imageWidth;
        int highlightFrom;  // first highlighted column of the selected row
    } cases[] = {{0, 0}, {16, 20}};
    for (const auto& c : cases) {
        TestDialog dialog;
        ASSERT_TRUE(dialog.Build({Section("LIST", "L", "0 0 200 150", "STYLE=WS_VISIBLE")}));
        ListControl& list = *static_cast<ListControl*>(dialog.Control(0));
        Image red(16, 16);
        red.Clear(0x0000FF);
        red.SetBackground(Image::kNoColor);
        ASSERT_TRUE(list.AddImage(7, red));
        list.SetImageSize(c.imageWidth, 16);
        list.AddItem("plain", -1);
        list.AddItem("chosen", 7);
        list.AddItem("lost", 9);  // no image of that id
        list.SetSelection(1);
        Canvas canvas(200, 150);
        SendMessageA(list.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        const COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
        const RECT selected = ItemRect(list, 1);
        EXPECT_EQ(canvas.At(c.highlightFrom, selected.top), highlight) << c.imageWidth;
        EXPECT_EQ(canvas.At(selected.right - 1, selected.bottom - 1), highlight) << c.imageWidth;
        if (c.highlightFrom > 0) {
            EXPECT_EQ(canvas.At(c.highlightFrom - 1, selected.top), window);
        }
        for (int index : {0, 1, 2}) {
            const RECT row = ItemRect(list, index);
            // The image column: drawn for the item with a known image only.
            if (c.imageWidth) {
                EXPECT_EQ(canvas.At(8, row.top + 8), index == 1 ? RGB(255, 0, 0) : window) << "row " << index;
            }
            const COLORREF ink = GetSysColor(index == 1 ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
            int inked = 0;
            for (int x = c.highlightFrom; x < 60; x++)
                for (int y = row.top; y < row.bottom; y++)
                    inked += canvas.At(x, y) == ink ? 1 : 0;
            EXPECT_GT(inked, 0) << c.imageWidth << " row " << index;
        }
    }
}

TEST(ListControl, ClicksAndSelectionReachTheParent) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("LIST", "L", "0 0 200 150", "STYLE=WS_VISIBLE")}));
    ListControl& list = *static_cast<ListControl*>(dialog.Control(0));
    list.AddItem("one");
    list.AddItem("two");
    const RECT second = ItemRect(list, 1);
    const LPARAM at = MAKELPARAM(10, (second.top + second.bottom) / 2);
    SendMessageA(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list.Handle(), WM_LBUTTONUP, 0, at);
    PumpMessages();
    EXPECT_EQ(list.GetSelection(), 1);
    // The click once (not the button's down and up), and the change of selection.
    std::vector<uint32_t> clicks, changes;
    for (uint32_t report : dialog.reports)
        (report == WM_SWND_LISTSELCHANGE ? changes : clicks).push_back(report);
    EXPECT_EQ(clicks, std::vector<uint32_t>{MOUSE_EVENT_LEFT | MOUSE_EVENT_SINGLE});
    EXPECT_FALSE(changes.empty());
}

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
        {"abc", "a\x02" "c", true},
        {"ac", "a\x02" "c", false},
        {"abcbc", "a\x01" "bc", true},
        {"abcb", "a\x01" "bc", false},
        {"a*c", "a*c", true},
        {"abc", "a*c", false},
        {"", "\x01", true},
        {"x", "", false},
        {"", "", true},
        {"aXbYc", "a\x01" "b\x01" "c", true},
        {"aXbY", "a\x01" "b\x01" "c", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchWildcard(c.text, c.pattern), c.match) << c.text;
}

const char* const kWords[] = {"apple", "Apricot", "apex", "banana", "ap"};

// A shown dialog with one edit that has the focus and completion on over kWords.
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
        const char* lines;
        uint32_t override;  // 0: the definition's background
        COLORREF back;      // CLR_INVALID: no brush of its own
        COLORREF text;
    } cases[] = {
        {"STYLE=WS_VISIBLE", 0, CLR_INVALID, RGB(0, 0, 0)},
        {"STYLE=WS_VISIBLE ES_READONLY\r\nBACKCOLOR=#FF0000\r\nTEXTCOLOR=#0000FF", 0, RGB(255, 0, 0), RGB(0, 0, 255)},
        {"STYLE=WS_VISIBLE\r\nTEXTCOLOR=#00FF00", Window::kSeeThrough, CLR_INVALID, RGB(0, 255, 0)},
    };
    for (const auto& c : cases) {
        EditDialog d;
        ASSERT_TRUE(d.Build(c.lines));
        if (c.override)
            d.edit->background = c.override;
        for (bool readOnly : {false, true}) {
            Canvas canvas(4, 4);
            SetBkColor(canvas.Dc(), RGB(9, 9, 9));
            const HBRUSH brush = readOnly ? d.edit->OnStaticColor(canvas.Dc()) : d.edit->OnEditColor(canvas.Dc());
            EXPECT_EQ(GetTextColor(canvas.Dc()), c.text) << c.lines;
            EXPECT_EQ(GetBkColor(canvas.Dc()), c.back == CLR_INVALID ? RGB(9, 9, 9) : c.back) << c.lines;
            if (c.override == Window::kSeeThrough)
                EXPECT_TRUE(brush == GetStockObject(NULL_BRUSH) && GetBkMode(canvas.Dc()) == TRANSPARENT);
            else
                EXPECT_EQ(brush == nullptr, c.back == CLR_INVALID) << c.lines;
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
    int inked = 0;
    for (int x = 0; x < 60; x++) {
        for (int y = 0; y < 20; y++) {
            const COLORREF pixel = canvas.At(x, y);
            inked += GetBValue(pixel) > 150 && GetRValue(pixel) < 100 && GetGValue(pixel) < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 0) << std::hex << canvas.At(5, 10) << " " << canvas.At(8, 8);
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
        EXPECT_EQ(style & (WS_POPUP | LBS_OWNERDRAWFIXED | LBS_NOTIFY), DWORD(WS_POPUP | LBS_OWNERDRAWFIXED | LBS_NOTIFY));
        EXPECT_EQ(style & ListControl::kStyleRemoved, 0u);
        RECT edit{}, shown{};
        GetWindowRect(d.edit->Handle(), &edit);
        GetWindowRect(popup->Handle(), &shown);
        EXPECT_EQ(shown.top, edit.bottom);
        EXPECT_EQ(shown.left, edit.left);
        EXPECT_EQ(shown.right, edit.right);
    }
}

// A click as the user makes it: the cursor over the word, the left button down and up.
void ClickAt(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    for (int i = 0; i < 50; i++) {
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
        {screen, {100, 100, 250, 120}, {100, 120, 250, 320}},   // below
        {screen, {100, 500, 250, 520}, {100, 300, 250, 500}},   // above
        {{0, 0, 800, 300}, {100, 120, 250, 140}, {100, 140, 250, 300}},  // below, cut
        {{0, 0, 800, 300}, {100, 170, 250, 190}, {100, 0, 250, 170}},    // above, cut
        {screen, {700, 100, 850, 120}, {650, 120, 800, 320}},   // pushed left
        {screen, {-50, 100, 100, 120}, {0, 120, 150, 320}},     // pushed right
    };
    for (const auto& c : cases) {
        const RECT place = EditControl::PlacePopup(c.edit, c.work, EditControl::kPopupHeight);
        EXPECT_TRUE(EqualRect(&place, &c.popup)) << place.left << "," << place.top << "," << place.right << ","
                                                 << place.bottom;
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
