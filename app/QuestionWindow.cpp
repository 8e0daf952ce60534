// The question window; see QuestionWindow.h.
#include "app/QuestionWindow.h"

#include "app/ChildWindowPainting.h"
#include "resources/ResourceIds.h"
#include "toolkit/window/Toolkit.h"

namespace {

constexpr int kWidth = 325;
constexpr int kHeight = 190;
constexpr RECT kTextArea{25, 25, 25 + 275, 25 + 100};

}  // namespace

QuestionWindow::QuestionWindow() : ChildWindow(kWidth, kHeight, resource::kQuestionBackground) {
    AddButton(resource::kCheckButton, resource::kCheckButtonHover, 105, 130, kEndYes);
    AddButton(resource::kCrossButton, resource::kCrossButtonHover, 170, 130, kEndNo);
}

bool QuestionWindow::Create(const char* text, HWND owner) {
    text_ = text;
    return Window::Create(text, WS_POPUP, WS_EX_TOPMOST, nullptr, owner, 0, nullptr, GetInstance());
}

void QuestionWindow::DrawContent(Image& background) {
    (void)DrawChildText(background, text_, kTextArea);
}

bool AskQuestion(HWND owner, const char* text) {
    QuestionWindow window;
    if (!window.Create(text, owner))
        return false;
    return window.DoModal() == 1;
}
