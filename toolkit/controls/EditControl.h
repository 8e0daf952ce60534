// EditControl: the Win32 "EDIT" with the toolkit's colours and a report of the Enter key to
// the parent (WM_SWND_EDITENTER).
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/controls/ControlColors.h"
#include "toolkit/window/Window.h"

class EditControl : public Window {
public:
    EditControl();

    void Print(HDC dc, DWORD flags) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnEditColor(HDC dc) override;
    // A read-only or disabled edit asks as a static control does.
    HBRUSH OnStaticColor(HDC dc) override;

    // The text colour as 0xAARRGGBB (alpha is not used for drawing).
    void SetTextColor(uint32_t argb) { textColor_ = argb; }

private:
    // The text colour with the back colour, or with the system's back when none is set.
    HBRUSH AnswerColors(HDC dc, int systemBack);

    uint32_t textColor_ = 0xFF000000;
    OwnedBrush brush_;
};
