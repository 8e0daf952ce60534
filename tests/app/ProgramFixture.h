// ProgramTest: the fixture of the program's end-to-end tests, and what its cases share. Each
// case starts KvrDecryptor.exe afresh on its own copy of the samples and settings emptied but
// for the user key folder and the window's place, so the cases run alone or in any order. No
// other window may cover the main window or the dialog. Test support only.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <colordlg.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "app/MainWindow.h"
#include "engine/DecryptFile.h"
#include "settings/Autostart.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/TextCodec.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/TrayIcon.h"

namespace kvrtest {

inline const char* const kSamples[] = {"letters.enc", "plain.enc", "photo.png", "picture.bmp", "song.wav"};
inline constexpr char kFolderQuestion[] = "This folder already exists.\nWould you like to overwrite it?";
inline constexpr char kKeyQuestion[] = "This key file already exists.\nWould you like to overwrite it?";
inline constexpr char kNotAnArchive[] = "This is not a valid encrypted archive";
// Left of where the dialog and the child windows open (all centred), so none covers it.
inline constexpr int kStartLeft = 40;
inline constexpr int kStartTop = 40;
inline constexpr char kMenuClass[] = "#32768";
// Items of the main menu, top down: each is followed by its partner (the user key folder,
// "Launch On Startup", "Notify When Done").
inline constexpr size_t kMainKeyFolderItem = 1;
inline constexpr size_t kAlwaysOnTopItem = 6;
inline constexpr size_t kOpenLastFolderItem = 9;
inline constexpr size_t kMenuItems = 13;
inline constexpr char kDialogClass[] = "#32770";  // the system's dialogs: folder browser, open file
inline constexpr int kLargeEntries = 400;
inline constexpr DWORD kLargeEntryBytes = 1u << 20;

// Top-left corners of the Appearance dialog's controls in its client area.
inline constexpr POINT kMainSlider{20, 35};
inline constexpr POINT kChildSlider{20, 175};
inline constexpr POINT kColorSwatch{25, 105};
inline constexpr POINT kColorButton{80, 105};
inline constexpr POINT kDefaultButton{175, 105};
inline constexpr POINT kOkButton{70, 220};
inline constexpr POINT kCancelButton{165, 220};

COLORREF ScreenPixel(POINT point);
int Brightness(COLORREF colour);
// Without a compositor a layered window reaches the screen blended onto black: every channel
// scaled by the window's opacity.
bool ShowsScaled(POINT point, COLORREF full, int opacity);
HWND ControlAt(HWND dialog, POINT topLeft);
// Whether `upper` comes before `lower` in the order of the top-level windows.
bool IsAbove(HWND upper, HWND lower);
bool Click(HWND dialog, POINT button);
// Moves a slider as a drag would: the thumb, then the scroll notification to the dialog.
void Slide(HWND dialog, POINT slider, int position);
COLORREF SwatchPixel(HWND dialog);
// Whether a visible tooltip window of any process shows the text: the shell's balloons are
// such windows.
bool TipShown(const std::string& wanted);
int CountTempFiles();
// What the engine itself writes for a source, made in-process as the reference.
bool DecryptInProcess(const std::string& source, const std::string& keys, const std::string& output);
// An archive of kLargeEntries stored entries of kLargeEntryBytes zero bytes each, written a
// block at a time (too large to build in memory): long enough to be cancelled while it is
// written, with a progress event after every entry where the cancel takes effect.
bool WriteLargeArchive(const std::string& path, const Bytes& key);

class ProgramTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(GraphicsStartup()); }
    static void TearDownTestSuite() { GraphicsShutdown(); }
    void SetUp() override {
        ClearSettings();
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_NO_FATAL_FAILURE(CopyTree(kvrtest::WindowsPath(KVR_SOURCE_DIR "/samples/"), In("")));
        ASSERT_TRUE(kvrtest::WriteFileBytes(In("broken.enc"), kvrtest::BytesOf("this is no archive at all")));
        WriteUserKeyFolder(In("Keys\\").c_str());
        WriteWindowPosition(kStartLeft, kStartTop);
        ASSERT_TRUE(Restart());
    }
    void TearDown() override {
        program_.reset();
        ClearSettings();
    }

    // The settings key and the autostart values of the test prefix, all gone.
    static void ClearSettings() {
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        (void)SetAutostart(false, "");
    }
    // Ends the running program, if any, and starts it afresh with the arguments.
    bool Restart(const std::string& arguments = "") {
        program_.reset();
        program_ = std::make_unique<ProgramDriver>();
        return program_->Start(KVR_PROGRAM_EXE, arguments);
    }
    // Quits the program by its menu command once the closing animations of the last request
    // are over; it ends cleanly.
    void Quit() {
        Sleep(1500);
        program_->Command(CMD_QUIT);
        EXPECT_EQ(program_->WaitForExit(20000), 0);
    }
    std::string In(const std::string& name) const { return scratch_.PathOf("in\\" + name); }
    std::string Quoted(const std::string& name) const { return "\"" + In(name) + "\""; }
    std::string Output(const std::string& title) const { return In(title + "\\"); }
    bool Decrypted(const std::string& title) const {
        return WaitUntil([&] { return !TreeOf(Output(title)).empty(); }, 20000);
    }

    // Once the opening animation is over: the brightest point of the opaque main window, the
    // one the opacity checks watch.
    void WatchBrightPixel();

    // Opens the Appearance dialog by its menu command: modal over the main window.
    HWND OpenDialog();

    // Drops a large archive and waits until the engine works on it (its temporary files).
    void StartLargeDecryption(int& tempFilesBefore);
    bool RanToItsEnd() const {
        return kvrtest::Exists(Output("large") + "large" + std::to_string(kLargeEntries - 1) + ".bin");
    }

    kvrtest::ScratchFolder scratch_;
    std::unique_ptr<ProgramDriver> program_;
    POINT watched_{};
    COLORREF opaque_ = 0;
};

}  // namespace kvrtest
