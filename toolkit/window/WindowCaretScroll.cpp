// Caret, mouse cursor and window scroll-bar services of Window, and the handling of the
// window's own scroll-bar requests (steps, granularity, clamping). The system has one caret per
// thread, owned by the focused window, so the window keeps its caret's wishes in fields and
// creates the system caret only while it has the focus (WM_SETFOCUS re-creates it).
#include "toolkit/window/Messages.h"
#include "toolkit/window/Window.h"

namespace {

constexpr int kParkedCaret = -182;

// Rounds towards minus infinity, so negative ranges keep the same steps.
int RoundDown(int value, int granularity) {
    if (granularity <= 1)
        return value;
    return value - ((value % granularity) + granularity) % granularity;
}

}  // namespace

bool Window::PlaceSystemCaret() {
    const int x = caretVisible_ ? caretX_ : kParkedCaret;
    const int y = caretVisible_ ? caretY_ : kParkedCaret;
    return ::SetCaretPos(x, y) != 0;
}

void Window::CreateCaret(int height, int width, int x, int y, bool visible) {
    DestroyCaret();
    caretEnabled_ = true;
    caretHeight_ = height;
    caretWidth_ = width;
    caretX_ = x;
    caretY_ = y;
    caretVisible_ = visible;
    if (!handle_ || GetFocus() != handle_)
        return;
    caretShown_ = ::CreateCaret(handle_, nullptr, caretWidth_, caretHeight_) != 0;
    if (!caretShown_)
        return;
    PlaceSystemCaret();
    ::ShowCaret(handle_);
}

void Window::SetCaretPos(int x, int y) {
    caretX_ = x;
    caretY_ = y;
    if (caretShown_ && caretVisible_)
        ::SetCaretPos(x, y);
}

void Window::ShowCaret(bool visible) {
    caretVisible_ = visible;
    if (caretShown_)
        PlaceSystemCaret();
}

void Window::DestroyCaret() {
    if (caretShown_)
        ::DestroyCaret();
    caretShown_ = false;
    caretEnabled_ = false;
}

void Window::SetCursor(HCURSOR cursor) {
    cursor_ = cursor;
    if (!handle_)
        return;
    POINT position{};
    if (!GetCursorPos(&position))
        return;
    if (cursor_) {
        if (WindowFromPoint(position) == handle_)
            ::SetCursor(cursor_);
        return;
    }
    // Moving the cursor onto itself makes the system ask for the class cursor again.
    SetCursorPos(position.x, position.y);
}

bool Window::SetScrollRange(int bar, int minimum, int maximum, int page, bool redraw) {
    if (!handle_)
        return false;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE;
    info.nMin = minimum;
    info.nMax = maximum;
    if (page >= 0) {
        info.fMask |= SIF_PAGE;
        info.nPage = static_cast<UINT>(page);
    }
    SetScrollInfo(handle_, bar, &info, redraw);
    return true;
}

bool Window::SetScrollPos(int bar, int position, bool redraw) {
    if (!handle_)
        return false;
    const int granularity = bar == SB_VERT ? vGranularity_ : hGranularity_;
    ::SetScrollPos(handle_, bar, RoundDown(position, granularity), redraw);
    return true;
}

void Window::SetScrollSteps(int bar, int line, int page, int granularity) {
    if (granularity < 1)
        granularity = 1;
    if (bar == SB_HORZ || bar == SB_BOTH) {
        hLine_ = line;
        hPage_ = page;
        hGranularity_ = granularity;
    }
    if (bar == SB_VERT || bar == SB_BOTH) {
        vLine_ = line;
        vPage_ = page;
        vGranularity_ = granularity;
    }
}

int Window::GetScrollMin(int bar) const {
    int minimum = 0, maximum = 0;
    if (handle_)
        ::GetScrollRange(handle_, bar, &minimum, &maximum);
    return minimum;
}

int Window::GetScrollMax(int bar) const {
    int minimum = 0, maximum = 0;
    if (handle_)
        ::GetScrollRange(handle_, bar, &minimum, &maximum);
    return maximum;
}

int Window::GetScrollPos(int bar) const {
    return handle_ ? ::GetScrollPos(handle_, bar) : 0;
}

LRESULT Window::HandleOwnScroll(int bar, WPARAM request) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(handle_, bar, &info))
        return 0;
    const bool vertical = bar == SB_VERT;
    const int line = vertical ? vLine_ : hLine_;
    const int page = vertical ? vPage_ : hPage_;
    int position = info.nPos;
    switch (LOWORD(request)) {
        case SB_LINEUP:
            position -= line;
            break;
        case SB_LINEDOWN:
            position += line;
            break;
        case SB_PAGEUP:
            position -= page;
            break;
        case SB_PAGEDOWN:
            position += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            position = HIWORD(request);
            break;
        case SB_TOP:
            position = info.nMin;
            break;
        case SB_BOTTOM:
            position = info.nMax;
            break;
        default:
            return 0;
    }
    position = RoundDown(position, vertical ? vGranularity_ : hGranularity_);
    // With a page, the system stops the thumb at maximum - page + 1; so do we, or the
    // notification would report a position the bar never took.
    int last = info.nMax;
    if (info.nPage > 0)
        last = info.nMax - static_cast<int>(info.nPage) + 1;
    if (last < info.nMin)
        last = info.nMin;
    if (position > last)
        position = last;
    if (position < info.nMin)
        position = info.nMin;
    if (position == info.nPos)
        return 0;
    ::SetScrollPos(handle_, bar, position, TRUE);
    const int now = ::GetScrollPos(handle_, bar);
    if (now == info.nPos)
        return 0;
    SendMessageA(handle_, vertical ? WM_SWND_VSCROLLED : WM_SWND_HSCROLLED, MAKEWPARAM(info.nPos, now), 0);
    return 0;
}
