// Mouse reports of the control family; see MouseReport.h.
#include "toolkit/controls/MouseReport.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/window/Window.h"

namespace {

uint32_t MouseCode(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return MOUSE_EVENT_LEFT | MOUSE_EVENT_DOWN;
        case WM_MBUTTONDOWN:
            return MOUSE_EVENT_MIDDLE | MOUSE_EVENT_DOWN;
        case WM_RBUTTONDOWN:
            return MOUSE_EVENT_RIGHT | MOUSE_EVENT_DOWN;
        case WM_LBUTTONUP:
            return MOUSE_EVENT_LEFT | MOUSE_EVENT_UP;
        case WM_MBUTTONUP:
            return MOUSE_EVENT_MIDDLE | MOUSE_EVENT_UP;
        case WM_RBUTTONUP:
            return MOUSE_EVENT_RIGHT | MOUSE_EVENT_UP;
        case WM_LBUTTONDBLCLK:
            return MOUSE_EVENT_LEFT | MOUSE_EVENT_DOUBLE;
        case WM_MBUTTONDBLCLK:
            return MOUSE_EVENT_MIDDLE | MOUSE_EVENT_DOUBLE;
        case WM_RBUTTONDBLCLK:
            return MOUSE_EVENT_RIGHT | MOUSE_EVENT_DOUBLE;
        case WM_SWND_LCLICK:
            return MOUSE_EVENT_LEFT | MOUSE_EVENT_SINGLE;
        case WM_SWND_MCLICK:
            return MOUSE_EVENT_MIDDLE | MOUSE_EVENT_SINGLE;
        case WM_SWND_RCLICK:
            return MOUSE_EVENT_RIGHT | MOUSE_EVENT_SINGLE;
        default:
            return 0;
    }
}

}  // namespace

bool ReportMouse(Window& control, UINT reportMessage, UINT message, LPARAM position) {
    const uint32_t code = MouseCode(message);
    HWND parent = control.Handle() ? GetParent(control.Handle()) : nullptr;
    if (!code || !parent)
        return false;
    MouseEvent event{code, static_cast<int16_t>(LOWORD(position)), static_cast<int16_t>(HIWORD(position))};
    SendMessageA(parent, reportMessage, reinterpret_cast<WPARAM>(&control), reinterpret_cast<LPARAM>(&event));
    return true;
}
