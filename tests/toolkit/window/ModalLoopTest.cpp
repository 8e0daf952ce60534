// Tests of modal runs. Keys and messages are posted before the loop starts or from a timer inside it.
#include <gtest/gtest.h>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/ModalLoop.h"

namespace {

TEST(ModalRun, EndingsGiveTheirResultAndGiveTheOwnerBack) {
    const struct {
        const char* name;
        UINT message;  // posted before the run
        WPARAM wParam;
        UINT_PTR endModalFromTimer;
        LRESULT modalInitAnswer;
        int expected;
    } cases[] = {
        {"Enter", WM_KEYDOWN, VK_RETURN, 0, 0, 1},
        {"Escape", WM_KEYDOWN, VK_ESCAPE, 0, 0, 0},
        {"EndModal from a timer", 0, 0, 7, 0, 7},
        {"refused by the modal-init answer", 0, 0, 0, 1, 0},
        {"close destroys the window", WM_CLOSE, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        // An owner window and a popup it owns.
        RecordingWindow owner, dialog;
        ASSERT_TRUE(CreateTopLevel(owner, 0, 0, 300, 300));
        const RECT rect{50, 50, 200, 150};
        ASSERT_TRUE(dialog.Create(ArgsAt(rect, WS_POPUP | WS_CAPTION | WS_SYSMENU, owner.Handle(), "modal")));
        if (c.message)
            PostMessageA(dialog.Handle(), c.message, c.wParam, 1);
        if (c.endModalFromTimer) {
            dialog.timerEndsModalWith = c.endModalFromTimer;
            SetTimer(dialog.Handle(), 1, 10, nullptr);
        }
        dialog.modalInitAnswer = c.modalInitAnswer;
        EXPECT_EQ(dialog.DoModal(11, 22), c.expected) << c.name;
        EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << c.name;
        ASSERT_EQ(dialog.Count(WM_SWND_MODALINIT), 1) << c.name;
        EXPECT_EQ(dialog.Last(WM_SWND_MODALINIT)->wParam, 11u) << c.name;
        EXPECT_EQ(dialog.Last(WM_SWND_MODALINIT)->lParam, 22) << c.name;
        if (c.message == WM_CLOSE) {
            EXPECT_EQ(dialog.Count(WM_SWND_CANCEL), 1);
            EXPECT_EQ(dialog.Handle(), nullptr);
            continue;
        }
        EXPECT_TRUE(IsWindowVisible(dialog.Handle())) << c.name;
        EXPECT_FALSE(dialog.IsModal()) << c.name;
        if (!c.modalInitAnswer) {
            EXPECT_FALSE(dialog.ownerEnabledDuringRun) << c.name;
        }
    }
}

// A window asks for a second modal run while its first one is going.
class ReenteringWindow : public RecordingWindow {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == 2) {
            KillTimer(Handle(), 2);
            innerResult = DoModal(0, 0);
            stillModal = IsModal();
            EndModal(5);
            return 0;
        }
        return RecordingWindow::OnMessage(message, wParam, lParam);
    }
    int innerResult = -1;
    bool stillModal = false;
};

TEST(ModalRun, ASecondRunIsRefusedAndLeavesTheFirstAlone) {
    RecordingWindow owner;
    ReenteringWindow dialog;
    ASSERT_TRUE(CreateTopLevel(owner, 0, 0, 300, 300));
    const RECT rect{50, 50, 200, 150};
    ASSERT_TRUE(dialog.Create(ArgsAt(rect, WS_POPUP, owner.Handle(), "modal")));
    // Should the inner run start, this ends it (and, without the refusal, the outer one with it).
    dialog.timerEndsModalWith = 7;
    SetTimer(dialog.Handle(), 1, 200, nullptr);
    SetTimer(dialog.Handle(), 2, 10, nullptr);
    EXPECT_EQ(dialog.DoModal(0, 0), 5);
    EXPECT_EQ(dialog.innerResult, 0);
    EXPECT_TRUE(dialog.stillModal);
    EXPECT_EQ(dialog.Count(WM_SWND_MODALINIT), 1);
}

}  // namespace
