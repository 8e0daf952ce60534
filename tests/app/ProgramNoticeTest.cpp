// KvrDecryptor.exe in a run of its own: the notice of a success. A dropped sample sets the
// tray icon's information balloon, read back from the shell's side (Wine's balloons are
// tooltip windows whose text the tooltip gives out; their title Wine's tooltip does not give
// back through TTM_GETTITLE, so it goes unchecked); a click on the balloon, reported to the
// icon as Windows' shell reports it (Wine's own balloons report no clicks), opens the folder; "Open Last Folder" is
// grayed until a success and again once that folder is gone, and "Notify When Done" carries
// its check mark, both read from the menu on the screen; switched off, the latter is stored
// and no balloon follows the next success.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/TrayIcon.h"

namespace {

using kvrtest::ProgramDriver;
using kvrtest::WaitUntil;

// Lines of the main menu, top to bottom, as Menu() reads them.
enum MenuLine { kOpenLastFolderLine = 9, kNotifyDoneLine = 10, kMenuLines = 13 };

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Whether a visible tooltip window of any process shows the text: the shell's balloons are
// such windows.
bool TipShown(const std::string& wanted) {
    return kvrtest::FindTopWindow([&wanted](HWND window) {
               char text[300] = {};
               DWORD_PTR length = 0;
               return IsWindowVisible(window) && ClassOf(window) == "tooltips_class32" &&
                      SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                                          2000, &length) &&
                      wanted == text;
           }) != nullptr;
}

struct MenuItemSeen {
    bool enabled;  // drawn in the text colour, not grayed
    bool checked;  // a mark in the left margin
};

int Brightness(HDC screen, int x, int y) {
    const COLORREF pixel = GetPixel(screen, x, y);
    return (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) / 3;
}

// Reads the items of the open popup menu from the screen: each text line is a band of rows
// with ink right of the check margin (separators and the frame are single rows); enabled
// text has dark strokes, grayed text none.
std::vector<MenuItemSeen> ReadMenu(HWND menu) {
    constexpr int kTextLeft = 18;  // the check margin lies left of it
    constexpr int kInk = 230;
    constexpr int kDark = 64;
    RECT frame{};
    GetWindowRect(menu, &frame);
    HDC screen = GetDC(nullptr);
    std::vector<MenuItemSeen> items;
    int bandStart = -1;
    for (int y = frame.top; y <= frame.bottom; y++) {
        bool ink = false;
        for (int x = frame.left + kTextLeft; y < frame.bottom && x < frame.right - 4 && !ink; x++)
            ink = Brightness(screen, x, y) < kInk;
        if (ink && bandStart < 0)
            bandStart = y;
        if (ink || bandStart < 0)
            continue;
        if (y - bandStart > 2) {
            MenuItemSeen item{false, false};
            for (int row = bandStart; row < y; row++) {
                for (int x = frame.left + 3; x < frame.right - 4; x++) {
                    const bool dark = Brightness(screen, x, row) < kDark;
                    (x < frame.left + kTextLeft ? item.checked : item.enabled) |= dark;
                }
            }
            items.push_back(item);
        }
        bandStart = -1;
    }
    ReleaseDC(nullptr, screen);
    return items;
}

// Opens the main window's menu as a right click does, reads it, and closes it with Escape.
std::vector<MenuItemSeen> SeeMenu(const ProgramDriver& program) {
    SetCursorPos(700, 550);  // away from the menu: no item is highlighted
    PostMessageA(program.MainWindow(), WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            return (menu = kvrtest::FindTopWindow(
                        [](HWND w) { return IsWindowVisible(w) && ClassOf(w) == "#32768"; })) != nullptr;
        },
        5000);
    if (!menu)
        return {};
    Sleep(300);  // drawn
    const std::vector<MenuItemSeen> items = ReadMenu(menu);
    EXPECT_TRUE(ProgramDriver::Answer(menu, VK_ESCAPE));
    return items;
}

// The tray icon's own window: hidden, owned by the main window.
HWND TrayWindow(const ProgramDriver& program) {
    return kvrtest::FindTopWindow([&](HWND w) {
        return !IsWindowVisible(w) && GetWindow(w, GW_OWNER) == program.MainWindow() && ClassOf(w) == "CLASS_SWND";
    });
}

class ProgramNotice : public testing::Test {
protected:
    void SetUp() override {
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        ASSERT_TRUE(scratch_.IsValid());
        const std::string samples = kvrtest::WindowsPath(KVR_SOURCE_DIR "/samples/");
        ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("Keys").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("Keys\\friends").c_str(), nullptr));
        for (const char* name : {"Keys\\project.key", "Keys\\friends\\alice.key", "letters.enc", "plain.enc"})
            ASSERT_TRUE(CopyFileA((samples + name).c_str(), scratch_.PathOf(name).c_str(), FALSE)) << name;
        WriteUserKeyFolder(scratch_.PathOf("Keys\\").c_str());
        WriteWindowPosition(40, 40);
        ASSERT_TRUE(program_.Start(KVR_PROGRAM_EXE));
    }
    void TearDown() override {
        program_.Command(CMD_QUIT);
        EXPECT_EQ(program_.WaitForExit(20000), 0);
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }

    // Drops a sample and waits until its output folder holds its last entry.
    void DropAndWait(const std::string& sample) {
        ASSERT_EQ(program_.Drop({scratch_.PathOf(sample + ".enc")}), 0);
        const std::string last = scratch_.PathOf(sample + "\\story.txt");
        ASSERT_TRUE(WaitUntil([&] { return kvrtest::Exists(last); }, 20000)) << sample;
    }

    kvrtest::ScratchFolder scratch_;
    ProgramDriver program_;
};

TEST_F(ProgramNotice, ASuccessIsAnnouncedAndItsFolderOffered) {
    std::vector<MenuItemSeen> menu = SeeMenu(program_);
    ASSERT_EQ(menu.size(), static_cast<size_t>(kMenuLines));
    EXPECT_FALSE(menu[kOpenLastFolderLine].enabled);
    EXPECT_TRUE(menu[kNotifyDoneLine].enabled && menu[kNotifyDoneLine].checked);

    DropAndWait("letters");
    EXPECT_TRUE(WaitUntil([] { return TipShown("5 files in letters\\"); }, 10000));
    menu = SeeMenu(program_);
    ASSERT_EQ(menu.size(), static_cast<size_t>(kMenuLines));
    EXPECT_TRUE(menu[kOpenLastFolderLine].enabled);

    // The shell reports a click on the balloon as the icon's callback.
    HWND tray = TrayWindow(program_);
    ASSERT_NE(tray, nullptr);
    PostMessageA(tray, WM_SWND_TRAYCALLBACK, TrayIcon::kIconId, NIN_BALLOONUSERCLICK);
    HWND folderWindow = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return (folderWindow = kvrtest::FindTopWindow([](HWND w) {
                        char title[64] = {};
                        GetWindowTextA(w, title, sizeof title);
                        return IsWindowVisible(w) && ClassOf(w) == "ExplorerWClass" && std::string(title) == "letters";
                    })) != nullptr;
        },
        15000));
    if (folderWindow) {
        PostMessageA(folderWindow, WM_CLOSE, 0, 0);
        EXPECT_TRUE(kvrtest::WaitGone(folderWindow));
    }

    ASSERT_TRUE(kvrtest::ScratchFolder::RemoveTree(scratch_.PathOf("letters")));
    menu = SeeMenu(program_);
    ASSERT_EQ(menu.size(), static_cast<size_t>(kMenuLines));
    EXPECT_FALSE(menu[kOpenLastFolderLine].enabled);

    program_.Command(CMD_NOTIFY_WHEN_DONE);
    EXPECT_TRUE(WaitUntil([] { return ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kNotifyDoneValue) == 1; }, 5000));
    menu = SeeMenu(program_);
    ASSERT_EQ(menu.size(), static_cast<size_t>(kMenuLines));
    EXPECT_FALSE(menu[kNotifyDoneLine].checked);
    DropAndWait("plain");
    Sleep(1500);  // time for a balloon that should not come
    EXPECT_FALSE(TipShown("5 files in plain\\"));
    EXPECT_TRUE(SeeMenu(program_)[kOpenLastFolderLine].enabled);
}

}  // namespace
