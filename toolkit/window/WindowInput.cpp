// Mouse input of Window::HandleMessage: mouse enter and leave, clicks that count only where
// the button went down, drag-moving, the client and window-area hot-zone machines, and
// dropped files.
#include <windows.h>

#include <shellapi.h>
#include <windowsx.h>

#include "toolkit/base/Array.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/TextCodec.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Window.h"
#include "toolkit/window/WindowRegistry.h"

namespace {

constexpr UINT kClickMessages[3] = {WM_SWND_LCLICK, WM_SWND_MCLICK, WM_SWND_RCLICK};
constexpr WPARAM kButtonKeys[3] = {MK_LBUTTON, MK_MBUTTON, MK_RBUTTON};
// Longest dropped path taken; longer ones are skipped rather than cut into another path.
constexpr UINT kMaxDroppedPath = 1024;

int HitZone(const Array<RECT>& rects, int x, int y) {
    const POINT point{x, y};
    for (int i = 0; i < rects.Count(); i++) {
        if (PtInRect(&rects[i], point))
            return i;
    }
    return -1;
}

void ArmLeaveTracking(HWND handle, DWORD flags) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = flags;
    track.hwndTrack = handle;
    TrackMouseEvent(&track);
}

}  // namespace

void Window::HandleMouseMove(WPARAM keys, LPARAM position) {
    if (!mouseTracked_) {
        mouseTracked_ = true;
        SendMessageA(handle_, WM_SWND_MOUSEENTER, 0, position);
        ArmLeaveTracking(handle_, TME_LEAVE);
    }
    for (int button = 0; button < 3; button++) {
        if (!(keys & kButtonKeys[button]))
            WindowRegistry::ClearButton(static_cast<WindowRegistry::Button>(button));
    }
    // The button-up can be lost (capture taken away mid-drag): a move without the button ends it.
    if (dragging_ && !(keys & MK_LBUTTON))
        EndDrag();
    if (dragging_ && dragMove_) {
        POINT cursor{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
        ::ClientToScreen(handle_, &cursor);
        POINT topLeft{cursor.x - dragOffsetX_, cursor.y - dragOffsetY_};
        HWND parent = ::GetParent(handle_);
        if (parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
            ::ScreenToClient(parent, &topLeft);
        SetWindowPos(handle_, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (zonesEnabled_)
        RunZoneMachine(GET_X_LPARAM(position), GET_Y_LPARAM(position));
}

void Window::HandleMouseLeave() {
    SendMessageA(handle_, WM_SWND_MOUSELEAVE, 0, 0);
    mouseTracked_ = false;
    if (!zonesEnabled_ || currentZone_ < 0 || currentZone_ >= zones_.Count()) {
        currentZone_ = -1;
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    ::ScreenToClient(handle_, &cursor);
    const int left = currentZone_;
    currentZone_ = -1;
    OnZoneLeave(zones_[left], cursor.x, cursor.y, left);
}

void Window::HandleButtonDown(int button, LPARAM position) {
    if (button == WindowRegistry::kLeft && dragMove_ && !dragging_ && !IsZoomed(handle_)) {
        if (SendMessageA(handle_, WM_SWND_DRAGQUERY, 0, position) == 0) {
            POINT cursor{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
            ::ClientToScreen(handle_, &cursor);
            RECT frame;
            ::GetWindowRect(handle_, &frame);
            dragOffsetX_ = cursor.x - frame.left;
            dragOffsetY_ = cursor.y - frame.top;
            dragging_ = true;
            SetCapture(handle_);
        }
    }
    WindowRegistry::SetPressed(static_cast<WindowRegistry::Button>(button), this);
}

void Window::HandleButtonUp(int button, LPARAM position) {
    HWND handle = handle_;
    if (WindowRegistry::TakePressed(static_cast<WindowRegistry::Button>(button), this))
        SendMessageA(handle, kClickMessages[button], 0, position);
    if (button == WindowRegistry::kLeft && handle_ == handle)
        EndDrag();
}

void Window::EndDrag() {
    if (!dragging_)
        return;
    // Cleared first: releasing the capture sends WM_CAPTURECHANGED, which ends drags too.
    dragging_ = false;
    if (GetCapture() == handle_)
        ReleaseCapture();
    SendMessageA(handle_, WM_SWND_DRAGEND, 0, 0);
}

void Window::RunZoneMachine(int x, int y) {
    const int hit = HitZone(zones_, x, y);
    const int old = currentZone_;
    currentZone_ = hit;
    if (old == -1) {
        if (hit != -1)
            OnZoneEnter(zones_[hit], x, y, hit);
        return;
    }
    if (hit == old) {
        OnZoneMove(zones_[hit], x, y, hit);
        return;
    }
    if (old < zones_.Count())
        OnZoneLeave(zones_[old], x, y, old);
    if (hit != -1)
        OnZoneEnter(zones_[hit], x, y, hit);
}

void Window::RunNcZoneMachine(int x, int y) {
    const int hit = HitZone(ncZones_, x, y);
    const int old = currentNcZone_;
    currentNcZone_ = hit;
    const RECT* const hitRect = hit >= 0 ? &ncZones_[hit] : nullptr;
    if (old == -2) {
        OnNcZoneEnter(hitRect, x, y, hit);
    } else if (hit == old) {
        OnNcZoneMove(hitRect, x, y, hit);
    } else {
        OnNcZoneLeave(old >= 0 && old < ncZones_.Count() ? &ncZones_[old] : nullptr, x, y, old);
        OnNcZoneEnter(hitRect, x, y, hit);
    }
    ArmLeaveTracking(handle_, TME_LEAVE | TME_NONCLIENT);
}

void Window::LeaveNcZones() {
    const int old = currentNcZone_;
    currentNcZone_ = -2;
    if (old == -2)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT frame;
    ::GetWindowRect(handle_, &frame);
    const RECT* const oldRect = old >= 0 && old < ncZones_.Count() ? &ncZones_[old] : nullptr;
    OnNcZoneLeave(oldRect, cursor.x - frame.left, cursor.y - frame.top, old);
}

void Window::HandleDropFiles(HANDLE handle) {
    HDROP drop = static_cast<HDROP>(handle);
    if (!drop)
        return;
    StringList paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    wchar_t path[kMaxDroppedPath + 2];
    FileSystem files;
    for (UINT i = 0; i < count; i++) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0 || length >= kMaxDroppedPath)
            continue;
        if (DragQueryFileW(drop, i, path, kMaxDroppedPath + 2) != length)
            continue;
        String entry = Utf8FromWide(path, static_cast<int>(length));
        if (path[length - 1] != L'\\' && files.FolderExists(entry))
            entry.Append('\\');
        paths.AddString(entry);
    }
    DragFinish(drop);
    SendMessageA(handle_, WM_SWND_FILESDROPPED, 0, reinterpret_cast<LPARAM>(&paths));
}
