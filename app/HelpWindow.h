// HelpWindow: the help picture in a skinned window with one check-mark button. Modeless and
// owned by the main window object; closing it (Enter, Escape, the button) destroys the system
// window and its pictures, and Open makes it again.
#pragma once

#include "app/ChildWindow.h"

class HelpWindow : public ChildWindow {
public:
    HelpWindow();

    bool IsOpen() const { return Handle() != nullptr; }
    // Creates and shows the window unless it is open already; false when it cannot be made.
    bool Open();

protected:
    void DrawContent(Image& background) override;
    Action OnEnter() const override { return kClose; }
    Action OnEscape() const override { return kClose; }
};
