// The message window; see MessageWindow.h.
#include "app/MessageWindow.h"

#include "resources/ResourceIds.h"

namespace {

constexpr int kWidth = 229;
constexpr int kHeight = 136;
constexpr RECT kTextArea{20, 25, 20 + 185, 25 + 50};

}  // namespace

MessageWindow::MessageWindow() : TextChildWindow(kWidth, kHeight, resource::kMessageBackground, kTextArea) {
    AddButton(resource::kCheckButton, resource::kCheckButtonHover, 160, 80, kEndNo);
}

void ShowMessage(HWND owner, const char* text) {
    MessageWindow window;
    if (window.Create(text, owner))
        (void)window.DoModal();
}
