// CheckControl; see CheckControl.h.
#include "toolkit/controls/CheckControl.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"

CheckControl::CheckControl() {
    kind = KIND_CHECKBOX;
}

LRESULT CheckControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_CHECKMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

void CheckControl::SetCheck(int state) {
    SendMessageA(Handle(), BM_SETCHECK, state, 0);
}
