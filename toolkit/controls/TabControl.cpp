// TabControl; see TabControl.h.
#include "toolkit/controls/TabControl.h"

#include <commctrl.h>

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"

TabControl::TabControl() {
    kind = KIND_TABCONTROL;
}

LRESULT TabControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_TABMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

int TabControl::InsertPage(const char* caption, int position, int image) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption ? caption : "");
    if (image >= 0) {
        item.mask |= TCIF_IMAGE;
        item.iImage = image;
    }
    if (position < 0)
        position = PageCount();
    return static_cast<int>(SendMessageA(Handle(), TCM_INSERTITEMA, position, reinterpret_cast<LPARAM>(&item)));
}

int TabControl::PageCount() const {
    return static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0));
}

void TabControl::SelectPage(int page) {
    SendMessageA(Handle(), TCM_SETCURSEL, page, 0);
}

int TabControl::GetSelectedPage() const {
    return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
}

bool TabControl::AttachToPage(int page, Window* control) {
    if (!control || page < 0 || page >= PageCount())
        return false;
    for (int i = 0; i < attached_.Count(); i++) {
        if (attached_[i] == control && pages_[i] == page)
            return false;
    }
    attached_.Append(control);
    pages_.Append(page);
    return true;
}

void TabControl::ShowPage(int page) {
    if (page < 0 || page >= PageCount())
        return;
    // Hide first, then show: a control on several pages stays visible on each of them.
    for (int i = 0; i < attached_.Count(); i++) {
        if (pages_[i] != page)
            ShowWindow(attached_[i]->Handle(), SW_HIDE);
    }
    for (int i = 0; i < attached_.Count(); i++) {
        if (pages_[i] == page)
            ShowWindow(attached_[i]->Handle(), SW_SHOW);
    }
}
