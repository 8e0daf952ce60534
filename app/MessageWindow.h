// MessageWindow: tells the user something (the decrypt driver's errors, a failed key copy) in
// a skinned window with one check-mark button. Run modally; Enter, Escape and the button all
// close it.
#pragma once

#include <windows.h>

#include "app/TextChildWindow.h"

class MessageWindow : public TextChildWindow {
public:
    MessageWindow();

protected:
    Action OnEnter() const override { return kEndNo; }
    Action OnEscape() const override { return kEndNo; }
};

// Shows text in a modal message window owned by owner until the user closes it; the window is
// gone when this returns.
void ShowMessage(HWND owner, const char* text);
