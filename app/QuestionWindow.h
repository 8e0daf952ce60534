// QuestionWindow: asks a yes/no question (overwrite an output folder, overwrite a key file) in
// a skinned window with a check-mark (yes) and a cross (no) button. Run modally; the modal
// result is 1 for yes and 0 for no. Enter answers yes, Escape and closing answer no.
#pragma once

#include <windows.h>

#include "app/TextChildWindow.h"

class QuestionWindow : public TextChildWindow {
public:
    QuestionWindow();

protected:
    Action OnEnter() const override { return kEndYes; }
    Action OnEscape() const override { return kEndNo; }
};

// Asks text in a modal question window owned by owner; true for yes. A window that cannot be
// made answers no, so nothing is overwritten unasked.
bool AskQuestion(HWND owner, const char* text);
