// Test support of the window framework tests; see TestWindows.h.
#include "tests/toolkit/window/TestWindows.h"

#include <gtest/gtest.h>

#include "toolkit/window/Toolkit.h"

namespace {

// Brings the toolkit up before the first test and down after the last one.
class ToolkitEnvironment : public testing::Environment {
public:
    void SetUp() override { ToolkitInit(GetModuleHandleA(nullptr)); }
    void TearDown() override { ToolkitShutdown(GetModuleHandleA(nullptr)); }
};

testing::Environment* const toolkitEnvironment = testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

}  // namespace

LRESULT RecordingWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_SWND_CREATED && message <= WM_SWND_TREEITEMDBLCLK)
        received.push_back(Received{message, wParam, lParam});
    switch (message) {
        case WM_SWND_CREATED:
            visibleWhenCreated = IsWindowVisible(Handle()) != 0;
            if (createdAnswer)
                return createdAnswer;
            break;
        case WM_SWND_MODALINIT: {
            HWND owner = GetWindow(Handle(), GW_OWNER);
            ownerEnabledDuringRun = owner && IsWindowEnabled(owner);
            if (modalInitAnswer)
                return modalInitAnswer;
            break;
        }
        case WM_TIMER:
            KillTimer(Handle(), wParam);
            if (timerEndsModalWith)
                EndModal(static_cast<int>(timerEndsModalWith));
            return 0;
        default:
            break;
    }
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

WindowArgs ArgsAt(const RECT& rect, DWORD style, HWND parent, const char* title) {
    WindowArgs args;
    args.title = title;
    args.style = style;
    args.rect = &rect;
    args.parent = parent;
    return args;
}

bool CreateTopLevel(Window& window, int x, int y, int width, int height, DWORD style) {
    const RECT rect{x, y, x + width, y + height};
    return window.Create(ArgsAt(rect, style));
}

bool CreateChild(Window& window, Window& parent, int x, int y, int width, int height, DWORD style) {
    const RECT rect{x, y, x + width, y + height};
    return window.Create(ArgsAt(rect, WS_CHILD | WS_VISIBLE | style, parent.Handle()));
}

void Settle() {
    PumpMessages();
    GdiFlush();
    Sleep(60);
    PumpMessages();
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

COLORREF ScreenPixelOnce(int x, int y, const std::function<bool(COLORREF)>& settled) {
    COLORREF color = ScreenPixel(x, y);
    for (int i = 0; i < 20 && !settled(color); i++) {
        Settle();
        color = ScreenPixel(x, y);
    }
    return color;
}
