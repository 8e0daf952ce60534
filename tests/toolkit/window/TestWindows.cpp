// Test support of the window framework tests; see TestWindows.h.
#include "tests/toolkit/window/TestWindows.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Toolkit.h"

namespace {

// Brings the toolkit and then GDI+ up before the first test and down after the last one, as
// the program starts them.
class ToolkitEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ToolkitInit(GetModuleHandleA(nullptr));
        ASSERT_TRUE(GraphicsStartup());
    }
    void TearDown() override {
        GraphicsShutdown();
        ToolkitShutdown(GetModuleHandleA(nullptr));
    }
};

testing::Environment* const toolkitEnvironment = testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

}  // namespace

LRESULT RecordingWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_SWND_CREATED && message <= WM_SWND_TREEITEMDBLCLK)
        received.push_back(MSG{nullptr, message, wParam, lParam, 0, {}});
    if (hook && hook(message, wParam))
        return 1;
    return Window::OnMessage(message, wParam, lParam);
}

int RecordingWindow::Count(UINT message) const {
    return static_cast<int>(
        std::count_if(received.begin(), received.end(), [message](const MSG& r) { return r.message == message; }));
}

const MSG* RecordingWindow::Last(UINT message) const {
    const auto last =
        std::find_if(received.rbegin(), received.rend(), [message](const MSG& r) { return r.message == message; });
    return last == received.rend() ? nullptr : &*last;
}

WindowArgs ArgsAt(const RECT& rect, DWORD style, HWND parent) {
    WindowArgs args;
    args.style = style;
    args.rect = &rect;
    args.parent = parent;
    return args;
}

bool CreateAt(Window& window, int x, int y, int width, int height, DWORD style, HWND parent) {
    const RECT rect{x, y, x + width, y + height};
    return window.Create(ArgsAt(rect, style, parent));
}

void Settle() {
    PumpMessages();
    GdiFlush();
    Sleep(60);
    PumpMessages();
}
