// QuestionWindow: asks a yes/no question (overwrite an output folder, overwrite a key file) in
// a skinned window with a check-mark (yes) and a cross (no) button. Run modally; the modal
// result is 1 for yes and 0 for no. Enter answers yes, Escape and closing answer no.
#pragma once

#include <windows.h>

#include "app/ChildWindow.h"

class QuestionWindow : public ChildWindow {
public:
    QuestionWindow();

    // Creates and shows the window (topmost popup) owned by owner, with text as its title.
    bool Create(const char* text, HWND owner);

protected:
    void DrawContent(Image& background) override;
    Action OnEnter() const override { return kEndYes; }
    Action OnEscape() const override { return kEndNo; }

private:
    String text_;
};

// Asks text in a modal question window owned by owner; true for yes. A window that cannot be
// made answers no, so nothing is overwritten unasked.
bool AskQuestion(HWND owner, const char* text);
