// KvrDecryptor.exe's commands and the ways into it besides a drag, end to end: the key-folder
// commands and marks, clicks on its tray icon as the notification area reports them, always on
// top and launch on start-up, the success balloon (read from the shell's side: under Wine a
// tooltip window whose text the tooltip gives out, though not its title), files named on its
// command line or handed over by a later start, "Decrypt a File...", and Help.
#include "tests/app/ProgramFixture.h"

#include "toolkit/window/TrayIcon.h"

namespace {

using namespace kvrtest;

// Whether `upper` comes before `lower` in the order of the top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    return FindTopWindow([&](HWND window) { return window == upper || window == lower; }) == upper;
}

// The folder chosen is of a name beyond the test prefix's code page, 1252. The marks follow the
// folder start-up made active, not the stored text.
TEST_F(ProgramTest, UserKeyFolderIsChosenInTheBrowserWhichTheWindowDoesNotLeave) {
    EXPECT_EQ(program_->MenuMarks().substr(kMainKeyFolderItem, 2), "-v");
    const std::string keyFolder = In("Keys\\\xE6\x97\xA5\xE6\x9C\xAC\\");  // "日本"
    ASSERT_TRUE(ScratchFolder::RemoveTree(In("Keys\\friends\\")));
    ASSERT_TRUE(MakeFolder(keyFolder));
    HWND main = program_->MainWindow();
    program_->Command(CMD_USER_KEY_FOLDER);
    HWND browser = program_->WaitForWindow("", kDialogClass);
    EXPECT_EQ(GetWindow(browser, GW_OWNER), main);
    // Closing, quitting and the other dialogs all wait for the browser.
    PostMessageA(main, WM_CLOSE, 0, 0);
    for (const WPARAM command : {CMD_QUIT, CMD_USER_KEY_FOLDER, CMD_APPEARANCE})
        program_->Command(command);
    Sleep(800);
    EXPECT_TRUE(program_->IsRunning() && IsWindowVisible(main));
    EXPECT_EQ(program_->CountOtherWindows(kDialogClass), 1);
    EXPECT_EQ(program_->CountOtherWindows(), 0);

    // The browser opens at the active folder: its one sub-folder is chosen.
    ProgramDriver::Press(browser, {VK_RIGHT, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(WaitGone(browser));
    EXPECT_STRCASEEQ(ReadUserKeyFolder().Text(), keyFolder.c_str());
    EXPECT_EQ(program_->MenuMarks().substr(kMainKeyFolderItem, 2), "-v");
    program_->Command(CMD_MAIN_KEY_FOLDER);
    EXPECT_EQ(program_->MenuMarks().substr(kMainKeyFolderItem, 2), "v-");
    EXPECT_STREQ(ReadUserKeyFolder().Text(), "");
    WriteUserKeyFolder("C:\\");
    ASSERT_TRUE(Restart());
    EXPECT_EQ(program_->MenuMarks().substr(kMainKeyFolderItem, 2), "v-");
}

TEST_F(ProgramTest, TrayClicksRaiseHideShowAndOpenTheMenu) {
    HWND main = program_->MainWindow();
    WaitUntil([] { return false; }, 1000);  // start-up, which activates the window, is over
    RECT frame{};
    GetWindowRect(main, &frame);
    // Shown without taking the focus, whose arrival would raise it again later.
    HWND cover = CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "cover", WS_POPUP, frame.left, frame.top, 130, 175,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_TRUE(IsAbove(cover, main));
    EXPECT_TRUE(program_->TrayClick(WM_LBUTTONDOWN));
    EXPECT_TRUE(WaitUntil([&] { return IsAbove(main, cover); }, 3000)) << "not raised";
    DestroyWindow(cover);

    // A double click and "Hide/Show Window" each hide the window, then show it again.
    for (const bool command : {false, true}) {
        for (const bool shown : {false, true}) {
            command ? program_->Command(CMD_HIDE_SHOW) : (void)program_->TrayClick(WM_LBUTTONDBLCLK);
            EXPECT_TRUE(WaitUntil([&] { return (IsWindowVisible(main) != 0) == shown; }, 3000)) << command;
        }
    }
    EXPECT_TRUE(program_->TrayClick(WM_RBUTTONUP));
    EXPECT_TRUE(ProgramDriver::Answer(program_->WaitForWindow("", kMenuClass), VK_ESCAPE));
}

TEST_F(ProgramTest, AlwaysOnTopAndLaunchOnStartupAreStoredAndMarked) {
    const std::string program = WindowsPath(KVR_PROGRAM_EXE);
    for (const bool on : {true, false}) {
        program_->Command(CMD_ALWAYS_ON_TOP);
        program_->Command(CMD_LAUNCH_ON_STARTUP);
        const auto topmost = [this] { return GetWindowLongA(program_->MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST; };
        EXPECT_TRUE(WaitUntil([&] { return (topmost() != 0) == on; }, 3000));
        EXPECT_EQ(ReadAlwaysOnTop(), on);
        EXPECT_EQ(IsAutostartOn(program.c_str()), on);
        EXPECT_EQ(program_->MenuMarks().substr(kAlwaysOnTopItem, 2), on ? "vv" : "--");
    }
}

// "Open Last Folder" is grayed until a success and again once that folder is gone; a click on
// the balloon, reported to the icon as Windows' shell reports it (Wine's own balloons report
// none), opens the folder; "Notify When Done" switched off is stored and silences the balloon.
TEST_F(ProgramTest, ASuccessIsAnnouncedAndItsFolderOffered) {
    // The marks of "Open Last Folder" and "Notify When Done".
    const auto lastFolderMarks = [this] { return program_->MenuMarks().substr(kOpenLastFolderItem, 2); };
    EXPECT_EQ(lastFolderMarks(), "xv");
    ASSERT_EQ(program_->Drop({In("letters.enc")}), 0);
    EXPECT_TRUE(WaitUntil([] { return TipShown("5 files in letters\\"); }, 20000));
    EXPECT_EQ(lastFolderMarks(), "-v");

    ASSERT_TRUE(program_->TrayClick(NIN_BALLOONUSERCLICK, TrayIcon::kIconId));
    HWND folder = nullptr;
    EXPECT_TRUE(
        WaitUntil([&] { return (folder = FindShownWindow(0, "letters", "ExplorerWClass")) != nullptr; }, 15000));
    PostMessageA(folder, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitGone(folder));
    ASSERT_TRUE(ScratchFolder::RemoveTree(Output("letters")));
    EXPECT_EQ(lastFolderMarks(), "xv");

    program_->Command(CMD_NOTIFY_WHEN_DONE);
    EXPECT_TRUE(WaitUntil([] { return ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kNotifyDoneValue) == 1; }, 5000));
    EXPECT_EQ(lastFolderMarks(), "x-");
    ASSERT_EQ(program_->Drop({In("plain.enc")}), 0);
    ASSERT_TRUE(WaitUntil([&] { return Exists(Output("plain") + "story.txt"); }, 20000));
    Sleep(1500);  // time for a balloon that should not come
    EXPECT_FALSE(TipShown("5 files in plain\\"));
    EXPECT_EQ(lastFolderMarks(), "--");
}

// Opening files the Windows way: a file named on the command line, one a later start hands to
// the running program, the "Decrypt a File..." dialog answered from the keyboard. While the
// program asks about an existing output folder, a drop, closing and a handed file are refused;
// declined with Escape, the folder stays as it was (a yes is checked at a larger scale).
TEST_F(ProgramTest, TakesFilesNamedOnItsCommandLineButNoneWhileItAsks) {
    ASSERT_TRUE(Restart("\"" + In("letters.enc") + "\""));
    EXPECT_TRUE(Decrypted("letters"));
    const auto secondStart = [&](const std::string& file) {
        HANDLE second = StartProgram(KVR_PROGRAM_EXE, "\"" + In(file) + "\"");
        const int code = second ? WaitForExitCode(second, 10000) : -2;
        if (second)
            CloseHandle(second);
        return code;
    };
    Sleep(1500);
    EXPECT_EQ(secondStart("plain.enc"), 0);
    EXPECT_TRUE(Decrypted("plain"));

    const std::string readme = Output("letters") + "readme.txt";
    ASSERT_TRUE(WriteFileBytes(readme, BytesOf("changed")));
    Sleep(1500);
    ASSERT_EQ(program_->Drop({In("letters.enc")}), 0);
    HWND question = program_->WaitForWindow(kFolderQuestion);
    EXPECT_EQ(program_->Drop({In("song.wav")}, 1), 1);
    EXPECT_EQ(secondStart("picture.bmp"), 0);
    PostMessageA(program_->MainWindow(), WM_CLOSE, 0, 0);
    Sleep(300);
    EXPECT_TRUE(program_->IsRunning() && IsWindowVisible(program_->MainWindow()));
    EXPECT_TRUE(ProgramDriver::Answer(question, VK_ESCAPE));
    Sleep(3000);
    EXPECT_EQ(ReadFileBytes(readme), BytesOf("changed"));
    EXPECT_FALSE(Exists(Output("song")));
    EXPECT_FALSE(Exists(Output("picture"))) << "a file handed over while busy was taken";
    EXPECT_EQ(program_->CountOtherWindows(), 0);
    Quit();
}

// Help opens once, however often asked, and Enter or Escape closes it.
TEST_F(ProgramTest, HelpAndDecryptAFileFromTheMenuAndTheMenuFromTheKeyboard) {
    ProgramDriver::Press(program_->MainWindow(), {VK_F10 | ProgramDriver::kShifted});
    ASSERT_TRUE(ProgramDriver::Answer(program_->WaitForWindow("", kMenuClass), VK_ESCAPE))
        << "Shift+F10 opened no menu, or Escape left it open";
    for (const WORD key : {VK_RETURN, VK_ESCAPE}) {
        program_->Command(CMD_HELP);
        program_->Command(CMD_HELP);
        HWND help = program_->WaitForWindow("KVR Decryptor");
        Sleep(300);
        EXPECT_EQ(program_->CountOtherWindows(), 1);
        EXPECT_TRUE(ProgramDriver::Answer(help, key));
        EXPECT_FALSE(IsWindow(help));
    }

    program_->Command(CMD_DECRYPT_FILE);
    HWND dialog = program_->WaitForWindow("", kDialogClass);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program_->MainWindow());
    std::vector<WORD> keys;
    for (const char c : In("picture.bmp"))
        keys.push_back(static_cast<WORD>(VkKeyScanA(c)));
    ProgramDriver::Press(dialog, keys, 15);
    ProgramDriver::Press(dialog, {VK_RETURN});
    EXPECT_TRUE(Decrypted("picture"));
    Quit();
}

}  // namespace
