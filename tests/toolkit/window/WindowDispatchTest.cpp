// Tests of the shared dispatch step: clicks, mouse enter, drag-move, hot zones, creation
// refusal, dropped files, child-control notifications, the window's own scroll bars and the
// toolkit's start-up state.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/Toolkit.h"

namespace {

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

TEST(ToolkitState, StartUpLeavesTheSharedStateInPlace) {
    HWND toolkitWindow = GetToolkitWindowHandle();
    ASSERT_NE(toolkitWindow, nullptr);
    EXPECT_TRUE(IsWindow(toolkitWindow));
    EXPECT_FALSE(IsWindowVisible(toolkitWindow));
    EXPECT_NE(Window::FromHandle(toolkitWindow), nullptr);
    EXPECT_NE(GetDefaultFont(), nullptr);
    EXPECT_EQ(GetCursor(0), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_NE(GetCursor(CURSOR_COUNT - 1), nullptr);
    EXPECT_EQ(GetCursor(CURSOR_COUNT), nullptr);
    EXPECT_EQ(GetCursor(-1), nullptr);
    EXPECT_NE(GetOffscreenBitmap(), nullptr);
    EXPECT_EQ(GetFindReplaceMessage(), RegisterWindowMessageA("commdlg_FindReplace"));
    // The program folder is the absolute folder of this program.
    const String folder = GetProgramFolder();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_EQ(folder.GetAt(folder.Length() - 1), '\\');
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof(module));
    EXPECT_EQ(strncasecmp(module, folder.Text(), folder.Length()), 0) << module << " vs " << folder.Text();
    EXPECT_FALSE(GetProgramPath().IsEmpty());
}

TEST(ToolkitState, ModelessDialogListHoldsEachHandleOnce) {
    RecordingWindow dialog;
    ASSERT_TRUE(CreateTopLevel(dialog, 0, 0, 50, 50));
    RecordingWindow child;
    ASSERT_TRUE(CreateChild(child, dialog, 0, 0, 10, 10));
    RegisterDialog(dialog.Handle());
    RegisterDialog(dialog.Handle());
    EXPECT_EQ(RegisteredDialogCount(), 1);
    EXPECT_EQ(FindDialogFor(child.Handle()), dialog.Handle());
    EXPECT_EQ(FindDialogFor(GetToolkitWindowHandle()), nullptr);
    UnregisterDialog(dialog.Handle());
    EXPECT_EQ(RegisteredDialogCount(), 0);
}

TEST(Creation, RefusedByCreatedAnswerThenDefaultsAndShownOnlyAfterCreation) {
    RecordingWindow window;
    window.createdAnswer = 1;
    EXPECT_FALSE(CreateTopLevel(window, 10, 10, 100, 80, WS_POPUP | WS_VISIBLE));
    EXPECT_EQ(window.Handle(), nullptr);
    ASSERT_EQ(window.Count(WM_SWND_CREATED), 1);
    window.createdAnswer = 0;  // once it accepts, the refused window may be created again
    ASSERT_TRUE(CreateTopLevel(window, 10, 10, 100, 80, WS_POPUP | WS_VISIBLE));
    EXPECT_FALSE(window.visibleWhenCreated);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(window.background, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(window.Handle(), WM_GETFONT, 0, 0)), GetDefaultFont());
    EXPECT_EQ(Window::FromHandle(window.Handle()), &window);
    EXPECT_FALSE(CreateTopLevel(window, 0, 0, 10, 10));  // already has a window
}

TEST(Creation, ChildrenCountTheirCreationOrder) {
    RecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent, 0, 0, 200, 200));
    RecordingWindow children[3];
    for (RecordingWindow& child : children)
        ASSERT_TRUE(CreateChild(child, parent, 0, 0, 10, 10));
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(children[i].Sequence(), i);
    EXPECT_EQ(parent.ChildCounter(), 3);
    Array<Window*> found;
    EXPECT_EQ(parent.GetChildren(found, nullptr, false), 3);
    Array<Window*> siblings;
    EXPECT_EQ(children[1].GetSiblings(siblings, nullptr), 2);
    EXPECT_EQ(siblings.Find(&children[1]), -1);
}

TEST(Clicks, CountOnlyWhereTheButtonWentDown) {
    RecordingWindow a;
    RecordingWindow b;
    ASSERT_TRUE(CreateTopLevel(a, 0, 0, 100, 100));
    ASSERT_TRUE(CreateTopLevel(b, 200, 0, 100, 100));
    // Down in a, up in b, then up in a: no click anywhere.
    SendMessageA(a.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(b.Handle(), WM_LBUTTONUP, 0, At(5, 5));
    SendMessageA(a.Handle(), WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(a.Count(WM_SWND_LCLICK), 0);
    EXPECT_EQ(b.Count(WM_SWND_LCLICK), 0);
    // Down and up in the same window: one click with the position of the release.
    SendMessageA(a.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5));
    SendMessageA(a.Handle(), WM_RBUTTONUP, 0, At(7, 9));
    ASSERT_EQ(a.Count(WM_SWND_RCLICK), 1);
    EXPECT_EQ(a.Last(WM_SWND_RCLICK)->lParam, At(7, 9));
    // A second release without a press is no click.
    SendMessageA(a.Handle(), WM_RBUTTONUP, 0, At(7, 9));
    EXPECT_EQ(a.Count(WM_SWND_RCLICK), 1);
    // A move that reports the button released forgets the press.
    SendMessageA(a.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, At(5, 5));
    SendMessageA(b.Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    SendMessageA(a.Handle(), WM_MBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(a.Count(WM_SWND_MCLICK), 0);
}

TEST(Mouse, DragMoveKeepsTheCursorOffsetAndCanBeRefused) {
    RecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window, 100, 100, 80, 60));
    window.dragMove = true;
    SendMessageA(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_TRUE(window.IsDragging());
    SendMessageA(window.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(30, 25));
    RECT rect;
    ASSERT_TRUE(window.GetWindowRect(rect));
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.top, 115);
    SendMessageA(window.Handle(), WM_LBUTTONUP, 0, At(10, 10));
    EXPECT_FALSE(window.IsDragging());
    EXPECT_EQ(window.Count(WM_SWND_DRAGEND), 1);

    window.dragQueryAnswer = 1;
    SendMessageA(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_FALSE(window.IsDragging());
    SendMessageA(window.Handle(), WM_LBUTTONUP, 0, At(10, 10));
    EXPECT_EQ(window.Count(WM_SWND_DRAGEND), 1);
}

TEST(Mouse, DragEndsWhenCaptureIsLostOrAMoveComesWithoutTheButton) {
    struct Case {
        const char* name;
        bool loseCapture;  // else: a move without the left button
    } const cases[] = {{"capture lost", true}, {"button up unseen", false}};
    for (const Case& c : cases) {
        RecordingWindow window;
        RecordingWindow other;
        ASSERT_TRUE(CreateTopLevel(window, 100, 100, 80, 60));
        ASSERT_TRUE(CreateTopLevel(other, 300, 100, 80, 60));
        window.dragMove = true;
        SendMessageA(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
        ASSERT_TRUE(window.IsDragging()) << c.name;
        if (c.loseCapture)
            SetCapture(other.Handle());
        else
            SendMessageA(window.Handle(), WM_MOUSEMOVE, 0, At(30, 25));
        EXPECT_FALSE(window.IsDragging()) << c.name;
        EXPECT_EQ(window.Count(WM_SWND_DRAGEND), 1) << c.name;
        SendMessageA(window.Handle(), WM_MOUSEMOVE, 0, At(50, 45));
        RECT rect;
        ASSERT_TRUE(window.GetWindowRect(rect));
        EXPECT_EQ(rect.left, 100) << c.name;
        EXPECT_EQ(window.Count(WM_SWND_DRAGEND), 1) << c.name;
        ReleaseCapture();
    }
}

TEST(HotZones, FollowListOrderAcrossOverlapsAndLeaveWithTheMouse) {
    RecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window, 0, 0, 200, 200));
    window.zonesEnabled = true;
    window.zones.Append(RECT{10, 10, 60, 60});
    window.zones.Append(RECT{40, 40, 100, 100});  // overlaps zone 0 at 40..60
    struct Step {
        int x, y;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {5, 5, {}},                        // outside
        {20, 20, {"enter 0"}},             // into zone 0
        {50, 50, {"move 0"}},              // overlap: the first zone wins
        {80, 80, {"leave 0", "enter 1"}},  // only zone 1
        {85, 85, {"move 1"}},
        {150, 150, {"leave 1"}},
        {160, 160, {}},
        {45, 45, {"enter 0"}},
    };
    for (const Step& step : steps) {
        window.zoneCalls.clear();
        SendMessageA(window.Handle(), WM_MOUSEMOVE, 0, At(step.x, step.y));
        EXPECT_EQ(window.zoneCalls, step.calls) << step.x << "," << step.y;
    }
    window.zoneCalls.clear();
    SendMessageA(window.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(window.zoneCalls, std::vector<std::string>{"leave 0"});
    EXPECT_EQ(window.CurrentZone(), -1);
    window.zoneCalls.clear();
    SendMessageA(window.Handle(), WM_MOUSEMOVE, 0, At(150, 150));
    EXPECT_TRUE(window.zoneCalls.empty());
    // Mouse enter is sent once until the mouse leaves, with the first position.
    EXPECT_EQ(window.Count(WM_SWND_MOUSELEAVE), 1);
    ASSERT_EQ(window.Count(WM_SWND_MOUSEENTER), 2);
    EXPECT_EQ(window.Last(WM_SWND_MOUSEENTER)->lParam, At(150, 150));
}

TEST(HotZones, WindowAreaZonesReportOutsideAsMinusOne) {
    RecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window, 100, 100, 200, 200));
    window.ncZonesEnabled = true;
    window.ncZones.Append(RECT{0, 0, 20, 20});
    const auto moveTo = [&](int x, int y) {
        SendMessageA(window.Handle(), WM_NCMOUSEMOVE, HTCAPTION, At(100 + x, 100 + y));
    };
    moveTo(50, 50);
    moveTo(5, 5);
    moveTo(6, 6);
    SendMessageA(window.Handle(), WM_NCMOUSELEAVE, 0, 0);
    const std::vector<std::string> expected{"nc enter -1 -", "nc leave -1 -", "nc enter 0", "nc move 0", "nc leave 0"};
    EXPECT_EQ(window.zoneCalls, expected);
    EXPECT_EQ(window.CurrentNcZone(), -2);
}

// An HDROP as the shell builds it: DROPFILES followed by NUL-separated ANSI paths.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    char* bytes = static_cast<char*>(GlobalLock(memory));
    DROPFILES* header = reinterpret_cast<DROPFILES*>(bytes);
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* out = bytes + sizeof(DROPFILES);
    for (const std::string& path : paths) {
        memcpy(out, path.c_str(), path.size() + 1);
        out += path.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

class DropRecorder : public RecordingWindow {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SWND_FILESDROPPED) {
            const StringList& list = *reinterpret_cast<StringList*>(lParam);
            for (int i = 0; i < list.Count(); i++)
                paths.push_back(list.At(i).Text());
        }
        return RecordingWindow::OnMessage(message, wParam, lParam);
    }
    std::vector<std::string> paths;
};

TEST(DroppedFiles, FoldersGetATrailingBackslashAndOverlongPathsAreSkipped) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string folder = std::string(temp) + "kvr_drop_folder";
    const std::string file = std::string(temp) + "kvr_drop_file.txt";
    CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE created = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(created);
    const std::string overlong = std::string(temp) + std::string(1100, 'x');

    DropRecorder window;
    ASSERT_TRUE(CreateTopLevel(window, 0, 0, 50, 50));
    SendMessageA(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({file, folder, overlong})), 0);
    const std::vector<std::string> expected{file, folder + "\\"};
    EXPECT_EQ(window.paths, expected);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(ChildNotifications, ControlsReportInToolkitMessages) {
    RecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent, 0, 0, 300, 300, WS_POPUP | WS_VISIBLE));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const RECT rect{0, 0, 80, 20};
    Window button;
    button.kind = KIND_BUTTON;
    ASSERT_TRUE(button.CreateControl("BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, &rect, parent.Handle(), 0,
                                     nullptr, instance));
    EXPECT_NE(button.SystemProc(), nullptr);
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button.Handle()));
    ASSERT_EQ(parent.Count(WM_SWND_BUTTONCLICKED), 1);
    EXPECT_EQ(parent.Last(WM_SWND_BUTTONCLICKED)->wParam, reinterpret_cast<WPARAM>(&button));

    Window check;
    check.kind = KIND_CHECKBOX;
    ASSERT_TRUE(
        check.CreateControl("BUTTON", "c", WS_CHILD | BS_CHECKBOX, 0, &rect, parent.Handle(), 0, nullptr, instance));
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(check.Handle()));
    EXPECT_EQ(SendMessageA(check.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(parent.Count(WM_SWND_CHECKCLICKED), 1);

    Window radios[3];
    for (Window& radio : radios) {
        radio.kind = KIND_RADIO;
        ASSERT_TRUE(radio.CreateControl("BUTTON", "r", WS_CHILD | BS_RADIOBUTTON, 0, &rect, parent.Handle(), 0, nullptr,
                                        instance));
    }
    SendMessageA(radios[0].Handle(), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(radios[2].Handle()));
    EXPECT_EQ(SendMessageA(radios[0].Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(radios[2].Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(parent.Count(WM_SWND_RADIOCLICKED), 1);

    // A real click through the system control reaches the parent the same way.
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(parent.Count(WM_SWND_BUTTONCLICKED), 2);

    // Notifications of windows that are not toolkit windows are ignored.
    HWND foreign =
        CreateWindowExA(0, "BUTTON", "f", WS_CHILD, 0, 0, 10, 10, parent.Handle(), nullptr, instance, nullptr);
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(foreign));
    EXPECT_EQ(parent.Count(WM_SWND_BUTTONCLICKED), 2);
    DestroyWindow(foreign);

    // A subclassed control destroyed with its parent leaves the registry.
    const HWND buttonHandle = button.Handle();
    parent.Destroy();
    EXPECT_EQ(button.Handle(), nullptr);
    EXPECT_EQ(Window::FromHandle(buttonHandle), nullptr);
}

TEST(ChildNotifications, KeyDownOfAChildReachesTheTopLevelWindow) {
    RecordingWindow top;
    ASSERT_TRUE(CreateTopLevel(top, 0, 0, 100, 100));
    RecordingWindow middle;
    ASSERT_TRUE(CreateChild(middle, top, 0, 0, 50, 50));
    RecordingWindow inner;
    ASSERT_TRUE(CreateChild(inner, middle, 0, 0, 20, 20));
    SendMessageA(inner.Handle(), WM_KEYDOWN, 'A', 0);
    ASSERT_EQ(top.Count(WM_SWND_KEYDOWN), 1);
    EXPECT_EQ(top.Last(WM_SWND_KEYDOWN)->wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(top.Last(WM_SWND_KEYDOWN)->lParam, reinterpret_cast<LPARAM>(&inner));
    EXPECT_EQ(middle.Count(WM_SWND_KEYDOWN), 0);
}

class ColoredChild : public RecordingWindow {
public:
    HBRUSH OnStaticColor(HDC) override { return brush; }
    HBRUSH brush = nullptr;
};

TEST(Dispatch, ColorRequestsAskTheChildAndTrackingSizesAndCursorApply) {
    RecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent, 0, 0, 100, 100));
    ColoredChild child;
    ASSERT_TRUE(CreateChild(child, parent, 0, 0, 10, 10));
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    child.brush = brush;
    EXPECT_EQ(SendMessageA(parent.Handle(), WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child.Handle())),
              reinterpret_cast<LRESULT>(brush));
    // Without a brush from the child the system's default colouring applies.
    child.brush = nullptr;
    EXPECT_NE(SendMessageA(parent.Handle(), WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child.Handle())),
              reinterpret_cast<LRESULT>(brush));

    parent.minTrackWidth = 40;
    parent.minTrackHeight = -1;
    parent.maxTrackWidth = 500;
    MINMAXINFO info{};
    info.ptMinTrackSize = POINT{1, 2};
    info.ptMaxTrackSize = POINT{3, 4};
    SendMessageA(parent.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 40);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);
    EXPECT_EQ(info.ptMaxTrackSize.x, 500);
    EXPECT_EQ(info.ptMaxTrackSize.y, 4);

    EXPECT_EQ(SendMessageA(parent.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(parent.Handle()), HTCLIENT), 0);
    parent.SetCursor(GetCursor(CURSOR_HAND));
    EXPECT_EQ(SendMessageA(parent.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(parent.Handle()), HTCLIENT), 1);
    parent.SetCursor(nullptr);
    EXPECT_EQ(parent.Cursor(), nullptr);
}

struct ScrollCase {
    const char* name;
    int start;
    WPARAM request;
    int page;  // -1: no page
    int expected;
};

TEST(ScrollBars, RequestsRoundDownToTheGranularityAndStopAtTheBounds) {
    const ScrollCase cases[] = {
        {"line down rounds down", 0, SB_LINEDOWN, -1, 5},
        {"line down from 5", 5, SB_LINEDOWN, -1, 10},
        {"page down", 10, SB_PAGEDOWN, -1, 40},
        {"page up", 40, SB_PAGEUP, -1, 10},
        {"thumb between steps", 0, MAKEWPARAM(SB_THUMBPOSITION, 43), -1, 40},
        {"thumb track", 0, MAKEWPARAM(SB_THUMBTRACK, 99), -1, 95},
        {"bottom", 0, SB_BOTTOM, -1, 100},
        {"beyond the end", 100, SB_LINEDOWN, -1, 100},
        {"beyond the start", 0, SB_LINEUP, -1, 0},
        {"top", 55, SB_TOP, -1, 0},
        {"bottom with a page", 0, SB_BOTTOM, 20, 81},
        {"end scroll changes nothing", 30, SB_ENDSCROLL, -1, 30},
    };
    for (const ScrollCase& c : cases) {
        RecordingWindow window;
        ASSERT_TRUE(CreateTopLevel(window, 0, 0, 200, 200, WS_POPUP | WS_VSCROLL));
        window.SetScrollSteps(1, 7, 30, 5);
        window.SetScrollRange(1, 0, 100, c.page, false);
        window.SetScrollPos(1, c.start, false);
        ASSERT_EQ(window.GetScrollPos(1), c.start) << c.name;
        SendMessageA(window.Handle(), WM_VSCROLL, c.request, 0);
        EXPECT_EQ(window.GetScrollPos(1), c.expected) << c.name;
        if (c.expected == c.start) {
            EXPECT_EQ(window.Count(WM_SWND_VSCROLLED), 0) << c.name;
            continue;
        }
        ASSERT_EQ(window.Count(WM_SWND_VSCROLLED), 1) << c.name;
        EXPECT_EQ(window.Last(WM_SWND_VSCROLLED)->wParam, MAKEWPARAM(c.start, c.expected)) << c.name;
        EXPECT_EQ(window.Count(WM_SWND_HSCROLLED), 0) << c.name;
    }
}

TEST(ScrollBars, SetScrollPosRoundsAndRangeIsReadBack) {
    RecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window, 0, 0, 200, 200, WS_POPUP | WS_HSCROLL));
    window.SetScrollSteps(0, 1, 10, 4);
    ASSERT_TRUE(window.SetScrollRange(0, -20, 60, -1, false));
    EXPECT_EQ(window.GetScrollMin(0), -20);
    EXPECT_EQ(window.GetScrollMax(0), 60);
    window.SetScrollPos(0, 13, false);
    EXPECT_EQ(window.GetScrollPos(0), 12);
    window.SetScrollPos(0, -5, false);
    EXPECT_EQ(window.GetScrollPos(0), -8);
}

}  // namespace
