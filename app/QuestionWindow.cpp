// The question window; see QuestionWindow.h.
#include "app/QuestionWindow.h"

#include "resources/ResourceIds.h"

namespace {

constexpr int kWidth = 325;
constexpr int kHeight = 190;
constexpr RECT kTextArea{25, 25, 25 + 275, 25 + 100};

}  // namespace

QuestionWindow::QuestionWindow() : TextChildWindow(kWidth, kHeight, resource::kQuestionBackground, kTextArea) {
    AddButton(resource::kCheckButton, resource::kCheckButtonHover, 105, 130, kEndYes);
    AddButton(resource::kCrossButton, resource::kCrossButtonHover, 170, 130, kEndNo);
}

bool AskQuestion(HWND owner, const char* text) {
    QuestionWindow window;
    if (!window.Create(text, owner))
        return false;
    return window.DoModal() == 1;
}
