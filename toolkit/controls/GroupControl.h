// GroupControl: a group box over the Win32 style BS_GROUPBOX. Its caption is drawn in its
// own text colour (the system button-text colour unless changed); mouse input goes out as
// WM_SWND_GROUPMOUSE.
#pragma once

#include <cstdint>

#include "toolkit/controls/ControlColors.h"
#include "toolkit/window/Window.h"

class GroupControl : public Window {
public:
    GroupControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnStaticColor(HDC dc) override;

    uint32_t textColor;  // 0xAARRGGBB

private:
    OwnedBrush brush_;
};
