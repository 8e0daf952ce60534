// ListControl: the Win32 "LISTBOX" drawn by the toolkit. Each entry is a ListItem that the
// list box owns and keeps as the entry's item data; Win32 neither sorts nor stores strings.
// Items are drawn in the system list colours. The parent hears of clicks (WM_SWND_LISTMOUSE)
// and of selection changes (WM_SWND_LISTSELCHANGE, sent by the window framework).
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"
#include "toolkit/window/ControlHooks.h"

struct ListItem {
    String text;
};

class ListControl : public ListBoxHooks {
public:
    // Styles every list box of the toolkit is made with, and those it is never made with.
    static constexpr DWORD kStyleAdded = LBS_NOTIFY | LBS_OWNERDRAWFIXED;
    static constexpr DWORD kStyleRemoved = LBS_SORT | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;

    ListControl();
    ~ListControl() override;

    // Makes the window with the list box style rule applied (scroll bars asked for are kept)
    // and sets the item height. A WS_POPUP style makes a popup owned by the parent.
    bool CreateList(DWORD style, DWORD exStyle, const RECT& rect, HWND parent);

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool DrawListItem(const DRAWITEMSTRUCT& draw) override;

    // The new entry's index, or -1 (nothing kept) when the list box refused it.
    int AddItem(const char* text);
    // "" for an index that has no item.
    String GetItemText(int index) const;
    int GetCount() const;
    // -1 when nothing is selected.
    int GetSelection() const;
    void SetSelection(int index);
    // Frees every item and empties the list box.
    void Clear();

private:
    // The font's text height plus 2.
    int ItemHeight() const;
    ListItem* ItemAt(int index) const;
    void UpdateItemHeight();
};
