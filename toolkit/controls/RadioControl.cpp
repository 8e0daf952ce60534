// RadioControl; see RadioControl.h.
#include "toolkit/controls/RadioControl.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"

RadioControl::RadioControl() {
    kind = KIND_RADIO;
}

LRESULT RadioControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_RADIOMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

void RadioControl::SetCheck(int state) {
    SendMessageA(Handle(), BM_SETCHECK, state, 0);
}

void RadioControl::SelectRadio() {
    SelectRadioButton(*this);
}
