// The three value controls over Win32 common controls: the slider ("msctls_trackbar32"), the
// scroll bar ("SCROLLBAR") and the progress bar ("msctls_progress32"). Range and position
// live in the Win32 control. A slider's movements reach the parent as WM_SWND_TRACKBARSCROLL
// (sent by the window framework); each class reports mouse input under its own message.
#pragma once

#include "toolkit/controls/ControlColors.h"
#include "toolkit/window/Window.h"

class SliderControl : public Window {
public:
    SliderControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The range is 16-bit on each side: Win32 packs it into one message parameter.
    void SetRange(int minimum, int maximum);
    void SetPosition(int position);
    int GetPosition() const;
};

class ScrollControl : public Window {
public:
    ScrollControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnScrollBarColor(HDC dc) override { return brush_.Answer(background, dc, true); }
    void SetRange(int minimum, int maximum);
    void SetPosition(int position);

private:
    OwnedBrush brush_;
};

class ProgressControl : public Window {
public:
    ProgressControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void SetRange(int minimum, int maximum);
    void SetPosition(int position);
};
