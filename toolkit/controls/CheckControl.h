// CheckControl: a check box over the non-automatic Win32 "BUTTON" style BS_CHECKBOX. The
// window framework toggles the mark on a click and tells the parent WM_SWND_CHECKCLICKED;
// mouse input goes out as WM_SWND_CHECKMOUSE. Its back colour is the background field.
#pragma once

#include "toolkit/controls/ControlColors.h"
#include "toolkit/window/Window.h"

class CheckControl : public Window {
public:
    CheckControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnStaticColor(HDC dc) override { return brush_.Answer(background, dc, true); }

    void SetCheck(int state);

private:
    OwnedBrush brush_;
};
