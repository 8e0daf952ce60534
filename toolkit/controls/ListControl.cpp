// ListControl; see ListControl.h.
#include "toolkit/controls/ListControl.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Toolkit.h"

namespace {

// The gap between the image column and the text.
constexpr int kImageGap = 4;

bool IsClickMessage(UINT message) {
    return message == WM_SWND_LCLICK || message == WM_SWND_MCLICK || message == WM_SWND_RCLICK;
}

}  // namespace

ListControl::ListControl() {
    kind = KIND_LISTBOX;
}

ListControl::~ListControl() {
    // Destroyed here, while the object is still a list box, so that WM_DESTROY frees the items.
    if (Handle())
        Destroy();
}

bool ListControl::CreateList(DWORD style, DWORD exStyle, const RECT& rect, HWND parent) {
    const DWORD bars = style & (WS_HSCROLL | WS_VSCROLL);
    WindowArgs args;
    args.style = (style | kStyleAdded) & ~kStyleRemoved;
    args.exStyle = exStyle;
    args.rect = &rect;
    args.parent = parent;
    if (!CreateControl("LISTBOX", args))
        return false;
    // The list box drops the scroll-bar styles it was made with; they are put back.
    if (bars)
        SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) | bars);
    // The list box asked its owner for the item height while it was being made, before this
    // object was known to the window framework, so the height is set now.
    UpdateItemHeight();
    return true;
}

LRESULT ListControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsClickMessage(message))
        ReportMouse(*this, WM_SWND_LISTMOUSE, message, lParam);
    if (message == WM_DESTROY)
        Clear();
    if (message != WM_SETFONT)
        return Window::OnMessage(message, wParam, lParam);
    const LRESULT result = Window::OnMessage(message, wParam, lParam);
    UpdateItemHeight();
    return result;
}

int ListControl::ItemHeight() const {
    TEXTMETRICA metrics{};
    HDC dc = GetDC(Handle());
    if (!dc)
        return imageHeight_ + 2;
    HGDIOBJ old = Font() ? SelectObject(dc, Font()) : nullptr;
    (void)GetTextMetricsA(dc, &metrics);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    return (metrics.tmHeight > imageHeight_ ? metrics.tmHeight : imageHeight_) + 2;
}

void ListControl::UpdateItemHeight() {
    if (!Handle())
        return;
    // The list box takes heights of at most 255 pixels.
    const int height = ItemHeight();
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(height < 255 ? height : 255, 0));
    InvalidateRect(Handle(), nullptr, TRUE);
}

ListItem* ListControl::ItemAt(int index) const {
    if (!Handle() || index < 0 || index >= GetCount())
        return nullptr;
    const LRESULT data = SendMessageA(Handle(), LB_GETITEMDATA, index, 0);
    if (data == LB_ERR)
        return nullptr;
    return reinterpret_cast<ListItem*>(data);
}

int ListControl::AddItem(const char* text, int imageId) {
    if (!Handle())
        return -1;
    ListItem* item = new ListItem;
    item->text = text;
    item->imageId = imageId;
    const LRESULT index = SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    if (index < 0) {
        delete item;
        return -1;
    }
    return static_cast<int>(index);
}

String ListControl::GetItemText(int index) const {
    const ListItem* item = ItemAt(index);
    return item ? item->text : String();
}

int ListControl::GetCount() const {
    if (!Handle())
        return 0;
    const LRESULT count = SendMessageA(Handle(), LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

int ListControl::GetSelection() const {
    if (!Handle())
        return -1;
    const LRESULT selection = SendMessageA(Handle(), LB_GETCURSEL, 0, 0);
    return selection >= 0 ? static_cast<int>(selection) : -1;
}

void ListControl::SetSelection(int index) {
    if (Handle())
        SendMessageA(Handle(), LB_SETCURSEL, index, 0);
}

void ListControl::Clear() {
    if (!Handle())
        return;
    const int count = GetCount();
    for (int i = 0; i < count; i++) {
        ListItem* item = ItemAt(i);
        // The entry forgets the item first: emptying the list box reports each entry's data.
        SendMessageA(Handle(), LB_SETITEMDATA, i, 0);
        delete item;
    }
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

bool ListControl::AddImage(int id, const Image& picture) {
    Image* copy = new Image;
    if (!copy->CopyFrom(picture)) {
        delete copy;
        return false;
    }
    copy->SetTag(static_cast<uint32_t>(id));
    copy->SetName(picture.Name());
    copy->SetBackground(picture.Background());
    copy->SetKey(picture.Key());
    copy->SetMode(picture.Mode());
    for (int i = 0; i < images_.Count(); i++) {
        if (static_cast<int>(images_[i]->Tag()) == id) {
            images_.RemoveAt(i);
            images_.InsertAt(copy, i);
            return true;
        }
    }
    images_.Append(copy);
    return true;
}

const Image* ListControl::FindImage(int id) const {
    for (int i = 0; i < images_.Count(); i++) {
        if (static_cast<int>(images_[i]->Tag()) == id)
            return images_[i];
    }
    return nullptr;
}

void ListControl::SetImageSize(int width, int height) {
    imageWidth_ = width > 0 ? width : 0;
    imageHeight_ = height > 0 ? height : 0;
    UpdateItemHeight();
}

bool ListControl::DrawListItem(const DRAWITEMSTRUCT& draw) {
    if (!(draw.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return false;
    HDC dc = draw.hDC;
    const RECT& itemRect = draw.rcItem;
    RECT textRect = itemRect;
    if (imageWidth_ > 0)
        textRect.left += imageWidth_ + kImageGap;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &itemRect, GetSysColorBrush(COLOR_WINDOW));
    if (selected)
        FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
    // An entry without an item (never added through AddItem) is drawn empty.
    const ListItem* item = ItemAt(static_cast<int>(draw.itemID));
    if (!item)
        return true;
    const Image* picture = item->imageId != -1 && textRect.left > itemRect.left ? FindImage(item->imageId) : nullptr;
    if (picture && IsGraphicsStarted()) {
        Gdiplus::Graphics graphics(dc);
        picture->Draw(&graphics, Gdiplus::Rect(itemRect.left, itemRect.top, textRect.left - itemRect.left,
                                               itemRect.bottom - itemRect.top));
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, item->text, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    return true;
}
