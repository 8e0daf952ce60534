// Window::HandleMessage: the pre-processing step that every toolkit window shares. It runs
// before the class's OnMessage and either lets the message go on (true) or finishes it with
// a result (false). Mouse input, hot zones_ and dropped files are in WindowInput.cpp, child
// notifications in WindowNotify.cpp.
#include <windows.h>

#include <windowsx.h>

#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"
#include "toolkit/window/Window.h"
#include "toolkit/window/WindowRegistry.h"

bool Window::HandleMessage(UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) {
    switch (message) {
        case WM_SWND_CREATED:
            return HandleCreated();
        case WM_CLOSE:
            return HandleClose(result);
        case WM_DESTROY:
            HandleDestroy();
            return true;
        case WM_SETFOCUS:
            HandleSetFocus();
            return true;
        case WM_KILLFOCUS:
            HandleKillFocus(reinterpret_cast<HWND>(wParam));
            return true;
        case WM_SETCURSOR:
            if (!cursor_)
                return true;
            ::SetCursor(cursor_);
            result = 1;
            return false;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            return true;
        case WM_GETFONT:
            OnMessage(message, wParam, lParam);
            result = reinterpret_cast<LRESULT>(font_);
            return false;
        case WM_GETMINMAXINFO: {
            MINMAXINFO* const info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (minTrackWidth_ >= 0)
                info->ptMinTrackSize.x = minTrackWidth_;
            if (minTrackHeight_ >= 0)
                info->ptMinTrackSize.y = minTrackHeight_;
            if (maxTrackWidth_ >= 0)
                info->ptMaxTrackSize.x = maxTrackWidth_;
            if (maxTrackHeight_ >= 0)
                info->ptMaxTrackSize.y = maxTrackHeight_;
            return true;
        }
        case WM_STYLECHANGED:
            UpdateFrameFlags();
            return true;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            return !HandleItemMessage(message, wParam, lParam, result);
        case WM_KEYDOWN:
            return HandleKeyDown(wParam, result);
        case WM_CHAR:
            if (wParam == VK_TAB && kind == KIND_EDIT) {
                result = 0;
                return false;
            }
            return true;
        case WM_COMMAND:
            HandleCommand(wParam, lParam);
            return true;
        case WM_NOTIFY:
            if (lParam)
                HandleNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return !HandleControlColor(message, wParam, lParam, result);
        case WM_INITMENUPOPUP:
            ::SetCursor(GetCursor(0));
            return true;
        case WM_MOUSEMOVE:
            HandleMouseMove(wParam, lParam);
            return true;
        case WM_MOUSELEAVE:
            HandleMouseLeave();
            return true;
        case WM_LBUTTONDOWN:
            HandleButtonDown(WindowRegistry::kLeft, lParam);
            return true;
        case WM_MBUTTONDOWN:
            HandleButtonDown(WindowRegistry::kMiddle, lParam);
            return true;
        case WM_RBUTTONDOWN:
            HandleButtonDown(WindowRegistry::kRight, lParam);
            return true;
        case WM_LBUTTONUP:
            HandleButtonUp(WindowRegistry::kLeft, lParam);
            return true;
        case WM_MBUTTONUP:
            HandleButtonUp(WindowRegistry::kMiddle, lParam);
            return true;
        case WM_RBUTTONUP:
            HandleButtonUp(WindowRegistry::kRight, lParam);
            return true;
        case WM_CAPTURECHANGED:
            // Capture taken away mid-drag (a modal window of the other thread disabled this
            // one): the button-up will not come here, so the drag ends now.
            if (reinterpret_cast<HWND>(lParam) != handle_)
                EndDrag();
            return true;
        case WM_NCMOUSEMOVE:
            if (ncZonesEnabled_) {
                RECT frame;
                ::GetWindowRect(handle_, &frame);
                RunNcZoneMachine(GET_X_LPARAM(lParam) - frame.left, GET_Y_LPARAM(lParam) - frame.top);
            }
            return true;
        case WM_NCMOUSELEAVE:
            if (ncZonesEnabled_)
                LeaveNcZones();
            return true;
        case WM_ERASEBKGND:
            if (IsOwnPainted())
                BeginErase(reinterpret_cast<HDC>(wParam), lParam);
            return true;
        case WM_PAINT:
            if (kind != KIND_DISABLED_PAINTED || !IsOwnPainted() || IsWindowEnabled(handle_))
                return true;
            PaintDisabled();
            result = 0;
            return false;
        case WM_DROPFILES:
            // The drop handle is released here, so the notification is the only way to the paths.
            HandleDropFiles(reinterpret_cast<HANDLE>(wParam));
            result = 0;
            return false;
        default:
            return true;
    }
}

bool Window::HandleCreated() {
    eraseDepth_ = 0;
    if (kind == KIND_WINDOW)
        background = GetSysColor(COLOR_BTNFACE);
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetDefaultFont()), TRUE);
    cursor_ = nullptr;
    return true;
}

bool Window::HandleClose(LRESULT& result) {
    if (!modal_)
        return true;
    SendMessageA(handle_, WM_SWND_CANCEL, 0, 0);
    if (!modal_)
        return true;
    result = 0;
    return false;
}

void Window::HandleDestroy() {
    EndModal(0);
    DestroyCaret();
    // Give a subclassed control its own procedure back, so that WM_NCDESTROY (which arrives
    // after the object has left the registry) still frees the control's data.
    if (systemProc_)
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
}

void Window::HandleSetFocus() {
    if (!caretEnabled_)
        return;
    if (caretShown_)
        ::DestroyCaret();
    caretShown_ = ::CreateCaret(handle_, nullptr, caretWidth_, caretHeight_) != 0;
    if (!caretShown_)
        return;
    PlaceSystemCaret();
    ::ShowCaret(handle_);
}

void Window::HandleKillFocus(HWND gaining) {
    // A press is forgotten when the focus moves away, except by the press itself: a list box
    // or button takes the focus as its button goes down, and its click must still count.
    Window* const pressedWindow = FromHandle(gaining);
    for (int button = WindowRegistry::kLeft; button <= WindowRegistry::kRight; button++) {
        const WindowRegistry::Button which = static_cast<WindowRegistry::Button>(button);
        if (!pressedWindow || WindowRegistry::Pressed(which) != pressedWindow)
            WindowRegistry::ClearButton(which);
    }
    if (caretShown_)
        ::DestroyCaret();
    caretShown_ = false;
}

bool Window::HandleKeyDown(WPARAM key, LRESULT& result) {
    if (::GetParent(handle_)) {
        if (Window* const top = FromHandle(GetTopLevelHandle()))
            SendMessageA(top->handle_, WM_SWND_KEYDOWN, key, reinterpret_cast<LPARAM>(this));
    }
    if (key != VK_TAB || tabGroup == -1 || !handle_)
        return true;
    Window* const next = NextTabStop();
    if (!next || next == this)
        return true;
    ::SetFocus(next->handle_);
    result = 0;
    return false;
}

bool Window::HandleControlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    Window* const child = FromHandle(reinterpret_cast<HWND>(lParam));
    if (!child)
        return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    HBRUSH brush = nullptr;
    switch (message) {
        case WM_CTLCOLOREDIT:
            brush = child->OnEditColor(dc);
            break;
        case WM_CTLCOLORDLG:
            brush = child->OnDialogColor(dc);
            break;
        case WM_CTLCOLORSCROLLBAR:
            brush = child->OnScrollBarColor(dc);
            break;
        default:
            brush = child->OnStaticColor(dc);
            break;
    }
    if (!brush)
        return false;
    result = reinterpret_cast<LRESULT>(brush);
    return true;
}
