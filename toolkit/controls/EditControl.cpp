// EditControl; see EditControl.h.
#include "toolkit/controls/EditControl.h"

#include "toolkit/base/TextCodec.h"
#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/GdiplusColor.h"

EditControl::EditControl() {
    kind = KIND_EDIT;
}

void EditControl::Print(HDC dc, DWORD flags) {
    if (flags & PRF_CLIENT) {
        RECT client{};
        GetClientRect(client);
        if (background == kNoColor) {
            FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        } else if (background != kSeeThrough) {
            GdiObject<HBRUSH> brush(CreateSolidBrush(ColorRefOf(background)));
            FillRect(dc, &client, brush.Get());
        }
        HGDIOBJ oldFont = Font() ? SelectObject(dc, Font()) : nullptr;
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = ::SetTextColor(dc, FromArgb(textColor_));
        const WideText text(GetText());
        DrawTextW(dc, text, text.Length(), &client, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        ::SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
        if (oldFont)
            SelectObject(dc, oldFont);
    }
    Window::Print(dc, flags);
}

HBRUSH EditControl::OnEditColor(HDC dc) {
    return AnswerColors(dc, COLOR_WINDOW);
}

HBRUSH EditControl::OnStaticColor(HDC dc) {
    return AnswerColors(dc, COLOR_BTNFACE);
}

HBRUSH EditControl::AnswerColors(HDC dc, int systemBack) {
    HBRUSH brush = brush_.Answer(background, dc, true);
    ::SetTextColor(dc, FromArgb(textColor_));
    return brush ? brush : SystemBackAnswer(dc, systemBack);
}

LRESULT EditControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_EDITMOUSE, message, lParam);
    if (message == WM_KEYDOWN && wParam == VK_RETURN && GetParent(Handle()))
        SendMessageA(GetParent(Handle()), WM_SWND_EDITENTER, reinterpret_cast<WPARAM>(this), 0);
    return Window::OnMessage(message, wParam, lParam);
}
