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

LRESULT TestDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseReport(message))
        reports.push_back({message, wParam, reinterpret_cast<const MouseEvent*>(lParam)->flags});
    else if (message == WM_SWND_LISTSELCHANGE || message == WM_SWND_EDITENTER || message == WM_SWND_TABSELCHANGE)
        reports.push_back({message, wParam, static_cast<uint32_t>(lParam)});
    return DialogWindow::OnMessage(message, wParam, lParam);
}

RECT PlaceInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

RECT ItemRect(const ListControl& list, int index) {
    RECT rect{};
    SendMessageA(list.Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

}  // namespace dialogtest
