// Tests of modal runs. Keys and messages are posted before the loop starts or from a timer inside it.
#include <gtest/gtest.h>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/ModalLoop.h"

namespace {

// An owner window and a popup it owns.
void CreatePair(RecordingWindow& owner, RecordingWindow& dialog) {
    ASSERT_TRUE(CreateTopLevel(owner, 0, 0, 300, 300));
    const RECT rect{50, 50, 200, 150};
    ASSERT_TRUE(dialog.Create(ArgsAt(rect, WS_POPUP | WS_CAPTION | WS_SYSMENU, owner.Handle(), "modal")));
}

TEST(ModalRun, EndingsGiveTheirResultAndGiveTheOwnerBack) {
    const struct {
        const char* name;
        UINT message;  // posted before the run
        WPARAM wParam;
        int endModalFromTimer;
        bool refused;  // by the modal-init answer
        int expected;
    } cases[] = {
        {"Enter", WM_KEYDOWN, VK_RETURN, 0, false, 1},
        {"Escape", WM_KEYDOWN, VK_ESCAPE, 0, false, 0},
        {"EndModal from a timer", 0, 0, 7, false, 7},
        {"refused by the modal-init answer", 0, 0, 0, true, 0},
        {"close destroys the window", WM_CLOSE, 0, 0, false, 0},
    };
    for (const auto& c : cases) {
        RecordingWindow owner, dialog;
        CreatePair(owner, dialog);
        bool ownerEnabledDuringRun = true;
        dialog.hook = [&](UINT message, WPARAM timer) {
            if (message == WM_SWND_MODALINIT)
                ownerEnabledDuringRun = IsWindowEnabled(owner.Handle()) != 0;
            if (message == WM_TIMER && KillTimer(dialog.Handle(), timer))
                dialog.EndModal(c.endModalFromTimer);
            return message == WM_SWND_MODALINIT && c.refused;
        };
        if (c.message)
            PostMessageA(dialog.Handle(), c.message, c.wParam, 1);
        if (c.endModalFromTimer)
            SetTimer(dialog.Handle(), 1, 10, nullptr);
        EXPECT_EQ(dialog.DoModal(11, 22), c.expected) << c.name;
        EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << c.name;
        EXPECT_FALSE(ownerEnabledDuringRun) << c.name;
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
    }
}

TEST(ModalRun, ASecondRunIsRefusedAndLeavesTheFirstAlone) {
    RecordingWindow owner, dialog;
    CreatePair(owner, dialog);
    int innerResult = -1;
    bool stillModal = false;
    dialog.hook = [&](UINT message, WPARAM timer) {
        if (message != WM_TIMER || !KillTimer(dialog.Handle(), timer))
            return false;
        // Should the inner run start, timer 1 ends it (and, without the refusal, the outer one with it).
        if (timer == 2) {
            innerResult = dialog.DoModal(0, 0);
            stillModal = dialog.IsModal();
        }
        dialog.EndModal(timer == 2 ? 5 : 7);
        return true;
    };
    SetTimer(dialog.Handle(), 1, 200, nullptr);
    SetTimer(dialog.Handle(), 2, 10, nullptr);
    EXPECT_EQ(dialog.DoModal(0, 0), 5);
    EXPECT_EQ(innerResult, 0);
    EXPECT_TRUE(stillModal);
    EXPECT_EQ(dialog.Count(WM_SWND_MODALINIT), 1);
}

}  // namespace
