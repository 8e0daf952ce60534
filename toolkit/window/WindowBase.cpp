// Window::OnMessage, the base handling that every window class ends in: parent-size
// notification of children, the window's own scroll bars (arithmetic in
// WindowCaretScroll.cpp), menu commands, the end of modal runs, and the close of the erase
// that the shared pre-processing opened (WindowPaint.cpp).
#include "toolkit/window/Messages.h"
#include "toolkit/window/Window.h"
#include "toolkit/window/WindowRegistry.h"

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            const LRESULT result = CallDefault(message, wParam, lParam);
            NotifyChildrenOfSize(wParam, lParam);
            return result;
        }
        case WM_DESTROY: {
            ReleaseSkin();
            HWND handle = handle_;
            handle_ = nullptr;
            if (systemProc_)
                return CallWindowProcW(systemProc_, handle, message, wParam, lParam);
            return DefWindowProcW(handle, message, wParam, lParam);
        }
        case WM_ERASEBKGND:
            if (IsOwnPainted())
                return EndErase(reinterpret_cast<HDC>(wParam));
            break;
        case WM_HSCROLL:
        case WM_VSCROLL: {
            const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
            if (!lParam && !systemProc_)
                return HandleOwnScroll(bar, wParam);
            Window* const child = FromHandle(reinterpret_cast<HWND>(lParam));
            if (child && child->kind == KIND_TRACKBAR)
                SendMessageA(handle_, WM_SWND_TRACKBARSCROLL, reinterpret_cast<WPARAM>(child), 0);
            break;
        }
        case WM_MENUCOMMAND:
            HandleMenuCommand(wParam, lParam);
            return 0;
        case WM_SWND_CREATED:
            return systemProc_ ? CallWindowProcW(systemProc_, handle_, message, wParam, lParam) : 0;
        case WM_SWND_PARENTSIZED:
            if (anchorFlags_)
                ApplyAnchor();
            return 0;
        case WM_SWND_MODALINIT:
            return 0;
        case WM_SWND_OK:
            EndModal(1);
            break;
        case WM_SWND_CANCEL:
            EndModal(0);
            break;
        default:
            break;
    }
    return CallDefault(message, wParam, lParam);
}

void Window::NotifyChildrenOfSize(WPARAM wParam, LPARAM lParam) {
    Array<HWND> children;
    WindowRegistry::CollectChildHandles(handle_, -1, children);
    for (int i = 0; i < children.Count(); i++) {
        // Owned popups are not laid out by their owner (and may belong to another thread).
        if (GetWindowLongA(children[i], GWL_STYLE) & WS_CHILD)
            SendMessageA(children[i], WM_SWND_PARENTSIZED, wParam, lParam);
    }
}
