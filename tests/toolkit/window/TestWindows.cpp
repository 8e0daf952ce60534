// Test support of the window framework tests; see TestWindows.h.
#include "tests/toolkit/window/TestWindows.h"

#include <gtest/gtest.h>

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
        received.push_back(Received{message, wParam, lParam});
    if (hook && hook(message, wParam))
        return 1;
    return Window::OnMessage(message, wParam, lParam);
}

int RecordingWindow::Count(UINT message) const {
    int n = 0;
    for (const Received& r : received)
        n += r.message == message ? 1 : 0;
    return n;
}

const Received* RecordingWindow::Last(UINT message) const {
    for (auto it = received.rbegin(); it != received.rend(); ++it) {
        if (it->message == message)
            return &*it;
    }
    return nullptr;
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
