// GroupControl; see GroupControl.h.
#include "toolkit/controls/GroupControl.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"
#include "toolkit/media/GdiplusColor.h"

GroupControl::GroupControl() {
    kind = KIND_GROUPBOX;
    textColor = ArgbOf(GetSysColor(COLOR_BTNTEXT));
}

LRESULT GroupControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_GROUPMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

HBRUSH GroupControl::OnStaticColor(HDC dc) {
    HBRUSH brush = brush_.Answer(background, dc, true);
    SetTextColor(dc, FromArgb(textColor));
    return brush ? brush : SystemBackAnswer(dc, COLOR_BTNFACE);
}
