// Tests of the dialog host: building from a definition (and failing cleanly), finding
// controls, ending modal runs by button name and by key, tab pages, anchoring and rescaling,
// and giving back every window and font when a dialog goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/toolkit/dialogdef/DefinitionSamples.h"
#include "tests/toolkit/dialogdef/GuiSupport.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/window/Messages.h"

using namespace dialogtest;
using kvrtest::ThreadWindowCount;

namespace {

void Click(const DialogWindow& dialog, const char* button) {
    PostMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.FindControlByName(button)->Handle()));
}

TEST(DialogWindow, BuildsTheProgramDefinition) {
    DialogWindow dialog;
    ASSERT_TRUE(BuildDialog(dialog, ProgramDefinition()));
    RECT client{};
    ASSERT_TRUE(dialog.GetClientRect(client));
    EXPECT_EQ(client, (RECT{0, 0, 265, 255}));
    // Hidden until its owner shows it.
    const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog.Handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE), DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(dialog.background, GetSysColor(COLOR_BTNFACE));  // "#FE00000F": system colour 15
    // The definition's controls in order are checked with the format; the program finds
    // them by name, the tests below by id.
    ASSERT_EQ(dialog.ControlCount(), 10);
    EXPECT_EQ(dialog.IndexOfControl(dialog.FindControlByName("BTN_COLOR")), 7);
    EXPECT_EQ(dialog.FindControlByName("slider_opacity"), nullptr);
    EXPECT_EQ(dialog.FindControlById(99), nullptr);
    EXPECT_FALSE(BuildDialog(dialog, ProgramDefinition()));  // refused while the window exists
}

TEST(DialogWindow, FailedBuildsLeaveNothingBehind) {
    const std::string failing[] = {
        Lines({"DIALOG EDITOR v1.00", "", ""}),  // no dialog section
        DialogWith(200, 100, "WS_CAPTION",       // a control that cannot be built
                   {Section("BUTTON", 1, "A", "0 0 50 20"), Section("MEDIA", 2, "M", "0 0 9 9"),
                    Section("BUTTON", 3, "B", "0 30 50 20")}),
    };
    const int windowsBefore = ThreadWindowCount();
    for (const std::string& text : failing) {
        DialogWindow dialog;
        EXPECT_FALSE(BuildDialog(dialog, text));
        EXPECT_EQ(dialog.Handle(), nullptr);
        EXPECT_EQ(dialog.ControlCount(), 0);
        EXPECT_EQ(ThreadWindowCount(), windowsBefore);
    }
    DialogWindow dialog;
    EXPECT_FALSE(dialog.BuildFromDefinition(nullptr, nullptr, nullptr));
}

TEST(DialogWindow, ModalRunsEndByButtonNameAndByKey) {
    TestDialog owner;
    ASSERT_TRUE(owner.Build({}));
    const struct {
        const char* clicked;  // a button to click first, or null
        WPARAM key;           // then a key, or 0
        int expected;
    } cases[] = {
        {"OK", 0, 1}, {"CANCEL", 0, 0}, {nullptr, VK_RETURN, 1}, {nullptr, VK_ESCAPE, 0}, {"ok", VK_ESCAPE, 0},
    };
    const std::string text =
        DialogWith(200, 100, "WS_CAPTION",
                   {Section("BUTTON", 1, "OK", "10 10 50 20"), Section("BUTTON", 2, "CANCEL", "70 10 50 20"),
                    Section("BUTTON", 3, "ok", "130 10 50 20")});
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        DialogWindow dialog;
        ASSERT_TRUE(BuildDialog(dialog, text, owner.Handle()));
        if (c.clicked)
            Click(dialog, c.clicked);
        if (c.key)
            PostMessageA(dialog.Handle(), WM_KEYDOWN, c.key, 1);
        EXPECT_EQ(dialog.DoModal(), c.expected);
        // Outside a modal run a click on OK changes nothing.
        Click(dialog, "OK");
        PumpMessages();
        EXPECT_TRUE(IsWindow(dialog.Handle()));
    }
}

TEST(DialogWindow, TabPagesShowTheirControls) {
    // Pairs of page and control id: page 2 does not exist, id 1 is the tab itself, 99 no control.
    TestDialog dialog;
    ASSERT_TRUE(
        dialog.Build({Section("TAB", 1, "TABS", "0 0 300 200",
                              "TAB_CONTENT=A,B\r\nTAB_SELECTION=1\r\nTAB_CHILDREN_PRIVATE=0 5 1 6  2 6 0 1 0 99 1 6"),
                      Section("BUTTON", 5, "FIVE", "20 40 50 20"), Section("BUTTON", 6, "SIX", "20 70 50 20")}));
    const auto shown = [&dialog] {
        std::vector<bool> visible;
        for (int id : {1, 5, 6})
            visible.push_back(GetWindowLongA(dialog.FindControlById(id)->Handle(), GWL_STYLE) & WS_VISIBLE);
        return visible;
    };
    EXPECT_EQ(shown(), (std::vector<bool>{true, false, true}));
    // The user picks page 0.
    Window* tab = dialog.FindControlById(1);
    SendMessageA(tab->Handle(), TCM_SETCURSEL, 0, 0);
    NMHDR header{tab->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(shown(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(dialog.reports, (std::vector<Report>{{WM_SWND_TABSELCHANGE, reinterpret_cast<WPARAM>(tab), 0}}));
}

// Resized, the anchored controls follow; moved on to a monitor of twice the scale, the dialog
// takes the system's rectangle and every control, anchored or not, sits at twice its place
// with twice its font (the resize must not move the anchored ones back by their old-scale
// references).
TEST(DialogWindow, AnchoredControlsFollowAResizeAndAllDoubleAtTwiceTheScale) {
    const std::string text =
        DialogWith(200, 100, "WS_CAPTION WS_SIZEBOX",
                   {Section("BUTTON", 1, "STRETCH", "10 10 100 50", "HALIGN=4\r\nVALIGN=64\r\nFONT=Tahoma, 13, 0"),
                    Section("BUTTON", 2, "CENTRE", "50 60 100 20", "HALIGN=1"),
                    Section("BUTTON", 3, "CORNER", "150 70 40 20", "HALIGN=2\r\nVALIGN=32"),
                    Section("BUTTON", 4, "STILL", "5 80 20 10", "FONT=Tahoma, 13, 0")});
    DialogWindow dialog;
    ASSERT_TRUE(BuildDialog(dialog, text));
    ASSERT_TRUE(dialog.SetClientSize(301, 161));
    const RECT resized[] = {{10, 10, 211, 121}, {100, 60, 200, 80}, {251, 131, 291, 151}, {5, 80, 25, 90}};
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(PlaceInParent(dialog.Control(i)->Handle()), resized[i]) << i;

    HWND handle = dialog.Handle();
    RECT suggested{0, 0, 602, 322};
    ASSERT_TRUE(AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)), FALSE,
                                   static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE))));
    OffsetRect(&suggested, 30 - suggested.left, 40 - suggested.top);
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(handle, &frame);
    EXPECT_EQ(frame, suggested);
    for (int i = 0; i < 4; i++) {
        const RECT& was = resized[i];
        EXPECT_EQ(PlaceInParent(dialog.Control(i)->Handle()),
                  (RECT{2 * was.left, 2 * was.top, 2 * was.right, 2 * was.bottom}))
            << i;
    }
    for (int i : {0, 3}) {
        LOGFONTA face{};
        ASSERT_EQ(GetObjectA(dialog.ControlFont(i), sizeof(face), &face), static_cast<int>(sizeof(face)));
        EXPECT_EQ(face.lfHeight, 26) << i;
    }
}

// Ended modally (the window goes with the object) or closed by WM_CLOSE first.
TEST(DialogWindow, ClosedDialogsGiveBackTheirWindowsAndFonts) {
    std::vector<std::string> sections;
    for (int i = 1; i <= 10; i++)
        sections.push_back(Section(i % 2 ? "BUTTON" : "TEXT", i, ("C" + std::to_string(i)).c_str(), "10 10 30 20",
                                   "FONT=Tahoma, 13, 3\r\nBACKCOLOR=#FF8000"));
    const std::string text = DialogWith(200, 100, "WS_CAPTION", sections);
    const int windowsBefore = ThreadWindowCount();
    for (bool closed : {false, true}) {
        std::vector<HFONT> fonts;
        {
            DialogWindow dialog;
            ASSERT_TRUE(BuildDialog(dialog, text));
            for (int i = 0; i < dialog.ControlCount(); i++) {
                fonts.push_back(dialog.ControlFont(i));
                ASSERT_EQ(GetObjectType(fonts.back()), static_cast<DWORD>(OBJ_FONT));
            }
            if (closed) {
                SendMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
            } else {
                PostMessageA(dialog.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
                EXPECT_EQ(dialog.DoModal(), 0);
            }
        }
        PumpMessages();
        ASSERT_EQ(fonts.size(), 10u);
        for (HFONT font : fonts)
            EXPECT_EQ(GetObjectType(font), 0u) << closed;
        EXPECT_EQ(ThreadWindowCount(), windowsBefore) << closed;
    }
}

}  // namespace
