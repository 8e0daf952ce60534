// TabControl; see TabControl.h.
#include "toolkit/controls/TabControl.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>

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

void TabControl::AttachAll(Array<TabAttachment>& pairs) {
    for (int i = 0; i < attached_.Count(); i++)
        pairs.Append(TabAttachment{pages_[i], attached_[i]});
    const auto before = [](const TabAttachment& a, const TabAttachment& b) {
        return a.control != b.control ? std::less<Window*>()(a.control, b.control) : a.page < b.page;
    };
    std::sort(pairs.Data(), pairs.Data() + pairs.Count(), before);
    attached_.Free();
    pages_.Free();
    const int pageCount = PageCount();
    for (int i = 0; i < pairs.Count(); i++) {
        const TabAttachment& pair = pairs[i];
        const bool repeated = i > 0 && pair.control == pairs[i - 1].control && pair.page == pairs[i - 1].page;
        if (!pair.control || pair.page < 0 || pair.page >= pageCount || repeated)
            continue;
        attached_.Append(pair.control);
        pages_.Append(pair.page);
    }
}

void TabControl::ShowPage(int page) {
    if (page < 0 || page >= PageCount())
        return;
    // A control on several pages stays visible on each of them. Only changes reach the
    // system: each is a trip to the window server, and a definition may attach thousands.
    Array<Window*> shown;
    for (int i = 0; i < attached_.Count(); i++) {
        if (pages_[i] == page)
            shown.Append(attached_[i]);
    }
    const std::less<Window*> before;
    std::sort(shown.Data(), shown.Data() + shown.Count(), before);
    for (int i = 0; i < attached_.Count(); i++) {
        HWND handle = attached_[i]->Handle();
        const bool show = std::binary_search(shown.Data(), shown.Data() + shown.Count(), attached_[i], before);
        if (show != ((GetWindowLongA(handle, GWL_STYLE) & WS_VISIBLE) != 0))
            ShowWindow(handle, show ? SW_SHOW : SW_HIDE);
    }
}
