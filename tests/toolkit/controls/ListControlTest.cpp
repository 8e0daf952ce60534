// Tests of the list box built from definition text: the item height from font and image,
// items and indexes past the end, drawing read back pixel by pixel, reports to the parent.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/toolkit/controls/ListEditSupport.h"
#include "toolkit/media/Image.h"

using namespace dialogtest;

namespace {

int TextHeight(HFONT font) {
    MemoryDC dc;
    dc.Select(font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    return metrics.tmHeight;
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
    EXPECT_GT(TextHeight(dialog.FindControlByName("BIG")->Font()),
              TextHeight(dialog.FindControlByName("PLAIN")->Font()));
}

TEST(ListControl, ItemsStyleAndIndexesPastTheEnd) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("LIST", "L", "0 0 200 150", "STYLE=WS_VISIBLE WS_VSCROLL LBS_SORT")}));
    ListControl& list = *static_cast<ListControl*>(dialog.Control(0));
    // (The list box itself shows and hides its scroll bar as the items need it.)
    const DWORD style = static_cast<DWORD>(GetWindowLongA(list.Handle(), GWL_STYLE));
    EXPECT_EQ(style & (ListControl::kStyleAdded | ListControl::kStyleRemoved), ListControl::kStyleAdded);
    EXPECT_EQ(list.GetSelection(), -1);
    EXPECT_EQ(list.AddItem("pear"), 0);
    EXPECT_EQ(list.AddItem("apple", 3), 1);  // not sorted
    EXPECT_TRUE(list.SetItemData(1, 77));
    EXPECT_EQ(list.GetItemData(1) + list.GetItemData(0), 77u);
    EXPECT_STREQ(list.GetItemText(1).Text(), "apple");
    for (int bad : {-1, 2, 1000})
        EXPECT_TRUE(list.GetItemText(bad).IsEmpty() && !list.SetItemData(bad, 1)) << bad;
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
            const RECT text{c.highlightFrom, row.top, 60, row.bottom};
            EXPECT_GT(canvas.Count(text, [ink](COLORREF pixel) { return pixel == ink; }), 0) << "row " << index;
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

}  // namespace
