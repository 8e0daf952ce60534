// Support of the dialog and control tests that need windows: the toolkit and GDI+ brought up
// once per test program, a dialog that records what its controls report, a picture to print
// controls into, and helpers.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/ThreadWindows.h"
#include "tests/toolkit/dialogdef/DefinitionSamples.h"
#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/ListControl.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/window/Window.h"

namespace dialogtest {

using kvrtest::PumpMessages;

struct Report {
    UINT message;
    WPARAM control;
    uint32_t code;  // the mouse event code, or the report's lParam (a tab's new page)
    bool operator==(const Report& other) const {
        return message == other.message && control == other.control && code == other.code;
    }
};

// A hidden dialog built from definition text, or empty as the parent of controls, that
// records what its controls report: mouse reports with their event codes, list selection
// changes, tab page changes and Enter in an edit. It stays hidden (hiding a shown window makes the display
// driver wait for a window manager that the test display does not have); its controls still
// draw and take the focus.
class TestDialog : public DialogWindow {
public:
    bool Build(const std::vector<std::string>& sections) {
        const bool built = BuildDialog(*this, DialogWith(300, 220, "", sections));
        PumpMessages();
        return built;
    }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::vector<Report> reports;
};

// A 32-bit picture (black at first) to print controls into.
class Canvas {
public:
    Canvas(int width, int height) {
        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc_.Select(bitmap_.Get());
    }
    HDC Dc() const { return dc_.Get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
    // How many pixels of the area pass the test.
    template <typename Test>
    int Count(const RECT& area, Test test) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; y++)
            for (int x = area.left; x < area.right; x++)
                n += test(At(x, y)) ? 1 : 0;
        return n;
    }

private:
    GdiObject<HBITMAP> bitmap_;
    MemoryDC dc_;
};

// The window's rectangle in its parent's client area.
RECT PlaceInParent(HWND window);
std::string WindowText(HWND window);
RECT ItemRect(const ListControl& list, int index);

}  // namespace dialogtest

// Rectangles compared and printed whole by the test assertions.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
