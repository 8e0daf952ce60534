// Tests of what crosses threads in the window framework: a modal run whose owner belongs to
// another thread, child lookups that must not hand out another thread's objects, and the
// virtual-key name table built once whichever thread asks first.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/Toolkit.h"

namespace {

TEST(CrossThread, ModalRunDisablesTheOwnersTreeOnlyOnTheOwnersThread) {
    for (const bool otherThread : {false, true}) {
        RecordingWindow owner;
        ASSERT_TRUE(CreateTopLevel(owner, 0, 0, 80, 80));
        RecordingWindow sibling;  // another window of the owner's thread, owned by it
        const RECT rect{10, 10, 50, 50};
        ASSERT_TRUE(sibling.Create(ArgsAt(rect, WS_POPUP, owner.Handle())));
        RecordingWindow modal;
        bool ownerEnabled = true, siblingEnabled = false;
        modal.hook = [&](UINT message, WPARAM) {
            if (message == WM_SWND_MODALINIT) {
                ownerEnabled = IsWindowEnabled(owner.Handle()) != 0;
                siblingEnabled = IsWindowEnabled(sibling.Handle()) != 0;
            }
            return false;
        };
        int result = -1;
        int childrenSeen = -1;
        auto run = [&] {
            ASSERT_TRUE(modal.Create(ArgsAt(rect, WS_POPUP, owner.Handle())));
            // Objects are handed out only to their own thread.
            Array<Window*> children;
            childrenSeen = owner.GetChildren(children, nullptr, false);
            PostMessageA(modal.Handle(), WM_KEYDOWN, VK_RETURN, 0);
            result = modal.DoModal();
            modal.Destroy();
        };
        if (otherThread) {
            std::atomic<bool> done{false};
            std::thread worker([&] {
                run();
                done = true;
            });
            // This thread answers what the other one sends it while that one runs.
            while (!done) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
                PumpMessages();
            }
            worker.join();
        } else {
            run();
        }
        EXPECT_EQ(result, 1) << otherThread;
        EXPECT_FALSE(ownerEnabled) << otherThread;
        EXPECT_EQ(siblingEnabled, otherThread) << otherThread;
        EXPECT_EQ(childrenSeen, otherThread ? 1 : 2) << otherThread;
        EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
        EXPECT_TRUE(IsWindowEnabled(sibling.Handle()));
    }
}

TEST(CrossThread, VirtualKeyNamesAreBuiltOnceWhoeverAsksFirst) {
    ReleaseVirtualKeyNames();
    const StringList* seen[2] = {};
    std::thread first([&] { seen[0] = &GetVirtualKeyNames(); });
    std::thread second([&] { seen[1] = &GetVirtualKeyNames(); });
    first.join();
    second.join();
    ASSERT_EQ(seen[0], seen[1]);
    ASSERT_EQ(seen[0]->Count(), 256);
    EXPECT_STREQ((*seen[0])[VK_RETURN]->Text(), "RETURN");  // filled, not merely allocated
}

}  // namespace
