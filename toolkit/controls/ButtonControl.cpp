// ButtonControl; see ButtonControl.h.
#include "toolkit/controls/ButtonControl.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"

ButtonControl::ButtonControl() {
    kind = KIND_BUTTON;
}

LRESULT ButtonControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_BUTTONMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}
