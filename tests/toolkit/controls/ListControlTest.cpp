// Tests of the list box built from definition text: the item height from its font and image
// column; items with their pictures, indexes past the end and a first click, with the drawing
// read back pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "tests/toolkit/dialogdef/GuiSupport.h"
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

// The list box asks for the height while it is made, too early to be answered, and the
// definition sets the font afterwards: both must reach LB_SETITEMHEIGHT, as must a taller
// image column. Items stay unsorted, indexes past the end are safe, the picture shows for a
// known image id only, the selected row is highlighted from its text across, and the first
// click on the list box is reported.
TEST(ListControl, ItemsHeightDrawingAndTheFirstClick) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Build({Section("LIST", 1, "L", "0 0 200 150", "STYLE=WS_VISIBLE LBS_SORT"),
                              Section("LIST", 2, "BIG", "210 0 80 100", "FONT=Arial, 40, 0")}));
    for (const Window* list : {dialog.Control(0), dialog.Control(1)})
        EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), TextHeight(list->Font()) + 2);
    EXPECT_GT(TextHeight(dialog.Control(1)->Font()), TextHeight(dialog.Control(0)->Font()));

    ListControl& list = *static_cast<ListControl*>(dialog.Control(0));
    const int textHeight = TextHeight(list.Font());
    list.SetImageSize(16, textHeight + 10);
    EXPECT_EQ(SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), textHeight + 12);
    Image red(16, 16);
    red.Clear(0x0000FF);
    red.SetBackground(Image::kNoColor);
    ASSERT_TRUE(list.AddImage(7, red));
    EXPECT_EQ(list.AddItem("plain"), 0);
    EXPECT_EQ(list.AddItem("chosen", 7), 1);  // not sorted
    list.AddItem("third", 9);                 // no image of that id
    for (int bad : {-1, 3, 1000})
        EXPECT_TRUE(list.GetItemText(bad).IsEmpty()) << bad;
    list.SetSelection(1);
    Canvas canvas(200, 150);
    SendMessageA(list.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    const RECT selected = ItemRect(list, 1);
    EXPECT_EQ(canvas.At(20, selected.top), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.At(selected.right - 1, selected.bottom - 1), GetSysColor(COLOR_HIGHLIGHT));
    for (int index : {0, 1, 2}) {
        const RECT row = ItemRect(list, index);
        const COLORREF ink = GetSysColor(index == 1 ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        EXPECT_EQ(canvas.At(8, row.top + 8), index == 1 ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOW)) << index;
        const RECT text{20, row.top, 60, row.bottom};
        EXPECT_GT(canvas.Count(text, [ink](COLORREF pixel) { return pixel == ink; }), 0) << "row " << index;
    }
    // Drawing an entry past the end draws an empty row instead of reading a wild item.
    Canvas empty(200, 20);
    DRAWITEMSTRUCT draw{ODT_LISTBOX, 0, 5, ODA_DRAWENTIRE, 0, list.Handle(), empty.Dc(), {0, 0, 200, 20}, 0};
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(empty.At(100, 10), GetSysColor(COLOR_WINDOW));

    const RECT third = ItemRect(list, 2);
    const LPARAM at = MAKELPARAM(100, (third.top + third.bottom) / 2);
    SendMessageA(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list.Handle(), WM_LBUTTONUP, 0, at);
    PumpMessages();
    EXPECT_EQ(list.GetSelection(), 2);
    // The click once (not the button's down and up), and the change of selection.
    std::vector<uint32_t> clicks, changes;
    for (const Report& report : dialog.reports)
        (report.message == WM_SWND_LISTSELCHANGE ? changes : clicks).push_back(report.code);
    EXPECT_EQ(clicks, std::vector<uint32_t>{MOUSE_EVENT_LEFT | MOUSE_EVENT_SINGLE});
    EXPECT_FALSE(changes.empty());
}

}  // namespace
