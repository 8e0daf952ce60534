// Test support for the window framework tests: the toolkit brought up once per test
// program, a window that records the toolkit messages it receives, and
// small helpers to pump the thread's queue.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "tests/support/ThreadWindows.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Window.h"

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWindow : public Window {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    int Count(UINT message) const;
    const Received* Last(UINT message) const;

    std::vector<Received> received;
    LRESULT createdAnswer = 0;
    LRESULT modalInitAnswer = 0;
    bool visibleWhenCreated = false;
    bool ownerEnabledDuringRun = true;
    UINT_PTR timerEndsModalWith = 0;  // non-zero: WM_TIMER calls EndModal(value)
};

using kvrtest::PumpMessages;
// A hidden top-level toolkit window at the given screen rectangle.
// The creation arguments of a test window at rect.
WindowArgs ArgsAt(const RECT& rect, DWORD style, HWND parent = nullptr, const char* title = "");
bool CreateTopLevel(Window& window, int x, int y, int width, int height, DWORD style = WS_POPUP);
bool CreateChild(Window& window, Window& parent, int x, int y, int width, int height, DWORD style = 0);

// Runs the queue, lets the display catch up, and runs the queue again.
void Settle();
// The pixel on the screen as GDI reads it back (0x00BBGGRR).
COLORREF ScreenPixel(int x, int y);
// The screen pixel once `settled` accepts it, or the last one read after about a second: the
// display applies some changes (window shapes, exposures) a little later.
COLORREF ScreenPixelOnce(int x, int y, const std::function<bool(COLORREF)>& settled);
