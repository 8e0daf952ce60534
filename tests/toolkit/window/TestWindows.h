// Test support for the window framework tests: the toolkit brought up once per test
// program, a window that records the toolkit messages it receives, and small helpers to
// create test windows and let the display catch up.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "tests/support/ThreadWindows.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Window.h"

class RecordingWindow : public Window {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    int Count(UINT message) const;
    const MSG* Last(UINT message) const;

    std::vector<MSG> received;  // the toolkit's messages, without window, time or point
    // Sees each message after it is recorded; true answers it with 1 instead of the toolkit.
    std::function<bool(UINT message, WPARAM wParam)> hook;
};

using kvrtest::PumpMessages;
// The creation arguments of a test window at rect.
WindowArgs ArgsAt(const RECT& rect, DWORD style, HWND parent = nullptr);
// A test window at x, y: a top-level one unless the style makes it a child of `parent`.
bool CreateAt(Window& window, int x, int y, int width, int height, DWORD style = WS_POPUP, HWND parent = nullptr);

// Runs the queue, lets the display catch up, and runs the queue again.
void Settle();
