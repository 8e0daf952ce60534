// Tests of modal runs, the thread message loop, Tab navigation, anchoring, geometry and the
// caret. Keys and messages are posted before the loop starts or from a timer inside it.
#include <gtest/gtest.h>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/ModalLoop.h"
#include "toolkit/window/Toolkit.h"

namespace {

// An owner window and a popup it owns, ready for a modal run.
struct ModalPair {
    RecordingWindow owner;
    RecordingWindow dialog;
    bool Create() {
        if (!CreateTopLevel(owner, 0, 0, 300, 300))
            return false;
        const RECT rect{50, 50, 200, 150};
        return dialog.Create("modal", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, &rect, owner.Handle(), 0, nullptr,
                             GetModuleHandleA(nullptr));
    }
};

void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
}

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
        ModalPair pair;
        ASSERT_TRUE(pair.Create()) << c.name;
        if (c.message)
            PostMessageA(pair.dialog.Handle(), c.message, c.wParam, 1);
        if (c.endModalFromTimer) {
            pair.dialog.timerEndsModalWith = c.endModalFromTimer;
            SetTimer(pair.dialog.Handle(), 1, 10, nullptr);
        }
        pair.dialog.modalInitAnswer = c.modalInitAnswer;
        EXPECT_EQ(pair.dialog.DoModal(11, 22), c.expected) << c.name;
        EXPECT_TRUE(IsWindowEnabled(pair.owner.Handle())) << c.name;
        ASSERT_EQ(pair.dialog.Count(WM_SWND_MODALINIT), 1) << c.name;
        EXPECT_EQ(pair.dialog.Last(WM_SWND_MODALINIT)->wParam, 11u) << c.name;
        EXPECT_EQ(pair.dialog.Last(WM_SWND_MODALINIT)->lParam, 22) << c.name;
        if (c.message == WM_CLOSE) {
            EXPECT_EQ(pair.dialog.Count(WM_SWND_CANCEL), 1);
            EXPECT_EQ(pair.dialog.Handle(), nullptr);
            continue;
        }
        EXPECT_TRUE(IsWindowVisible(pair.dialog.Handle())) << c.name;
        EXPECT_FALSE(pair.dialog.IsModal()) << c.name;
        if (!c.modalInitAnswer) {
            EXPECT_FALSE(pair.dialog.ownerEnabledDuringRun) << c.name;
        }
    }
}

TEST(ModalRun, QuitEndsTheRunAndReachesTheOuterLoop) {
    ModalPair pair;
    ASSERT_TRUE(pair.Create());
    pair.dialog.timerPostsQuit = true;
    SetTimer(pair.dialog.Handle(), 1, 10, nullptr);
    EXPECT_EQ(pair.dialog.DoModal(), 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(message.wParam, 3u);
    bool blocking = true;
    RunMessageLoop(blocking, nullptr, nullptr);  // returns at the re-posted WM_QUIT
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(ModalRun, EnterIsNotTranslatedWhileAModelessDialogIsRegistered) {
    ModalPair pair;
    ASSERT_TRUE(pair.Create());
    RecordingWindow modeless;
    ASSERT_TRUE(CreateTopLevel(modeless, 0, 0, 50, 50));
    RegisterDialog(modeless.Handle());
    PostKey(pair.dialog.Handle(), VK_RETURN);
    pair.dialog.timerEndsModalWith = 5;
    SetTimer(pair.dialog.Handle(), 1, 50, nullptr);
    EXPECT_EQ(pair.dialog.DoModal(), 5);
    EXPECT_EQ(pair.dialog.Count(WM_SWND_OK), 0);
    UnregisterDialog(modeless.Handle());
}

TEST(ModalRun, OwnedChainIsDisabledDuringTheRunAndRestoredAfter) {
    ModalPair pair;
    ASSERT_TRUE(pair.Create());
    RecordingWindow inner;
    const RECT rect{60, 60, 120, 120};
    ASSERT_TRUE(inner.Create("inner", WS_POPUP, 0, &rect, pair.dialog.Handle(), 0, nullptr, GetModuleHandleA(nullptr)));
    // The inner run disables the dialog and its owner; ending it gives both back.
    PostKey(inner.Handle(), VK_RETURN);
    EXPECT_EQ(inner.DoModal(), 1);
    EXPECT_FALSE(inner.ownerEnabledDuringRun);
    EXPECT_TRUE(IsWindowEnabled(pair.owner.Handle()));
    EXPECT_TRUE(IsWindowEnabled(pair.dialog.Handle()));
}

TEST(ModalRun, ChildWindowsCannotRunModally) {
    RecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent, 0, 0, 100, 100));
    RecordingWindow child;
    ASSERT_TRUE(CreateChild(child, parent, 0, 0, 10, 10));
    PostKey(child.Handle(), VK_RETURN);
    EXPECT_EQ(child.DoModal(), 0);
    EXPECT_EQ(child.Count(WM_SWND_MODALINIT), 0);
    PumpMessages();
}

TEST(MessageLoop, PollModeCallsTheIdleCallbackUntilQuit) {
    struct Idle {
        static int Tick(void* argument) {
            int& ticks = *static_cast<int*>(argument);
            if (++ticks == 3)
                PostQuitMessage(0);
            return ticks * 10;
        }
    };
    int ticks = 0;
    bool blocking = false;
    EXPECT_EQ(RunMessageLoop(blocking, &Idle::Tick, &ticks), 30);
    EXPECT_EQ(ticks, 3);
}

TEST(TabOrder, MovesThroughVisibleEnabledStopsOfTheGroupAndWraps) {
    RecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent, 0, 0, 200, 200, WS_POPUP | WS_VISIBLE));
    RecordingWindow c[5];
    for (RecordingWindow& child : c)
        ASSERT_TRUE(CreateChild(child, parent, 0, 0, 10, 10));
    c[0].tabGroup = c[1].tabGroup = c[3].tabGroup = 1;
    c[2].tabGroup = -1;  // not a stop
    c[4].tabGroup = 2;   // alone in its group
    EXPECT_EQ(c[0].NextTabStop(), &c[1]);
    EXPECT_EQ(c[1].NextTabStop(), &c[3]);
    EXPECT_EQ(c[3].NextTabStop(), &c[0]);
    EXPECT_EQ(c[4].NextTabStop(), &c[4]);
    EnableWindow(c[1].Handle(), FALSE);
    EXPECT_EQ(c[0].NextTabStop(), &c[3]);
    ShowWindow(c[3].Handle(), SW_HIDE);
    EXPECT_EQ(c[0].NextTabStop(), &c[0]);
    EnableWindow(c[1].Handle(), TRUE);
    ShowWindow(c[3].Handle(), SW_SHOW);

    // The Tab key itself moves the focus.
    SetFocus(c[3].Handle());
    ASSERT_EQ(GetFocus(), c[3].Handle());
    SendMessageA(c[3].Handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), c[0].Handle());
}

struct AnchorCase {
    uint32_t flags;
    RECT expected;  // in the parent's client coordinates, after the parent grew by 100 x 60
};

TEST(Anchoring, ChildrenFollowTheParentsSizeChange) {
    const AnchorCase cases[] = {
        {ANCHOR_RIGHT, {110, 20, 150, 40}},
        {ANCHOR_WIDEN, {10, 20, 150, 40}},
        {ANCHOR_RIGHT_HALF, {60, 20, 100, 40}},
        {ANCHOR_DOWN, {10, 80, 50, 100}},
        {ANCHOR_TALLER, {10, 20, 50, 100}},
        {ANCHOR_DOWN_HALF, {10, 50, 50, 70}},
        {ANCHOR_RIGHT | ANCHOR_TALLER, {110, 20, 150, 100}},
    };
    for (const AnchorCase& c : cases) {
        RecordingWindow parent;
        ASSERT_TRUE(CreateTopLevel(parent, 0, 0, 300, 200));
        ASSERT_TRUE(parent.SetClientSize(300, 200));
        RecordingWindow child;
        ASSERT_TRUE(CreateChild(child, parent, 10, 20, 40, 20));
        child.SetAnchor(c.flags);
        EXPECT_EQ(child.AnchorFlags(), c.flags);
        ASSERT_TRUE(parent.SetClientSize(400, 260));
        RECT rect;
        ASSERT_TRUE(child.GetWindowRect(rect));
        ASSERT_TRUE(parent.ScreenToClient(rect));
        EXPECT_TRUE(EqualRect(&rect, &c.expected))
            << c.flags << ": " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
    RecordingWindow top;  // no parent: no anchor
    ASSERT_TRUE(CreateTopLevel(top, 0, 0, 100, 100));
    top.SetAnchor(ANCHOR_RIGHT);
    EXPECT_EQ(top.AnchorFlags(), 0u);
}

TEST(Geometry, ClientSizeAddsTheFrameMargins) {
    const DWORD styles[] = {WS_POPUP, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_POPUP | WS_THICKFRAME | WS_VSCROLL,
                            WS_OVERLAPPEDWINDOW | WS_HSCROLL};
    for (const DWORD style : styles) {
        RecordingWindow window;
        ASSERT_TRUE(CreateTopLevel(window, 0, 0, 100, 100, style));
        ASSERT_TRUE(window.SetClientSize(250, 150));
        RECT client;
        ASSERT_TRUE(window.GetClientRect(client));
        EXPECT_EQ(client.right, 250) << std::hex << style;
        EXPECT_EQ(client.bottom, 150) << std::hex << style;
        int left, top, right, bottom;
        ASSERT_TRUE(window.GetFrameMargins(left, top, right, bottom));
        EXPECT_EQ(window.GetWindowWidth(), 250 + left + right);
        EXPECT_EQ(window.GetWindowHeight(), 150 + top + bottom);
    }
}

TEST(Geometry, CenterOnTheParentAndConversions) {
    RecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent, 100, 100, 400, 300));
    RecordingWindow popup;
    const RECT rect{0, 0, 100, 50};
    ASSERT_TRUE(popup.Create("", WS_POPUP, 0, &rect, parent.Handle(), 0, nullptr, GetModuleHandleA(nullptr)));
    ASSERT_TRUE(popup.Center(true));
    RECT placed;
    ASSERT_TRUE(popup.GetWindowRect(placed));
    EXPECT_EQ(placed.left, 250);
    EXPECT_EQ(placed.top, 225);
    EXPECT_EQ(popup.GetTopLevelHandle(), parent.Handle());
    POINT point{0, 0};
    ASSERT_TRUE(popup.ClientToScreen(point));
    EXPECT_EQ(point.x, 250);
    EXPECT_FALSE(popup.HasRegion());
    SetWindowRgn(popup.Handle(), CreateRectRgn(0, 0, 10, 10), FALSE);
    EXPECT_TRUE(popup.HasRegion());
}

TEST(Caret, PositionWaitsForTheFocus) {
    RecordingWindow other;
    ASSERT_TRUE(CreateTopLevel(other, 0, 0, 50, 50, WS_POPUP | WS_VISIBLE));
    RecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window, 60, 0, 100, 100, WS_POPUP | WS_VISIBLE));
    SetFocus(other.Handle());
    window.CreateCaret(12, 2, 1, 1, true);
    EXPECT_FALSE(window.CaretShown());
    window.SetCaretPos(5, 6);
    SetFocus(window.Handle());
    ASSERT_EQ(GetFocus(), window.Handle());
    EXPECT_TRUE(window.CaretShown());
    POINT position{};
    GetCaretPos(&position);
    EXPECT_EQ(position.x, 5);
    EXPECT_EQ(position.y, 6);
    window.ShowCaret(false);
    GetCaretPos(&position);
    EXPECT_EQ(position.x, -182);
    EXPECT_EQ(position.y, -182);
    SetFocus(other.Handle());
    EXPECT_FALSE(window.CaretShown());
}

}  // namespace
