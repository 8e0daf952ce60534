// GroupControl; see GroupControl.h.
#include "toolkit/controls/GroupControl.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"

GroupControl::GroupControl() {
    kind = KIND_GROUPBOX;
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    textColor = 0xFF000000 | (GetRValue(text) << 16) | (GetGValue(text) << 8) | GetBValue(text);
}

LRESULT GroupControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_GROUPMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

HBRUSH GroupControl::OnStaticColor(HDC dc) {
    HBRUSH brush = brush_.Answer(background, dc, true);
    SetTextColor(dc, RGB((textColor >> 16) & 0xFF, (textColor >> 8) & 0xFF, textColor & 0xFF));
    return brush ? brush : SystemBackAnswer(dc, COLOR_BTNFACE);
}
