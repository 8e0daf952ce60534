// ListControl: the Win32 "LISTBOX" drawn by the toolkit. Each entry is a ListItem (a text, an
// optional image from the list's own images, a value for the caller) that the list box owns
// and keeps as the entry's item data; Win32 neither sorts nor stores strings. Items are drawn
// in the system list colours with the image column in front of the text. The parent hears
// of clicks (WM_SWND_LISTMOUSE) and of selection changes (WM_SWND_LISTSELCHANGE, sent by the
// window framework).
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"
#include "toolkit/window/ControlHooks.h"

class Image;

struct ListItem {
    String text;
    int32_t imageId = -1;  // -1: no image
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
    int AddItem(const char* text, int imageId = -1);
    // "" for an index that has no item.
    String GetItemText(int index) const;
    int GetCount() const;
    // -1 when nothing is selected.
    int GetSelection() const;
    void SetSelection(int index);
    // Frees every item and empties the list box.
    void Clear();

    // A copy of the picture (with its draw settings) becomes the image of this id; an image
    // of the same id is replaced. False when the picture is empty.
    bool AddImage(int id, const Image& picture);
    const Image* FindImage(int id) const;
    // The room reserved in front of every item's text for its image.
    void SetImageSize(int width, int height);

private:
    // The larger of the font's text height and the image height, plus 2.
    int ItemHeight() const;
    ListItem* ItemAt(int index) const;
    void UpdateItemHeight();

    OwnedArray<Image> images_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
};
