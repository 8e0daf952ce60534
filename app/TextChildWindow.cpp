// The text child window; see TextChildWindow.h.
#include "app/TextChildWindow.h"

#include "app/ChildWindowPainting.h"
#include "toolkit/window/DisplayScale.h"
#include "toolkit/window/Toolkit.h"

TextChildWindow::TextChildWindow(int width, int height, int backgroundId, const RECT& textArea)
    : ChildWindow(width, height, backgroundId), textArea_(textArea) {}

bool TextChildWindow::Create(const char* text, HWND owner) {
    text_ = text;
    WindowArgs args;
    args.title = text;
    args.style = WS_POPUP;
    args.exStyle = WS_EX_TOPMOST;
    args.parent = owner;
    return Window::Create(args);
}

void TextChildWindow::DrawContent(Image& background) {
    (void)DrawChildText(background, text_, ScaleToDpi(textArea_, Dpi()), static_cast<float>(Dpi()) / kBaseDpi);
}
