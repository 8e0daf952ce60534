// Support of the window tests of dialogs and controls; see GuiSupport.h.
#include "tests/toolkit/dialogdef/GuiSupport.h"

#include <gtest/gtest.h>

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Toolkit.h"

namespace dialogtest {
namespace {

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ToolkitInit(GetModuleHandleA(nullptr));
        GraphicsStartup();
    }
    void TearDown() override {
        GraphicsShutdown();
        ToolkitShutdown(GetModuleHandleA(nullptr));
    }
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

bool IsMouseReport(UINT message) {
    return (message - WM_SWND_BUTTONMOUSE) % 20 == 0 && message >= WM_SWND_BUTTONMOUSE && message <= WM_SWND_TEXTMOUSE;
}

}  // namespace

bool HostWindow::Create(int width, int height) {
    const RECT rect{0, 0, width, height};
    WindowArgs args;
    args.title = "host";
    args.style = WS_POPUP;
    args.rect = &rect;
    return Window::Create(args) && SetClientSize(width, height);
}

LRESULT HostWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseReport(message))
        reports.push_back({message, wParam, reinterpret_cast<const MouseEvent*>(lParam)->flags});
    return Window::OnMessage(message, wParam, lParam);
}

}  // namespace dialogtest
