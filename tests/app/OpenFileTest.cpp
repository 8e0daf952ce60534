// KvrDecryptor.exe opening files the Windows way: a file named on its command line, a file a
// later start hands to the running program, the "Decrypt a File..." dialog answered from the
// keyboard, and the menu opened from the keyboard. Each case starts its own program.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "settings/Settings.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"

namespace {

using kvrtest::ProgramDriver;
using kvrtest::TreeOf;
using kvrtest::WaitUntil;

constexpr char kNotAnArchive[] = "This is not a valid encrypted archive";
constexpr char kFolderQuestion[] = "This folder already exists.\nWould you like to overwrite it?";

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// A shown top-level window of the process with this class; null when none.
HWND ShownWindowOfClass(HWND sameProcessAs, const std::string& className) {
    DWORD process = 0;
    GetWindowThreadProcessId(sameProcessAs, &process);
    return kvrtest::FindTopWindow([&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == process && IsWindowVisible(window) && ClassOf(window) == className;
    });
}

// Real key presses to whatever has the keyboard: each character as the layout types it.
void PressKey(WORD key, bool shift = false) {
    if (shift)
        keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    if (shift)
        keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    Sleep(15);
}

void Type(const std::string& text) {
    for (const char c : text) {
        const SHORT scan = VkKeyScanA(c);
        PressKey(LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
    }
}

class OpenFileTest : public testing::Test {
protected:
    void SetUp() override {
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_NO_FATAL_FAILURE(kvrtest::CopyTree(kvrtest::WindowsPath(KVR_SOURCE_DIR "/samples/"), In("")));
        ASSERT_TRUE(kvrtest::WriteFileBytes(In("broken.enc"), kvrtest::BytesOf("plain text, not an archive")));
        WriteUserKeyFolder(In("Keys\\").c_str());
        WriteWindowPosition(40, 40);
    }
    void TearDown() override { (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }

    std::string In(const std::string& name) const { return scratch_.PathOf("in\\" + name); }
    std::string Quoted(const std::string& name) const { return "\"" + In(name) + "\""; }
    bool Decrypted(const std::string& title) const {
        return WaitUntil([&] { return !TreeOf(In(title + "\\")).empty(); }, 20000);
    }
    static void Quit(ProgramDriver& program) {
        Sleep(1500);  // the closing animations of the last request
        program.Command(CMD_QUIT);
        EXPECT_EQ(program.WaitForExit(20000), 0);
    }

    kvrtest::ScratchFolder scratch_;
};

TEST_F(OpenFileTest, TakesTheFileNamedOnItsCommandLineAsADrop) {
    {
        SCOPED_TRACE("an archive");
        ProgramDriver program;
        ASSERT_TRUE(program.Start(KVR_PROGRAM_EXE, Quoted("letters.enc")));
        EXPECT_TRUE(Decrypted("letters"));
        Quit(program);
    }
    {
        SCOPED_TRACE("a broken file");
        ProgramDriver program;
        ASSERT_TRUE(program.Start(KVR_PROGRAM_EXE, Quoted("broken.enc")));
        EXPECT_TRUE(ProgramDriver::Answer(program.WaitForWindow(kNotAnArchive), VK_RETURN));
        Quit(program);
    }
    {
        SCOPED_TRACE("two files");
        ProgramDriver program;
        ASSERT_TRUE(program.Start(KVR_PROGRAM_EXE, Quoted("plain.enc") + " " + Quoted("song.wav")));
        Sleep(3000);
        EXPECT_FALSE(kvrtest::Exists(In("plain"))) << "two files are refused as a drop of two is";
        EXPECT_FALSE(kvrtest::Exists(In("song")));
        EXPECT_EQ(program.CountOtherWindows(), 0);
        Quit(program);
    }
}

TEST_F(OpenFileTest, ALaterStartHandsItsFileToTheRunningProgram) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(KVR_PROGRAM_EXE));
    const auto secondStart = [&](const std::string& file) {
        HANDLE second = kvrtest::StartProgram(KVR_PROGRAM_EXE, Quoted(file));
        const int code = second ? kvrtest::WaitForExitCode(second, 10000) : -2;
        if (second)
            CloseHandle(second);
        return code;
    };
    EXPECT_EQ(secondStart("letters.enc"), 0);
    EXPECT_TRUE(Decrypted("letters"));
    EXPECT_TRUE(program.IsRunning());

    // While the running program works on a file (here it asks about the existing folder), a
    // handed file is refused and the first request ends as it would have.
    Sleep(1500);
    ASSERT_EQ(program.Drop({In("letters.enc")}), 0);
    HWND question = program.WaitForWindow(kFolderQuestion);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(secondStart("plain.enc"), 0);
    EXPECT_TRUE(ProgramDriver::Answer(question, VK_RETURN));
    Sleep(3000);
    EXPECT_FALSE(kvrtest::Exists(In("plain"))) << "a file handed over while busy was taken";
    EXPECT_EQ(program.CountOtherWindows(), 0);
    Quit(program);
}

TEST_F(OpenFileTest, DecryptAFileFromTheMenuAndTheMenuFromTheKeyboard) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(KVR_PROGRAM_EXE));
    SetForegroundWindow(program.MainWindow());
    Sleep(200);
    PressKey(VK_F10, true);
    EXPECT_TRUE(WaitUntil([&] { return ShownWindowOfClass(program.MainWindow(), "#32768") != nullptr; }, 5000))
        << "Shift+F10 opened no menu";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return ShownWindowOfClass(program.MainWindow(), "#32768") == nullptr; }, 5000));

    program.Command(CMD_DECRYPT_FILE);
    HWND dialog = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (dialog = ShownWindowOfClass(program.MainWindow(), "#32770")) != nullptr; }, 10000));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program.MainWindow());
    SetForegroundWindow(dialog);
    Sleep(300);
    Type(In("picture.bmp"));
    PressKey(VK_RETURN);
    EXPECT_TRUE(Decrypted("picture"));
    Quit(program);
}

}  // namespace
