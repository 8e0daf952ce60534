// Support of the dialog and control tests that need windows: the toolkit and GDI+ brought up
// once per test program, a host window that records what its children report, and helpers.
#pragma once

#include <windows.h>

#include <vector>

#include "tests/support/ThreadWindows.h"
#include "toolkit/window/Window.h"

namespace dialogtest {

struct Report {
    UINT message;
    WPARAM control;
    uint32_t code;  // the mouse event code
};

// A hidden top-level window that records the mouse reports its controls send it.
class HostWindow : public Window {
public:
    bool Create(int width = 400, int height = 300);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<Report> reports;
};

using kvrtest::PumpMessages;

}  // namespace dialogtest
