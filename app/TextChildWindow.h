// TextChildWindow: a child window whose content is one text, drawn into a fixed area of its
// background; the message and the question windows differ only in size, buttons and keys.
#pragma once

#include <windows.h>

#include "app/ChildWindow.h"

class TextChildWindow : public ChildWindow {
public:
    // Creates and shows the window (topmost popup) owned by owner, with text as its title.
    bool Create(const char* text, HWND owner);

protected:
    TextChildWindow(int width, int height, int backgroundId, const RECT& textArea);
    void DrawContent(Image& background) override;

private:
    const RECT textArea_;
    String text_;
};
