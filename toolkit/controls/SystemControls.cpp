// The remaining Win32 control wrappers; see SystemControls.h.
#include "toolkit/controls/SystemControls.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"

ComboControl::ComboControl() {
    kind = KIND_COMBOBOX;
}

EditControl::EditControl() {
    kind = KIND_EDIT;
}

EditControl::~EditControl() {
    if (brush_)
        DeleteObject(brush_);
}

LRESULT EditControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_EDITMOUSE, message, lParam);
    if (message == WM_KEYDOWN && wParam == VK_RETURN && GetParent(Handle()))
        SendMessageA(GetParent(Handle()), WM_SWND_EDITENTER, reinterpret_cast<WPARAM>(this), 0);
    return Window::OnMessage(message, wParam, lParam);
}

HBRUSH EditControl::OnEditColor(HDC dc) {
    if (textColor != 0xFF000000)
        SetTextColor(dc, textColor & 0xFFFFFF);
    if (brush_)
        DeleteObject(brush_);
    brush_ = nullptr;
    if (background >= 0xFF000000)
        return nullptr;
    SetBkColor(dc, background & 0xFFFFFF);
    brush_ = CreateSolidBrush(background & 0xFFFFFF);
    return brush_;
}

IpEditControl::IpEditControl() {
    kind = KIND_IPEDIT;
}

LRESULT IpEditControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_IPEDITMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

ListViewControl::ListViewControl() {
    kind = KIND_LISTVIEW;
}

ListControl::ListControl() {
    kind = KIND_LISTBOX;
}

LRESULT ListControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_LISTMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

int ListControl::GetListItemHeight() {
    TEXTMETRICA metrics{};
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    return metrics.tmHeight + 2;
}

int ListControl::AddItem(const char* text) {
    items_.AddString(text);
    return static_cast<int>(SendMessageA(Handle(), LB_ADDSTRING, 0, items_.Count() - 1));
}

bool ListControl::DrawListItem(const DRAWITEMSTRUCT& draw) {
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int index = static_cast<int>(draw.itemData);
    if (index < 0 || index >= items_.Count())
        return true;
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = draw.rcItem;
    text.left += 2;
    DrawTextA(draw.hDC, items_.At(index), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return true;
}

RichEditControl::RichEditControl() {
    kind = KIND_RICHEDIT;
}

LRESULT RichEditControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_RICHEDITMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

bool RichEditControl::LoadLibraryOnce() {
    // The library stays loaded for the life of the process, as its window class must.
    static const bool loaded = LoadLibraryA("riched20.dll") != nullptr;
    return loaded;
}

TreeControl::TreeControl() {
    kind = KIND_TREEVIEW;
}
