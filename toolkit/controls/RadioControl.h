// RadioControl: a radio button over the non-automatic Win32 style BS_RADIOBUTTON. Every
// radio button of one parent belongs to one group, whatever its group number: selecting one
// clears the others. The window framework selects it on a click and tells the parent
// WM_SWND_RADIOCLICKED; mouse input goes out as WM_SWND_RADIOMOUSE.
#pragma once

#include <cstdint>

#include "toolkit/controls/ControlColors.h"
#include "toolkit/window/ControlHooks.h"

class RadioControl : public RadioHooks {
public:
    RadioControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnStaticColor(HDC dc) override { return brush_.Answer(background, dc, true); }

    void SetCheck(int state);
    // Sets this button's mark and, unless it has no group (-1), clears its siblings'.
    void SelectRadio();

private:
    OwnedBrush brush_;
};
