// Tests of the dialog host: building from a definition (and failing cleanly), finding
// controls, ending modal runs by button name and by key, tab pages, anchoring, and giving
// back every window and GDI object when a dialog goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/toolkit/dialogdef/DefinitionSamples.h"
#include "tests/toolkit/dialogdef/GuiSupport.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/window/Messages.h"

using namespace dialogtest;

namespace {

std::string Control(const char* type, int id, const char* name, const char* position, const char* extra = "") {
    std::string text = std::string("[") + type + "]\r\nID=" + std::to_string(id) + "\r\nNAME=" + name +
                       "\r\nCAPTION=" + name + "\r\nPOSITION=" + position + "\r\nSTYLE=WS_VISIBLE";
    if (*extra)
        text += std::string("\r\n") + extra;
    return text;
}

using kvrtest::ThreadWindowCount;

// Records the tab reports the dialog sends itself.
class RecordingDialog : public DialogWindow {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SWND_TABSELCHANGE)
            tabPages.push_back(static_cast<int>(lParam));
        return DialogWindow::OnMessage(message, wParam, lParam);
    }
    std::vector<int> tabPages;
};

TEST(DialogWindow, BuildsTheProgramDefinition) {
    DialogWindow dialog;
    ASSERT_TRUE(BuildDialog(dialog, ProgramDefinition()));
    RECT client{};
    ASSERT_TRUE(dialog.GetClientRect(client));
    EXPECT_EQ(client.right, 265);
    EXPECT_EQ(client.bottom, 255);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog.Handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_EQ(dialog.background, GetSysColor(COLOR_BTNFACE));  // "#FE00000F": system colour 15
    // The definition's controls in order are checked with the format; lookups by name and id
    // are used by the tests below too.
    ASSERT_EQ(dialog.ControlCount(), 10);
    EXPECT_EQ(dialog.IndexOfControl(dialog.FindControlById(10)), 7);
    EXPECT_EQ(dialog.FindControlById(10), dialog.FindControlByName("BTN_COLOR"));
    EXPECT_EQ(SendMessageA(dialog.FindControlByName("SLIDER_OPACITY2")->Handle(), TBM_GETRANGEMAX, 0, 0), 255);
    EXPECT_EQ(dialog.FindControlByName("slider_opacity"), nullptr);
    EXPECT_EQ(dialog.FindControlById(99), nullptr);
    EXPECT_FALSE(BuildDialog(dialog, ProgramDefinition()));  // refused while the window exists
}

TEST(DialogWindow, FailedBuildsLeaveNothingBehind) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"no dialog section", Lines({"DIALOG EDITOR v1.00", "", ""})},
        {"a control that cannot be built",
         DialogWith(200, 100, "WS_CAPTION",
                    {Control("BUTTON", 1, "A", "0 0 50 20"), Control("MEDIA", 2, "M", "0 0 9 9"),
                     Control("BUTTON", 3, "B", "0 30 50 20")})},
    };
    const int windowsBefore = ThreadWindowCount();
    for (const auto& c : cases) {
        DialogWindow dialog;
        EXPECT_FALSE(BuildDialog(dialog, c.text)) << c.name;
        EXPECT_EQ(dialog.Handle(), nullptr) << c.name;
        EXPECT_EQ(dialog.ControlCount(), 0) << c.name;
        EXPECT_EQ(ThreadWindowCount(), windowsBefore) << c.name;
    }
    DialogWindow dialog;
    EXPECT_FALSE(dialog.BuildFromDefinition(nullptr, nullptr, nullptr));
    EXPECT_TRUE(BuildDialog(dialog, DialogWith(120, 80, "WS_CAPTION", {})));
    EXPECT_EQ(dialog.ControlCount(), 0);
}

TEST(DialogWindow, ModalRunsEndByButtonNameAndByKey) {
    HostWindow owner;
    ASSERT_TRUE(owner.Create());
    const struct {
        const char* name;
        const char* clicked;  // a button to click first, or null
        WPARAM key;           // then a key, or 0
        int expected;
    } cases[] = {
        {"OK button", "OK", 0, 1},         {"CANCEL button", "CANCEL", 0, 0},     {"Enter", nullptr, VK_RETURN, 1},
        {"Escape", nullptr, VK_ESCAPE, 0}, {"lower-case ok", "ok", VK_ESCAPE, 0},
    };
    const std::string text =
        DialogWith(200, 100, "WS_CAPTION",
                   {Control("BUTTON", 1, "OK", "10 10 50 20"), Control("BUTTON", 2, "CANCEL", "70 10 50 20"),
                    Control("BUTTON", 3, "ok", "130 10 50 20")});
    for (const auto& c : cases) {
        DialogWindow dialog;
        ASSERT_TRUE(BuildDialog(dialog, text, owner.Handle())) << c.name;
        if (c.clicked) {
            Window* button = dialog.FindControlByName(c.clicked);
            ASSERT_NE(button, nullptr);
            PostMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button->Handle()));
        }
        if (c.key)
            PostMessageA(dialog.Handle(), WM_KEYDOWN, c.key, 1);
        EXPECT_EQ(dialog.DoModal(), c.expected) << c.name;
    }
    // Outside a modal run a click on OK changes nothing.
    DialogWindow idle;
    ASSERT_TRUE(BuildDialog(idle, text, owner.Handle()));
    SendMessageA(idle.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(idle.FindControlByName("OK")->Handle()));
    EXPECT_NE(idle.Handle(), nullptr);
    EXPECT_FALSE(idle.IsModal());
}

TEST(DialogWindow, TabPagesShowTheirControls) {
    const std::string text =
        DialogWith(300, 200, "WS_CAPTION",
                   {Control("TAB", 1, "TABS", "0 0 300 200",
                            "TAB_CONTENT=A,B\r\nTAB_SELECTION=1\r\nTAB_CHILDREN_PRIVATE=0 5 1 6  2 6 0 1 0 99"),
                    Control("BUTTON", 5, "FIVE", "20 40 50 20"), Control("BUTTON", 6, "SIX", "20 70 50 20")});
    RecordingDialog dialog;
    ASSERT_TRUE(BuildDialog(dialog, text));
    HWND five = dialog.FindControlById(5)->Handle();
    HWND six = dialog.FindControlById(6)->Handle();
    HWND tab = dialog.FindControlById(1)->Handle();
    EXPECT_FALSE(GetWindowLongA(five, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(six, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(tab, GWL_STYLE) & WS_VISIBLE);
    // The user picks page 0.
    SendMessageA(tab, TCM_SETCURSEL, 0, 0);
    NMHDR header{tab, 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_TRUE(GetWindowLongA(five, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongA(six, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(dialog.tabPages, std::vector<int>{0});
}

TEST(DialogWindow, AnchoredControlsFollowAResize) {
    const std::string text = DialogWith(200, 100, "WS_CAPTION WS_SIZEBOX",
                                        {Control("BUTTON", 1, "STRETCH", "10 10 100 50", "HALIGN=4\r\nVALIGN=64"),
                                         Control("BUTTON", 2, "CENTRE", "50 60 100 20", "HALIGN=1"),
                                         Control("BUTTON", 3, "CORNER", "150 70 40 20", "HALIGN=2\r\nVALIGN=32"),
                                         Control("BUTTON", 4, "STILL", "5 80 20 10")});
    DialogWindow dialog;
    ASSERT_TRUE(BuildDialog(dialog, text));
    ASSERT_TRUE(dialog.SetClientSize(301, 161));
    const struct {
        const char* name;
        RECT expected;
    } cases[] = {{"STRETCH", {10, 10, 211, 121}},
                 {"CENTRE", {100, 60, 200, 80}},
                 {"CORNER", {251, 131, 291, 151}},
                 {"STILL", {5, 80, 25, 90}}};
    for (const auto& c : cases) {
        RECT rect{};
        GetWindowRect(dialog.FindControlByName(c.name)->Handle(), &rect);
        MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(EqualRect(&rect, &c.expected))
            << c.name << " at " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
}

// Moved to a monitor of twice the scale: the dialog takes the system's rectangle and every
// control, anchored or not, sits at twice its place with twice its font.
TEST(DialogWindow, MovedToATwiceScaledMonitorItsControlsDouble) {
    const std::string text =
        DialogWith(200, 100, "WS_CAPTION",
                   {Control("BUTTON", 1, "STRETCH", "10 10 100 50", "HALIGN=4\r\nVALIGN=64\r\nFONT=Tahoma, 13, 0"),
                    Control("BUTTON", 2, "STILL", "5 70 40 20", "FONT=Tahoma, 13, 0")});
    DialogWindow dialog;
    ASSERT_TRUE(BuildDialog(dialog, text));
    HWND handle = dialog.Handle();
    RECT suggested{0, 0, 400, 200};
    ASSERT_TRUE(AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)), FALSE,
                                   static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE))));
    OffsetRect(&suggested, 30 - suggested.left, 40 - suggested.top);
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(handle, &frame);
    EXPECT_TRUE(EqualRect(&frame, &suggested))
        << frame.left << "," << frame.top << "," << frame.right << "," << frame.bottom;
    const struct {
        const char* name;
        RECT expected;
    } cases[] = {{"STRETCH", {20, 20, 220, 120}}, {"STILL", {10, 140, 90, 180}}};
    for (const auto& c : cases) {
        Window* control = dialog.FindControlByName(c.name);
        RECT rect{};
        GetWindowRect(control->Handle(), &rect);
        MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(EqualRect(&rect, &c.expected))
            << c.name << " at " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
        LOGFONTA face{};
        ASSERT_EQ(GetObjectA(dialog.ControlFont(dialog.IndexOfControl(control)), sizeof(face), &face),
                  static_cast<int>(sizeof(face)));
        EXPECT_EQ(face.lfHeight, 26) << c.name;
    }
}

TEST(DialogWindow, ClosedDialogsGiveBackTheirWindowsAndGdiObjects) {
    std::vector<std::string> sections;
    for (int i = 1; i <= 10; i++) {
        const std::string position = std::to_string(10 * i) + " 10 30 20";
        sections.push_back(
            Control(i % 2 ? "BUTTON" : "TEXT", i, ("C" + std::to_string(i)).c_str(), position.c_str(), "") +
            "\r\nFONT=Tahoma, 13, 3\r\nBACKCOLOR=#FF8000");
    }
    const std::string text = DialogWith(200, 100, "WS_CAPTION", sections);
    const int windowsBefore = ThreadWindowCount();
    std::vector<HFONT> fonts;
    std::vector<HWND> controls;
    {
        DialogWindow dialog;
        ASSERT_TRUE(BuildDialog(dialog, text));
        for (int i = 0; i < dialog.ControlCount(); i++) {
            fonts.push_back(dialog.ControlFont(i));
            controls.push_back(dialog.Control(i)->Handle());
            ASSERT_NE(fonts.back(), nullptr);
        }
        PostMessageA(dialog.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_EQ(dialog.DoModal(), 0);
        // The modal run is over and the window still exists: the object going takes it along.
    }
    for (size_t i = 0; i < fonts.size(); i++) {
        EXPECT_EQ(GetObjectType(fonts[i]), 0u) << i;
        EXPECT_FALSE(IsWindow(controls[i])) << i;
    }
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);

    // Closed by WM_CLOSE before the object goes, no window stays either.
    {
        DialogWindow dialog;
        ASSERT_TRUE(BuildDialog(dialog, text));
        SendMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    }
    PumpMessages();
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);
}

}  // namespace
