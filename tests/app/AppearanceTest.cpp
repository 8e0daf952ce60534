// The Appearance dialog in the running program: opened by its menu command, driven through its
// real controls from outside, and read back as the user sees it (screen pixels of the main
// window, the colour swatch and the next message window). The steps share one program run and
// follow each other in this order.
#include <gtest/gtest.h>

#include <windows.h>

#include <colordlg.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "app/ChildWindowPainting.h"
#include "resources/ResourceIds.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "tests/app/DragDriver.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"

namespace {

using kvrtest::ProgramDriver;
using kvrtest::WaitUntil;

constexpr WPARAM kAppearanceCommand = 1003;
constexpr WPARAM kQuitCommand = 1010;
constexpr char kNotAnArchive[] = "This is not a valid encrypted archive";
// Left of where the dialog and the message window open (both centred), so neither covers it.
constexpr int kMainLeft = 40;
constexpr int kMainTop = 40;

// Top-left corners of the dialog's controls in its client area.
constexpr POINT kMainSlider{20, 35};
constexpr POINT kChildSlider{20, 175};
constexpr POINT kColorSwatch{25, 105};
constexpr POINT kColorButton{80, 105};
constexpr POINT kDefaultButton{175, 105};
constexpr POINT kOkButton{70, 220};
constexpr POINT kCancelButton{165, 220};

using WindowTest = std::function<bool(HWND)>;

BOOL CALLBACK VisitWindow(HWND window, LPARAM argument) {
    auto& search = *reinterpret_cast<std::pair<const WindowTest*, HWND>*>(argument);
    if (!(*search.first)(window))
        return TRUE;
    search.second = window;
    return FALSE;
}

// The first child of parent (a top-level window when parent is null) that passes the test.
HWND FindWindowWhere(HWND parent, const WindowTest& test) {
    std::pair<const WindowTest*, HWND> search{&test, nullptr};
    if (parent)
        EnumChildWindows(parent, VisitWindow, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND ControlAt(HWND dialog, POINT topLeft) {
    return FindWindowWhere(dialog, [&](HWND child) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect.left == topLeft.x && rect.top == topLeft.y;
    });
}

HWND FindOwnedWindow(HWND owner, const char* className) {
    return FindWindowWhere(nullptr, [&](HWND window) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        return IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner && strcmp(name, className) == 0;
    });
}

COLORREF ScreenPixel(POINT point) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// Without a compositor a layered window reaches the screen blended onto black: every channel
// scaled by the window's opacity.
bool ShowsScaled(POINT point, COLORREF full, int opacity) {
    const COLORREF seen = ScreenPixel(point);
    const int channels[3][2] = {
        {GetRValue(seen), GetRValue(full)}, {GetGValue(seen), GetGValue(full)}, {GetBValue(seen), GetBValue(full)}};
    for (const auto& channel : channels) {
        if (std::abs(channel[0] - channel[1] * opacity / 255) > 3)
            return false;
    }
    return true;
}

class AppearanceTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(GraphicsStartup());
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        WriteWindowPosition(kMainLeft, kMainTop);
        scratch_ = new kvrtest::ScratchFolder();
        program_ = new ProgramDriver();
        ASSERT_TRUE(program_->Start(KVR_PROGRAM_EXE));
        Sleep(1000);  // the opening animation
        FindBrightPixel();
    }
    static void TearDownTestSuite() {
        if (program_ && program_->IsRunning()) {
            PostMessageA(program_->MainWindow(), WM_COMMAND, kQuitCommand, 0);
            (void)program_->WaitForExit(20000);
        }
        delete program_;
        program_ = nullptr;
        delete scratch_;
        scratch_ = nullptr;
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        GraphicsShutdown();
    }
    void SetUp() override { ASSERT_TRUE(program_ && program_->IsRunning()) << "the program is not running"; }

    // The brightest point of the opaque main window, the one the opacity checks watch.
    static void FindBrightPixel() {
        RECT frame{};
        GetWindowRect(program_->MainWindow(), &frame);
        int best = -1;
        for (int y = frame.top + 4; y < frame.bottom - 4; y += 5) {
            for (int x = frame.left + 4; x < frame.right - 4; x += 5) {
                const COLORREF pixel = ScreenPixel(POINT{x, y});
                const int brightness = std::min({GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)});
                if (brightness > best) {
                    best = brightness;
                    watched_ = POINT{x, y};
                    opaque_ = pixel;
                }
            }
        }
    }

    // Opens the dialog by its menu command and checks where and how it opened.
    static HWND OpenDialog() {
        PostMessageA(program_->MainWindow(), WM_COMMAND, kAppearanceCommand, 0);
        HWND dialog = nullptr;
        WaitUntil([&] { return (dialog = program_->FindWindowTitled("Appearance")) != nullptr; }, 10000);
        if (!dialog)
            return nullptr;
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), program_->MainWindow());
        EXPECT_FALSE(IsWindowEnabled(program_->MainWindow()));
        RECT client{}, frame{}, workArea{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 265);
        EXPECT_EQ(client.bottom, 255);
        GetWindowRect(dialog, &frame);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        EXPECT_NEAR(frame.left + frame.right, workArea.left + workArea.right, 2);
        EXPECT_NEAR(frame.top + frame.bottom, workArea.top + workArea.bottom, 2);
        return dialog;
    }

    static bool Click(HWND dialog, POINT button) {
        HWND control = ControlAt(dialog, button);
        return control && PostMessageA(control, BM_CLICK, 0, 0);
    }

    static bool ClickAndWaitClosed(HWND dialog, POINT button) {
        return Click(dialog, button) && WaitUntil([dialog] { return !IsWindow(dialog); }, 10000);
    }

    // Moves a slider as a drag would: the thumb, then the scroll notification to the dialog.
    static void Slide(HWND dialog, POINT slider, int position) {
        HWND control = ControlAt(dialog, slider);
        SendMessageA(control, TBM_SETPOS, TRUE, position);
        SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(control));
    }

    static int SliderPosition(HWND dialog, POINT slider) {
        return static_cast<int>(SendMessageA(ControlAt(dialog, slider), TBM_GETPOS, 0, 0));
    }

    static COLORREF SwatchPixel(HWND dialog) {
        POINT centre{kColorSwatch.x + 25, kColorSwatch.y + 12};
        ClientToScreen(dialog, &centre);
        return ScreenPixel(centre);
    }

    static kvrtest::ScratchFolder* scratch_;
    static ProgramDriver* program_;
    static POINT watched_;
    static COLORREF opaque_;
};

kvrtest::ScratchFolder* AppearanceTest::scratch_ = nullptr;
ProgramDriver* AppearanceTest::program_ = nullptr;
POINT AppearanceTest::watched_{};
COLORREF AppearanceTest::opaque_ = 0;

TEST_F(AppearanceTest, MainSliderPreviewsTheOpacityAndCancelUndoesIt) {
    ASSERT_GE(std::min({GetRValue(opaque_), GetGValue(opaque_), GetBValue(opaque_)}), 120) << "no bright point";
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    // Empty settings: the defaults.
    EXPECT_EQ(SliderPosition(dialog, kMainSlider), 255);
    EXPECT_EQ(SliderPosition(dialog, kChildSlider), 232);
    EXPECT_EQ(SwatchPixel(dialog), RGB(0xE1, 0xFF, 0xFF));

    // Home on the slider itself (its own key handling and notification), then a drag's end.
    PostMessageA(ControlAt(dialog, kMainSlider), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_TRUE(WaitUntil([] { return ShowsScaled(watched_, opaque_, 0); }, 3000)) << "invisible at 0";
    Slide(dialog, kMainSlider, 128);
    EXPECT_TRUE(WaitUntil([] { return ShowsScaled(watched_, opaque_, 128); }, 3000)) << "half at 128";
    // The child-window slider previews nothing.
    Slide(dialog, kChildSlider, 10);
    Sleep(300);
    EXPECT_TRUE(ShowsScaled(watched_, opaque_, 128));

    ASSERT_TRUE(ClickAndWaitClosed(dialog, kCancelButton));
    EXPECT_TRUE(WaitUntil([] { return ShowsScaled(watched_, opaque_, 255); }, 3000)) << "not restored";
    EXPECT_TRUE(IsWindowEnabled(program_->MainWindow()));
    for (const char* value : {kWindowOpacityValue, kChildColorValue, kChildOpacityValue})
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, value), 0u) << value << " written on cancel";
}

TEST_F(AppearanceTest, ChosenColourShowsAtOnceAndOkStoresTheValues) {
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    // Neither a second command nor a right click opens anything over the running dialog.
    PostMessageA(program_->MainWindow(), WM_COMMAND, kAppearanceCommand, 0);
    PostMessageA(program_->MainWindow(), WM_RBUTTONDOWN, 0, MAKELPARAM(60, 80));
    Sleep(800);
    EXPECT_EQ(program_->CountOtherWindows(), 1);
    DWORD programId = 0;
    GetWindowThreadProcessId(program_->MainWindow(), &programId);
    const HWND menu = FindWindowWhere(nullptr, [programId](HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char name[16] = {};
        GetClassNameA(window, name, sizeof(name));
        return process == programId && IsWindowVisible(window) && strcmp(name, "#32768") == 0;
    });
    EXPECT_EQ(menu, nullptr) << "a menu over the dialog";

    // The colour chooser: starts at the swatch's colour with the custom part open for good;
    // a cancel keeps the colour, a confirmed choice shows at once.
    const struct {
        bool confirm;
        COLORREF shown;
    } rounds[] = {{false, RGB(0xE1, 0xFF, 0xFF)}, {true, RGB(16, 32, 48)}};
    for (const auto& round : rounds) {
        SCOPED_TRACE(round.confirm ? "confirmed" : "cancelled");
        ASSERT_TRUE(Click(dialog, kColorButton));
        HWND chooser = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (chooser = FindOwnedWindow(dialog, "#32770")) != nullptr; }, 10000));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(chooser, COLOR_ADD)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(chooser, COLOR_MIX)));
        char red[8] = {}, green[8] = {}, blue[8] = {};
        GetDlgItemTextA(chooser, COLOR_RED, red, sizeof(red));
        GetDlgItemTextA(chooser, COLOR_GREEN, green, sizeof(green));
        GetDlgItemTextA(chooser, COLOR_BLUE, blue, sizeof(blue));
        EXPECT_EQ(std::string(red) + "," + green + "," + blue, "225,255,255");
        if (round.confirm) {
            SetDlgItemTextA(chooser, COLOR_RED, "16");
            SetDlgItemTextA(chooser, COLOR_GREEN, "32");
            SetDlgItemTextA(chooser, COLOR_BLUE, "48");
        }
        PostMessageA(GetDlgItem(chooser, round.confirm ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([chooser] { return !IsWindow(chooser); }, 10000));
        EXPECT_TRUE(WaitUntil([&] { return SwatchPixel(dialog) == round.shown; }, 3000))
            << std::hex << SwatchPixel(dialog);
    }

    ASSERT_TRUE(Click(dialog, kDefaultButton));
    EXPECT_TRUE(WaitUntil([&] { return SwatchPixel(dialog) == RGB(0xE1, 0xFF, 0xFF); }, 3000));
    Slide(dialog, kMainSlider, 180);
    SendMessageA(ControlAt(dialog, kChildSlider), TBM_SETPOS, TRUE, 200);
    ASSERT_TRUE(ClickAndWaitClosed(dialog, kOkButton));

    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowOpacityValue), 181u);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kChildColorValue), 0xFFFFE1u + 1);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kChildOpacityValue), 201u);
    EXPECT_TRUE(WaitUntil([] { return ShowsScaled(watched_, opaque_, 180); }, 3000));
}

TEST_F(AppearanceTest, NextMessageWindowTakesTheNewColourAndOpacity) {
    const std::string bad = scratch_->PathOf("broken.enc");
    ASSERT_TRUE(kvrtest::WriteFileBytes(bad, kvrtest::BytesOf("this is no archive at all")));
    RECT mainFrame{};
    GetWindowRect(program_->MainWindow(), &mainFrame);
    ASSERT_EQ(kvrtest::DragFiles(POINT{(mainFrame.left + mainFrame.right) / 2, (mainFrame.top + mainFrame.bottom) / 2},
                                 {bad}),
              0);
    HWND message = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (message = program_->FindWindowTitled(kNotAnArchive)) != nullptr; }, 15000));
    Sleep(1500);  // fading in

    Image background;
    ASSERT_TRUE(
        background.LoadFromResource(resource::kBinaryType, resource::kMessageBackground, GetModuleHandleA(nullptr)));
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(message, &frame));
    int compared = 0;
    // Opaque pixels of the picture away from the text and the button.
    for (int y = 2; y < 136 && compared < 30; y += 7) {
        for (int x = 2; x < 229 && compared < 30; x += 9) {
            const bool onText = x >= 20 && x < 205 && y >= 25 && y < 75;
            const bool onButton = x >= 160 && x < 204 && y >= 80 && y < 127;
            uint32_t argb = 0;
            if (onText || onButton || !background.GetPixel(x, y, &argb) || (argb >> 24) != 0xFF)
                continue;
            const uint32_t recoloured = RecolorChildPixel(argb, 0xFFFFE1, 255);
            const COLORREF full = RGB((recoloured >> 16) & 0xFF, (recoloured >> 8) & 0xFF, recoloured & 0xFF);
            EXPECT_TRUE(ShowsScaled(POINT{frame.left + x, frame.top + y}, full, 200))
                << x << "," << y << " " << std::hex << ScreenPixel(POINT{frame.left + x, frame.top + y}) << " " << full;
            compared++;
        }
    }
    EXPECT_GT(compared, 10);
    PostMessageA(message, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitUntil([message] { return !IsWindow(message) || !IsWindowVisible(message); }, 10000));
}

}  // namespace
