// Tests of the shared dispatch step: clicks, creation refusal and child-control notifications.
#include <gtest/gtest.h>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/Toolkit.h"

namespace {

TEST(Creation, RefusedByCreatedAnswerThenDefaultsAndShownOnlyAfterCreation) {
    RecordingWindow window;
    bool refuse = true, visibleWhenCreated = true;
    window.hook = [&](UINT message, WPARAM) {
        if (message == WM_SWND_CREATED)
            visibleWhenCreated = IsWindowVisible(window.Handle()) != 0;
        return message == WM_SWND_CREATED && refuse;
    };
    EXPECT_FALSE(CreateAt(window, 10, 10, 100, 80, WS_POPUP | WS_VISIBLE));
    ASSERT_EQ(window.Count(WM_SWND_CREATED), 1);
    refuse = false;  // once it accepts, the refused window may be created again
    ASSERT_TRUE(CreateAt(window, 10, 10, 100, 80, WS_POPUP | WS_VISIBLE));
    EXPECT_FALSE(visibleWhenCreated);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(window.Handle(), WM_GETFONT, 0, 0)), GetDefaultFont());
    EXPECT_FALSE(CreateAt(window, 0, 0, 10, 10));  // already has a window
}

TEST(Clicks, CountOnlyWhereTheButtonWentDown) {
    RecordingWindow a, b;
    ASSERT_TRUE(CreateAt(a, 0, 0, 100, 100));
    ASSERT_TRUE(CreateAt(b, 200, 0, 100, 100));
    // Down in a, up in b, then up in a: no click anywhere.
    SendMessageA(a.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(a.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(a.Count(WM_SWND_LCLICK), 0);
    EXPECT_EQ(b.Count(WM_SWND_LCLICK), 0);
    // Down and up in the same window: one click with the position of the release.
    SendMessageA(a.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(a.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(7, 9));
    ASSERT_EQ(a.Count(WM_SWND_RCLICK), 1);
    EXPECT_EQ(a.Last(WM_SWND_RCLICK)->lParam, MAKELPARAM(7, 9));
    // A second release without a press is no click.
    SendMessageA(a.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(7, 9));
    EXPECT_EQ(a.Count(WM_SWND_RCLICK), 1);
    // A move that reports the button released forgets the press.
    SendMessageA(a.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    SendMessageA(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(a.Handle(), WM_MBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(a.Count(WM_SWND_MCLICK), 0);
}

TEST(Mouse, DragEndsWhenCaptureIsLostOrAMoveComesWithoutTheButton) {
    // The capture is lost, or a move comes without the left button (its release unseen).
    for (const bool loseCapture : {true, false}) {
        RecordingWindow window, other;
        ASSERT_TRUE(CreateAt(window, 100, 100, 80, 60));
        ASSERT_TRUE(CreateAt(other, 300, 100, 80, 60));
        window.SetDragMove(true);
        SendMessageA(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        ASSERT_TRUE(window.IsDragging()) << loseCapture;
        if (loseCapture)
            SetCapture(other.Handle());
        else
            SendMessageA(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 25));
        EXPECT_FALSE(window.IsDragging()) << loseCapture;
        EXPECT_EQ(window.Count(WM_SWND_DRAGEND), 1) << loseCapture;
        SendMessageA(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 45));
        RECT rect;
        ASSERT_TRUE(window.GetWindowRect(rect));
        EXPECT_EQ(rect.left, 100) << loseCapture;
        EXPECT_EQ(window.Count(WM_SWND_DRAGEND), 1) << loseCapture;
        ReleaseCapture();
    }
}

TEST(ChildNotifications, ControlsReportInToolkitMessages) {
    RecordingWindow parent;
    ASSERT_TRUE(CreateAt(parent, 0, 0, 300, 300, WS_POPUP | WS_VISIBLE));
    auto make = [&](Window& control, int kind, DWORD style) {
        const RECT rect{0, 0, 80, 20};
        control.kind = kind;
        return control.CreateControl("BUTTON", ArgsAt(rect, WS_CHILD | style, parent.Handle()));
    };
    Window button, check, radio;
    ASSERT_TRUE(make(button, KIND_BUTTON, WS_VISIBLE | BS_PUSHBUTTON));
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button.Handle()));
    ASSERT_EQ(parent.Count(WM_SWND_BUTTONCLICKED), 1);
    EXPECT_EQ(parent.Last(WM_SWND_BUTTONCLICKED)->wParam, reinterpret_cast<WPARAM>(&button));
    ASSERT_TRUE(make(check, KIND_CHECKBOX, BS_CHECKBOX));
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(check.Handle()));
    EXPECT_EQ(SendMessageA(check.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(parent.Count(WM_SWND_CHECKCLICKED), 1);
    // Which radio buttons a click clears is checked with the factory's radio controls.
    ASSERT_TRUE(make(radio, KIND_RADIO, BS_RADIOBUTTON));
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(radio.Handle()));
    EXPECT_EQ(parent.Count(WM_SWND_RADIOCLICKED), 1);

    // Notifications of windows that are not toolkit windows are ignored.
    HWND foreign = CreateWindowExA(0, "BUTTON", "f", WS_CHILD, 0, 0, 10, 10, parent.Handle(), nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(foreign));
    EXPECT_EQ(parent.Count(WM_SWND_BUTTONCLICKED), 1);
    DestroyWindow(foreign);

    // A subclassed control destroyed with its parent leaves the registry.
    const HWND buttonHandle = button.Handle();
    parent.Destroy();
    EXPECT_EQ(button.Handle(), nullptr);
    EXPECT_EQ(Window::FromHandle(buttonHandle), nullptr);
}

}  // namespace
