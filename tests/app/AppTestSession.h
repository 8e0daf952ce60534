// Test support for the application-shell tests: the toolkit and GDI+ brought up once per
// program, the settings key emptied around each test, a pump for the thread's queue, and a
// helper thread that answers the first window of the program showing a given title.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/ThreadWindows.h"

namespace apptest {

using kvrtest::PumpMessages;
// The visible toolkit window of this process whose title is `title`; null when none.
HWND FindShownWindow(const std::string& title);

// Waits (on its own thread) for a window titled `title` and posts it `key` as WM_KEYDOWN.
// Seen(), called when the window's run is over, tells whether the window appeared at all.
class WindowAnswerer {
public:
    WindowAnswerer(const std::string& title, WPARAM key);
    ~WindowAnswerer();
    WindowAnswerer(const WindowAnswerer&) = delete;
    WindowAnswerer& operator=(const WindowAnswerer&) = delete;

    bool Seen();

private:
    static DWORD WINAPI Run(void* argument);

    std::string title_;
    WPARAM key_;
    volatile LONG seen_ = 0;
    volatile LONG stop_ = 0;
    HANDLE thread_ = nullptr;
};

// Empties the program's settings key before and after a test.
void ClearSettings();

}  // namespace apptest
