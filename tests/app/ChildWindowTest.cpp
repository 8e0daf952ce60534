// The message and question windows: the recolouring formula, the text fit, and the real windows
// run modally on this thread, answered by clicks, read back as the user sees them, and gone
// without a trace afterwards. Then key import into a scratch key folder, which asks and tells
// through them: the overwrite question declined and agreed to, a key dropped from the key
// folder itself, and failed copies told to the user (a first import is checked with the whole
// program).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/ChildWindowPainting.h"
#include "app/KeyImport.h"
#include "app/MessageWindow.h"
#include "app/QuestionWindow.h"
#include "resources/ResourceIds.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "tests/app/DragDriver.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ThreadWindows.h"
#include "toolkit/media/Image.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

namespace {

TEST(ChildWindowPainting, RecolouringFollowsTheColourTheDarknessAndTheOpacity) {
    const struct {
        uint32_t pixel, color, opacity, expected;
    } cases[] = {
        {0xFFFFFFFF, 0xFFFFE1, 232, 0xE8E1FFFF},  // white takes the colour exactly
        {0xFF808080, 0xFFFFE1, 232, 0xE8628080},  // red 0x80: darkened by 127
        {0x80FFFFFF, 0xFFFFE1, 232, 0x69E1FFFF},  // alpha 128 loses 23
        {0x10FFFFFF, 0xFFFFE1, 232, 0x00E1FFFF},  // never below 0
        {0xFFFFFFFF, 0x204080, 255, 0xFF804020},  // red in the low byte of the colour
        {0xFF00FFFF, 0x204080, 255, 0xFF000000},  // darkened by the brightest channel, cut at 0
        {0xFF7F0000, 0x204080, 0, 0x00400000},    // red 0x7F: d = 64; opacity 0 clears alpha
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecolorChildPixel(c.pixel, c.color, c.opacity), c.expected) << std::hex << c.pixel << " " << c.color;
}

TEST(ChildWindowPainting, LongTextsShrinkUntilTheyFitTheArea) {
    const RECT area{20, 25, 20 + 185, 25 + 50};
    const struct {
        const char* text;
        bool shrinks;
    } cases[] = {
        {"Key not found", false},
        {"Cannot write the following file :\n\nC:\\Users\\someone\\Documents\\Archives\\photo-2019.bmp", true},
    };
    for (const auto& c : cases) {
        Image picture(229, 136);
        picture.Clear(0x00FFFFFF);
        const float points = DrawChildText(picture, c.text, area);
        EXPECT_EQ(points < 14.0f, c.shrinks) << c.text;
        EXPECT_GE(points, 6.0f) << c.text;
        // Ink inside the area only.
        int inside = 0, outside = 0;
        for (int y = 0; y < picture.Height(); y++) {
            for (int x = 0; x < picture.Width(); x++) {
                uint32_t argb = 0;
                ASSERT_TRUE(picture.GetPixel(x, y, &argb));
                const bool ink = (argb & 0xFFFFFF) != 0xFFFFFF;
                const bool within = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                (ink && within ? inside : outside) += ink ? 1 : 0;
            }
        }
        EXPECT_GT(inside, 20) << c.text;
        EXPECT_EQ(outside, 0) << c.text;
    }
}

// The child windows at work, each run on this thread; none may leave a window behind. The
// answers of keys and clicks are checked with the whole program; the clicks here.
class ChildWindowTest : public testing::Test {
protected:
    void SetUp() override {
        kvrtest::PumpMessages();
        windowsBefore_ = kvrtest::ThreadWindowCount();
    }
    void TearDown() override {
        kvrtest::PumpMessages();
        EXPECT_EQ(kvrtest::ThreadWindowCount(), windowsBefore_);
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }
    int windowsBefore_ = 0;
};

TEST_F(ChildWindowTest, ButtonsLightUpAndDoNotStartADrag) {
    QuestionWindow window;
    ASSERT_TRUE(window.Create("Overwrite?", nullptr));
    HWND handle = window.Handle();
    EXPECT_TRUE(GetWindowLongA(handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
    POINT yes = window.ButtonCenterOnScreen(0);
    ScreenToClient(handle, &yes);
    const struct {
        int x, y;
        bool firstLit, secondLit;
        LRESULT dragAnswer;
    } steps[] = {
        {10, 10, false, false, 0},
        {yes.x, yes.y, true, false, -1},
        {yes.x + 65, yes.y, false, true, -1},
        {150, 60, false, false, 0},  // on the text: the window may be dragged there
    };
    for (const auto& s : steps) {
        SendMessageA(handle, WM_MOUSEMOVE, 0, MAKELPARAM(s.x, s.y));
        EXPECT_EQ(window.IsButtonLit(0), s.firstLit) << s.x << "," << s.y;
        EXPECT_EQ(window.IsButtonLit(1), s.secondLit) << s.x << "," << s.y;
        EXPECT_EQ(SendMessageA(handle, WM_SWND_DRAGQUERY, 0, MAKELPARAM(s.x, s.y)), s.dragAnswer);
    }
    // The composed picture shows the lit button's hover picture.
    SendMessageA(handle, WM_MOUSEMOVE, 0, MAKELPARAM(yes.x, yes.y));
    Image hover;
    ASSERT_TRUE(hover.LoadFromResource(resource::kBinaryType, resource::kCheckButtonHover, GetInstance()));
    uint32_t expected = 0, shown = 0;
    ASSERT_TRUE(hover.GetPixel(22, 23, &expected));
    ASSERT_TRUE(window.Skin().GetPixel(105 + 22, 130 + 23, &shown));
    EXPECT_EQ(shown, expected);
    // The second button says no.
    PostMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(yes.x + 65, yes.y));
    PostMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(yes.x + 65, yes.y));
    EXPECT_EQ(window.DoModal(), 0);
}

// Moved to a monitor of twice the scale: the window takes the system's rectangle and its
// picture and buttons follow, the first button answering at its doubled place only.
TEST_F(ChildWindowTest, MovedToATwiceScaledMonitorTheWindowAndItsButtonsDouble) {
    const struct {
        bool question;
        int width, height;
        POINT button;  // first button's top-left in 96-DPI units
        int result;    // of a click on it
    } cases[] = {{true, 325, 190, {105, 130}, 1}, {false, 229, 136, {160, 80}, 0}};
    for (const auto& c : cases) {
        QuestionWindow question;
        MessageWindow message;
        TextChildWindow& window = c.question ? static_cast<TextChildWindow&>(question) : message;
        ASSERT_TRUE(window.Create(c.question ? "Overwrite?" : "Done", nullptr));
        HWND handle = window.Handle();
        RECT before;
        ASSERT_TRUE(GetWindowRect(handle, &before));
        const RECT suggested{before.left + 10, before.top + 20, before.left + 10 + 2 * c.width,
                             before.top + 20 + 2 * c.height};
        SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
        RECT after;
        ASSERT_TRUE(GetWindowRect(handle, &after));
        EXPECT_TRUE(EqualRect(&after, &suggested)) << c.question;
        EXPECT_EQ(window.Skin().Width(), 2 * c.width);
        EXPECT_EQ(window.Skin().Height(), 2 * c.height);
        const POINT centre{c.button.x + ChildWindow::kButtonWidth / 2, c.button.y + ChildWindow::kButtonHeight / 2};
        EXPECT_EQ(SendMessageA(handle, WM_SWND_DRAGQUERY, 0, MAKELPARAM(centre.x, centre.y)), 0) << c.question;
        const LPARAM doubled = MAKELPARAM(2 * centre.x, 2 * centre.y);
        EXPECT_EQ(SendMessageA(handle, WM_SWND_DRAGQUERY, 0, doubled), -1) << c.question;
        PostMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, doubled);
        PostMessageA(handle, WM_LBUTTONUP, 0, doubled);
        // Escape only ends the run should the click miss.
        PostMessageA(handle, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(window.DoModal(), c.result) << c.question;
    }
}

TEST_F(ChildWindowTest, OpaqueWindowShowsTheRecolouredBackgroundOnScreen) {
    ASSERT_TRUE(WriteNumber(HKEY_CURRENT_USER, kSettingsKey, kChildOpacityValue, 256));
    ASSERT_TRUE(WriteNumber(HKEY_CURRENT_USER, kSettingsKey, kChildColorValue, 0x30A0F0 + 1));
    MessageWindow window;
    ASSERT_TRUE(window.Create("Key not found", nullptr));
    ASSERT_TRUE(kvrtest::WaitUntil([&window] { return window.FadeAlpha() == 255; }, 3000));
    RECT frame;
    ASSERT_TRUE(GetWindowRect(window.Handle(), &frame));
    // Centred in the work area.
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_NEAR(frame.left, workArea.left + (workArea.right - workArea.left - 229) / 2, 1);
    Image background;
    ASSERT_TRUE(background.LoadFromResource(resource::kBinaryType, resource::kMessageBackground, GetInstance()));
    HDC screen = GetDC(nullptr);
    int compared = 0;
    // Opaque pixels of the picture outside the text and the button: without a compositor only
    // those read back exactly.
    for (int y = 2; y < 136 && compared < 40; y += 7) {
        for (int x = 2; x < 229 && compared < 40; x += 9) {
            const bool onText = x >= 20 && x < 205 && y >= 25 && y < 75;
            const bool onButton = x >= 160 && x < 204 && y >= 80 && y < 127;
            uint32_t argb = 0;
            if (onText || onButton || !background.GetPixel(x, y, &argb) || (argb >> 24) != 0xFF)
                continue;
            const uint32_t expected = RecolorChildPixel(argb, 0x30A0F0, 255);
            EXPECT_EQ(GetPixel(screen, frame.left + x, frame.top + y), RGB(expected >> 16, expected >> 8, expected))
                << x << "," << y;
            compared++;
        }
    }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(compared, 10);
    PostMessageA(window.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    window.DoModal();
}

TEST(KeyImport, AnswersAndMessagesOfEachOutcome) {
    kvrtest::ScratchFolder scratch;
    const std::string keys = scratch.PathOf("Keys\\");
    const std::string dropped = scratch.PathOf("friend.key");
    ASSERT_TRUE(CreateDirectoryA(keys.c_str(), nullptr));
    ASSERT_TRUE(kvrtest::WriteFileBytes(dropped, kvrtest::BytesOf("new key")));
    ASSERT_TRUE(kvrtest::WriteFileBytes(keys + "friend.key", kvrtest::BytesOf("old key")));
    const struct {
        std::string source, folder;
        WPARAM key;
        KeyImportResult result;
        std::string shown;   // the window's text; empty: none
        const char* stored;  // the key folder's friend.key afterwards
    } cases[] = {
        {dropped, keys, VK_ESCAPE, KeyImportResult::kDeclined, kKeyExistsQuestion, "old key"},
        {keys + "friend.key", keys, VK_ESCAPE, KeyImportResult::kImported, "", "old key"},  // already in place
        {dropped, scratch.PathOf("Missing\\"), VK_RETURN, KeyImportResult::kFailed,
         std::string(kKeyCopyFailedMessage) + "friend.key", "old key"},
        {scratch.PathOf("gone.key"), keys, VK_RETURN, KeyImportResult::kFailed,
         std::string(kKeyCopyFailedMessage) + "gone.key", "old key"},
        {dropped, keys, VK_RETURN, KeyImportResult::kImported, kKeyExistsQuestion, "new key"},
    };
    for (const auto& c : cases) {
        char shown[512] = {};
        const auto answer = [&](HWND window) {
            GetWindowTextA(window, shown, sizeof(shown));
            PostMessageA(window, WM_KEYDOWN, c.key, 0);
        };
        KeyImportResult result = KeyImportResult::kFailed;
        const auto import = [&] { result = ImportKeyFile(c.source.c_str(), c.folder.c_str(), nullptr, nullptr); };
        EXPECT_EQ(kvrtest::AnswerDialog(kWindowClassName, answer, import), !c.shown.empty()) << c.source;
        EXPECT_EQ(result, c.result) << c.source;
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(kvrtest::ReadFileBytes(keys + "friend.key"), kvrtest::BytesOf(c.stored)) << c.source;
    }
    EXPECT_EQ(kvrtest::ReadFileBytes(dropped), kvrtest::BytesOf("new key"));
}

}  // namespace
