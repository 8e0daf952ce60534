// The message window; see MessageWindow.h.
#include "app/MessageWindow.h"

#include "app/ChildWindowPainting.h"
#include "resources/ResourceIds.h"
#include "toolkit/window/Toolkit.h"

namespace {

constexpr int kWidth = 229;
constexpr int kHeight = 136;
constexpr RECT kTextArea{20, 25, 20 + 185, 25 + 50};

}  // namespace

MessageWindow::MessageWindow() : ChildWindow(kWidth, kHeight, resource::kMessageBackground) {
    AddButton(resource::kCheckButton, resource::kCheckButtonHover, 160, 80, kEndNo);
}

bool MessageWindow::Create(const char* text, HWND owner) {
    text_ = text;
    return Window::Create(text, WS_POPUP, WS_EX_TOPMOST, nullptr, owner, 0, nullptr, GetInstance());
}

void MessageWindow::DrawContent(Image& background) {
    (void)DrawChildText(background, text_, kTextArea);
}

void ShowMessage(HWND owner, const char* text) {
    MessageWindow window;
    if (window.Create(text, owner))
        (void)window.DoModal();
}
