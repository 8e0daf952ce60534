// Geometry, child enumeration, Tab navigation and anchoring services of Window. Each
// geometry call works on the current system window and reports a failed system call as
// false (or 0 for the size getters).
#include "toolkit/base/TextCodec.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Window.h"
#include "toolkit/window/WindowRegistry.h"

namespace {

constexpr int kReferenceSize = 1000;
constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

bool IsExcluded(const Array<Window*>* exclude, Window* window) {
    return exclude && exclude->Find(window) >= 0;
}

bool IsTabCandidate(Window* window, int group) {
    HWND handle = window->Handle();
    return window->tabGroup != -1 && window->tabGroup == group && handle && IsWindowVisible(handle) &&
           IsWindowEnabled(handle);
}

}  // namespace

bool Window::GetWindowRect(RECT& rect) const {
    return handle_ && ::GetWindowRect(handle_, &rect);
}

String Window::GetText() const {
    String text;
    const int length = Handle() ? GetWindowTextLengthW(Handle()) : 0;
    if (length <= 0)
        return text;
    Array<wchar_t> wide;
    wide.SetSize(length + 1, false);
    const int got = GetWindowTextW(Handle(), &wide[0], length + 1);
    return got > 0 ? Utf8FromWide(&wide[0], got) : text;
}

bool Window::SetText(const char* text) {
    return Handle() && SetWindowTextW(Handle(), WideText(text ? text : "")) != FALSE;
}

bool Window::GetClientRect(RECT& rect) const {
    return handle_ && ::GetClientRect(handle_, &rect);
}

int Window::GetClientWidth() const {
    RECT rect;
    return GetClientRect(rect) ? rect.right - rect.left : 0;
}

int Window::GetClientHeight() const {
    RECT rect;
    return GetClientRect(rect) ? rect.bottom - rect.top : 0;
}

int Window::GetWindowWidth() const {
    RECT rect;
    return GetWindowRect(rect) ? rect.right - rect.left : 0;
}

int Window::GetWindowHeight() const {
    RECT rect;
    return GetWindowRect(rect) ? rect.bottom - rect.top : 0;
}

bool Window::Move(int x, int y) {
    return handle_ && SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Window::SetSize(int width, int height) {
    return handle_ && SetWindowPos(handle_, nullptr, 0, 0, width, height,
                                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool Window::SetClientSize(int width, int height) {
    int left = 0, top = 0, right = 0, bottom = 0;
    if (!GetFrameMargins(left, top, right, bottom))
        return false;
    return SetSize(width + left + right, height + top + bottom);
}

bool Window::GetFrameMargins(int& left, int& top, int& right, int& bottom) const {
    if (!handle_)
        return false;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(handle_, GWL_EXSTYLE));
    const bool menu = kind == KIND_WINDOW && !(style & WS_CHILD) && GetMenu(handle_);
    RECT rect{0, 0, kReferenceSize, kReferenceSize};
    if (!AdjustWindowRectEx(&rect, style, menu, exStyle))
        return false;
    left = -rect.left;
    top = -rect.top;
    right = rect.right - kReferenceSize;
    bottom = rect.bottom - kReferenceSize;
    if (style & WS_VSCROLL) {
        if (exStyle & WS_EX_LEFTSCROLLBAR)
            left += GetSystemMetrics(SM_CXVSCROLL);
        else
            right += GetSystemMetrics(SM_CXVSCROLL);
    }
    if (style & WS_HSCROLL)
        bottom += GetSystemMetrics(SM_CYHSCROLL);
    return true;
}

bool Window::Center(bool onParent) {
    RECT own;
    if (!GetWindowRect(own))
        return false;
    HWND parent = ::GetParent(handle_);
    RECT area = workArea_;
    if (onParent && parent && !::GetWindowRect(parent, &area))
        return false;
    POINT topLeft{area.left + ((area.right - area.left) - (own.right - own.left)) / 2,
                  area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2};
    if (parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        ::ScreenToClient(parent, &topLeft);
    return Move(topLeft.x, topLeft.y);
}

bool Window::ClientToScreen(POINT& point) const {
    return handle_ && ::ClientToScreen(handle_, &point);
}

bool Window::ScreenToClient(POINT& point) const {
    return handle_ && ::ScreenToClient(handle_, &point);
}

// MapWindowPoints answers 0 both for failure and for a zero offset; the error code tells.
bool Window::ClientToScreen(RECT& rect) const {
    if (!handle_)
        return false;
    SetLastError(0);
    return MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&rect), 2) != 0 || GetLastError() == 0;
}

bool Window::ScreenToClient(RECT& rect) const {
    if (!handle_)
        return false;
    SetLastError(0);
    return MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&rect), 2) != 0 || GetLastError() == 0;
}

HWND Window::GetTopLevelHandle() const {
    HWND handle = handle_;
    while (handle) {
        HWND parent = ::GetParent(handle);
        if (!parent)
            break;
        handle = parent;
    }
    return handle;
}

bool Window::HasRegion() const {
    if (!handle_)
        return false;
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    const int type = GetWindowRgn(handle_, probe);
    DeleteObject(probe);
    return type != ERROR;
}

int Window::GetChildren(Array<Window*>& out, const Array<Window*>* exclude, bool recursive, int kindFilter) const {
    Array<Window*> direct;
    // Descending needs every child, whatever the filter; the filter applies to what is kept.
    WindowRegistry::CollectChildren(handle_, -1, direct);
    int added = 0;
    for (int i = 0; i < direct.Count(); i++) {
        Window* const child = direct[i];
        if (IsExcluded(exclude, child))
            continue;
        if (kindFilter == -1 || child->kind == kindFilter) {
            out.Append(child);
            added++;
        }
        if (recursive)
            added += child->GetChildren(out, exclude, true, kindFilter);
    }
    return added;
}

int Window::GetSiblings(Array<Window*>& out, const Array<Window*>* exclude, int kindFilter) const {
    HWND parent = handle_ ? ::GetParent(handle_) : nullptr;
    if (!parent)
        return 0;
    Array<Window*> all;
    WindowRegistry::CollectChildren(parent, kindFilter, all);
    int added = 0;
    for (int i = 0; i < all.Count(); i++) {
        if (all[i] == this || IsExcluded(exclude, all[i]))
            continue;
        out.Append(all[i]);
        added++;
    }
    return added;
}

int Window::GetChildHandles(HWND parent, Array<HWND>& out, const Array<HWND>* exclude, bool recursive) {
    int added = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (exclude && exclude->Find(child) >= 0)
            continue;
        out.Append(child);
        added++;
        if (recursive)
            added += GetChildHandles(child, out, exclude, true);
    }
    return added;
}

Window* Window::NextTabStop() {
    Array<Window*> siblings;
    GetSiblings(siblings, nullptr);
    Window* after = nullptr;
    Window* first = nullptr;
    for (int i = 0; i < siblings.Count(); i++) {
        Window* const sibling = siblings[i];
        if (!IsTabCandidate(sibling, tabGroup))
            continue;
        if (sibling->sequence_ > sequence_ && (!after || sibling->sequence_ < after->sequence_))
            after = sibling;
        if (!first || sibling->sequence_ < first->sequence_)
            first = sibling;
    }
    if (tabGroup == -1)
        return this;
    if (after)
        return after;
    return first ? first : this;
}

void Window::SetAnchor(uint32_t flags) {
    HWND parent = handle_ ? ::GetParent(handle_) : nullptr;
    RECT parentClient;
    RECT own;
    if (flags == 0 || !parent || !::GetClientRect(parent, &parentClient) || !::GetWindowRect(handle_, &own)) {
        anchorFlags_ = 0;
        return;
    }
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&own), 2);
    anchorFlags_ = flags;
    anchorReference_[0] = parentClient.right;
    anchorReference_[1] = parentClient.bottom;
    anchorReference_[2] = own.left;
    anchorReference_[3] = own.top;
    anchorReference_[4] = own.right;
    anchorReference_[5] = own.bottom;
}

void Window::ApplyAnchor() {
    HWND parent = ::GetParent(handle_);
    RECT parentClient;
    if (!parent || !::GetClientRect(parent, &parentClient))
        return;
    const int dw = parentClient.right - anchorReference_[0];
    const int dh = parentClient.bottom - anchorReference_[1];
    int left = anchorReference_[2];
    int top = anchorReference_[3];
    int width = anchorReference_[4] - left;
    int height = anchorReference_[5] - top;
    if (anchorFlags_ & ANCHOR_RIGHT_HALF)
        left += dw / 2;
    if (anchorFlags_ & ANCHOR_RIGHT)
        left += dw;
    if (anchorFlags_ & ANCHOR_WIDEN)
        width += dw;
    if (anchorFlags_ & ANCHOR_DOWN_HALF)
        top += dh / 2;
    if (anchorFlags_ & ANCHOR_DOWN)
        top += dh;
    if (anchorFlags_ & ANCHOR_TALLER)
        height += dh;
    SetWindowPos(handle_, nullptr, left, top, width, height, kPlaceFlags);
}
