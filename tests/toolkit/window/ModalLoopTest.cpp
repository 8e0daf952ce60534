// Tests of modal runs. Keys and messages are posted before the loop starts or from a timer
// inside it. A run whose owner belongs to another thread disables only what that thread may,
// and child lookups there hand out no objects of the owner's thread. The virtual-key name table
// is built once, whichever thread asks first.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/ModalLoop.h"
#include "toolkit/window/Toolkit.h"

namespace {

TEST(ModalRun, EndingsGiveTheirResultAndGiveTheOwnerBack) {
    const struct {
        const char* name;
        UINT message;  // posted before the run
        WPARAM wParam;
        int endModalFromTimer;
        bool refused;  // by the modal-init answer
        int expected;
    } cases[] = {
        {"Escape", WM_KEYDOWN, VK_ESCAPE, 0, false, 0},
        {"EndModal from a timer", 0, 0, 7, false, 7},
        {"refused by the modal-init answer", 0, 0, 0, true, 0},
        {"close destroys the window", WM_CLOSE, 0, 0, false, 0},
    };
    for (const auto& c : cases) {
        RecordingWindow owner, sibling, dialog;  // the sibling: another window the owner owns
        ASSERT_TRUE(CreateAt(owner, 0, 0, 300, 300));
        ASSERT_TRUE(CreateAt(sibling, 10, 10, 40, 40, WS_POPUP, owner.Handle()));
        ASSERT_TRUE(CreateAt(dialog, 50, 50, 150, 100, WS_POPUP | WS_CAPTION | WS_SYSMENU, owner.Handle()));
        bool enabledDuringRun = true;
        dialog.hook = [&](UINT message, WPARAM timer) {
            if (message == WM_SWND_MODALINIT)
                enabledDuringRun = IsWindowEnabled(owner.Handle()) || IsWindowEnabled(sibling.Handle());
            if (message == WM_TIMER && KillTimer(dialog.Handle(), timer))
                dialog.EndModal(c.endModalFromTimer);
            return message == WM_SWND_MODALINIT && c.refused;
        };
        if (c.message)
            PostMessageA(dialog.Handle(), c.message, c.wParam, 1);
        if (c.endModalFromTimer)
            SetTimer(dialog.Handle(), 1, 10, nullptr);
        EXPECT_EQ(dialog.DoModal(11, 22), c.expected) << c.name;
        EXPECT_TRUE(IsWindowEnabled(owner.Handle()) && IsWindowEnabled(sibling.Handle())) << c.name;
        EXPECT_FALSE(enabledDuringRun) << c.name;
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
    ASSERT_TRUE(CreateAt(owner, 0, 0, 300, 300));
    ASSERT_TRUE(CreateAt(dialog, 50, 50, 150, 100, WS_POPUP, owner.Handle()));
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

// A run on another thread than its owner's disables the owner but not the owner's other windows,
// and child lookups there hand out objects of that thread only.
TEST(CrossThread, ModalRunDisablesOnlyWhatItsThreadMay) {
    RecordingWindow owner, sibling, modal;
    ASSERT_TRUE(CreateAt(owner, 0, 0, 80, 80));
    ASSERT_TRUE(CreateAt(sibling, 10, 10, 40, 40, WS_POPUP, owner.Handle()));
    bool ownerEnabled = true, siblingEnabled = false;
    modal.hook = [&](UINT message, WPARAM) {
        if (message == WM_SWND_MODALINIT) {
            ownerEnabled = IsWindowEnabled(owner.Handle()) != 0;
            siblingEnabled = IsWindowEnabled(sibling.Handle()) != 0;
        }
        return false;
    };
    int result = -1, childrenSeen = -1;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        if (CreateAt(modal, 10, 10, 40, 40, WS_POPUP, owner.Handle())) {
            Array<Window*> children;
            childrenSeen = owner.GetChildren(children, nullptr, false);
            PostMessageA(modal.Handle(), WM_KEYDOWN, VK_RETURN, 0);
            result = modal.DoModal();
            modal.Destroy();
        }
        done = true;
    });
    // This thread answers what the other one sends it while that one runs.
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    worker.join();
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(siblingEnabled);
    EXPECT_EQ(childrenSeen, 1);  // the modal window, not the sibling
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(CrossThread, VirtualKeyNamesAreBuiltOnceWhoeverAsksFirst) {
    ReleaseVirtualKeyNames();
    const StringList* seen[2] = {};
    std::thread other([&] { seen[0] = &GetVirtualKeyNames(); });
    seen[1] = &GetVirtualKeyNames();
    other.join();
    ASSERT_EQ(seen[0], seen[1]);
    ASSERT_EQ(seen[0]->Count(), 256);
    EXPECT_STREQ((*seen[0])[VK_RETURN]->Text(), "RETURN");  // filled, not merely allocated
}

}  // namespace
