// The text child window; see TextChildWindow.h.
#include "app/TextChildWindow.h"

#include "app/ChildWindowPainting.h"
#include "toolkit/window/Toolkit.h"

TextChildWindow::TextChildWindow(int width, int height, int backgroundId, const RECT& textArea)
    : ChildWindow(width, height, backgroundId), textArea_(textArea) {}

bool TextChildWindow::Create(const char* text, HWND owner) {
    text_ = text;
    return Window::Create(text, WS_POPUP, WS_EX_TOPMOST, nullptr, owner, 0, nullptr, GetInstance());
}

void TextChildWindow::DrawContent(Image& background) {
    (void)DrawChildText(background, text_, textArea_);
}
