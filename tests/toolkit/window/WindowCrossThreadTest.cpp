// Tests of what crosses threads in the window framework: a modal run whose owner belongs to
// another thread, child lookups that must not hand out another thread's objects, and the
// virtual-key name table built once whichever thread asks first.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/Toolkit.h"
#include "toolkit/window/WindowRegistry.h"

namespace {

DWORD WINAPI RunWork(void* argument) {
    (*static_cast<std::function<void()>*>(argument))();
    return 0;
}

// Runs `work` on a second thread while this one keeps answering sent messages.
void RunOnOtherThread(std::function<void()> work) {
    HANDLE thread = CreateThread(nullptr, 0, RunWork, &work, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpMessages();
    CloseHandle(thread);
}

// A modal window that notes, as its run starts, whether another window is enabled.
class ModalProbe : public RecordingWindow {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SWND_MODALINIT)
            watchedEnabled = IsWindowEnabled(watched) != 0;
        return RecordingWindow::OnMessage(message, wParam, lParam);
    }
    HWND watched = nullptr;
    bool watchedEnabled = false;
};

TEST(CrossThread, ModalRunDisablesTheOwnersTreeOnlyOnTheOwnersThread) {
    for (const bool otherThread : {false, true}) {
        RecordingWindow owner;
        ASSERT_TRUE(CreateTopLevel(owner, 0, 0, 80, 80));
        RecordingWindow sibling;  // another window of the owner's thread, owned by it
        const RECT rect{10, 10, 50, 50};
        ASSERT_TRUE(sibling.Create(ArgsAt(rect, WS_POPUP, owner.Handle())));
        ModalProbe modal;
        int result = -1;
        int childrenSeen = -1;
        auto run = [&] {
            ASSERT_TRUE(modal.Create(ArgsAt(rect, WS_POPUP, owner.Handle())));
            modal.watched = sibling.Handle();
            // Objects are handed out only to their own thread.
            Array<Window*> children;
            childrenSeen = owner.GetChildren(children, nullptr, false);
            PostMessageA(modal.Handle(), WM_KEYDOWN, VK_RETURN, 0);
            result = modal.DoModal();
            modal.Destroy();
        };
        if (otherThread)
            RunOnOtherThread(run);
        else
            run();
        EXPECT_EQ(result, 1) << otherThread;
        EXPECT_FALSE(modal.ownerEnabledDuringRun) << otherThread;
        EXPECT_EQ(modal.watchedEnabled, otherThread) << otherThread;
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
