// Slider, scroll bar and progress bar; see ValueControls.h.
#include "toolkit/controls/ValueControls.h"

#include <commctrl.h>

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"

SliderControl::SliderControl() {
    kind = KIND_TRACKBAR;
}

LRESULT SliderControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_TRACKBARMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

void SliderControl::SetRange(int minimum, int maximum) {
    SendMessageA(Handle(), TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
}

void SliderControl::SetPosition(int position) {
    SendMessageA(Handle(), TBM_SETPOS, TRUE, position);
}

int SliderControl::GetPosition() const {
    return static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0));
}

ScrollControl::ScrollControl() {
    kind = KIND_SCROLLBAR;
}

LRESULT ScrollControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_SCROLLBARMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

void ScrollControl::SetRange(int minimum, int maximum) {
    SendMessageA(Handle(), SBM_SETRANGEREDRAW, minimum, maximum);
}

void ScrollControl::SetPosition(int position) {
    SendMessageA(Handle(), SBM_SETPOS, position, TRUE);
}

ProgressControl::ProgressControl() {
    kind = KIND_PROGRESS;
}

LRESULT ProgressControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_PROGRESSMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

void ProgressControl::SetRange(int minimum, int maximum) {
    SendMessageA(Handle(), PBM_SETRANGE32, minimum, maximum);
}

void ProgressControl::SetPosition(int position) {
    SendMessageA(Handle(), PBM_SETPOS, position, 0);
}
