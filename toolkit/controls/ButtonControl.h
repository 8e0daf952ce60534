// ButtonControl: a push button over the Win32 "BUTTON" class. Its clicks reach the parent as
// WM_SWND_BUTTONCLICKED (sent by the window framework), its mouse input as
// WM_SWND_BUTTONMOUSE. Win32 paints it; it does not colour itself.
#pragma once

#include "toolkit/window/Window.h"

class ButtonControl : public Window {
public:
    ButtonControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};
