// ProgramTest: the fixture of the program's end-to-end tests, and what its cases share. Each
// case starts KvrDecryptor.exe afresh on its own copy of the samples and settings emptied but
// for the user key folder and the window's place, so the cases run alone or in any order. No
// other window may cover the main window or the dialog. Test support only.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/MainWindow.h"
#include "engine/DecryptFile.h"
#include "engine/RequestEvents.h"
#include "settings/Autostart.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/TextCodec.h"
#include "toolkit/window/Messages.h"

namespace kvrtest {

inline constexpr char kFolderQuestion[] = "This folder already exists.\nWould you like to overwrite it?";
// Left of where the dialog and the child windows open (all centred), so none covers it.
inline constexpr int kStartLeft = 40;
inline constexpr int kStartTop = 40;
// Items of the main menu, top down: each is followed by its partner (the user key folder,
// "Launch On Startup", "Notify When Done").
inline constexpr size_t kMainKeyFolderItem = 1;
inline constexpr size_t kAlwaysOnTopItem = 6;
inline constexpr size_t kOpenLastFolderItem = 9;
inline constexpr char kDialogClass[] = "#32770";  // the system's dialogs: folder browser, open file

// Top-left corners of the Appearance dialog's controls in its client area.
inline constexpr POINT kMainSlider{20, 35};
inline constexpr POINT kChildSlider{20, 175};
inline constexpr POINT kColorSwatch{25, 105};
inline constexpr POINT kColorButton{80, 105};
inline constexpr POINT kDefaultButton{175, 105};
inline constexpr POINT kOkButton{70, 220};
inline constexpr POINT kCancelButton{165, 220};

inline HWND ControlAt(HWND dialog, POINT topLeft) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.left == topLeft.x && rect.top == topLeft.y)
            return child;
    }
    return nullptr;
}

inline bool Click(HWND dialog, POINT button) {
    HWND control = ControlAt(dialog, button);
    return control && PostMessageA(control, BM_CLICK, 0, 0);
}

// Moves a slider as a drag would: the thumb, then the scroll notification to the dialog.
inline void Slide(HWND dialog, POINT slider, int position) {
    HWND control = ControlAt(dialog, slider);
    SendMessageA(control, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(control));
}

// Whether a visible tooltip window of any process shows the text: the shell's balloons are
// such windows.
inline bool TipShown(const std::string& wanted) {
    return FindTopWindow([&wanted](HWND window) {
               wchar_t text[300] = {};
               DWORD_PTR length = 0;
               return IsWindowVisible(window) && ClassOf(window) == "tooltips_class32" &&
                      SendMessageTimeoutW(window, WM_GETTEXT, 300, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                                          &length) &&
                      wanted == Utf8FromWide(text).Text();
           }) != nullptr;
}

// What the engine itself writes for a source, made in-process as the reference.
inline bool DecryptInProcess(const std::string& source, const std::string& keys, const std::string& output) {
    DecryptRequest request{keys.c_str(), source.c_str(), output.c_str()};
    return DecryptFile(request);
}

class ProgramTest : public testing::Test {
protected:
    void SetUp() override {
        ClearSettings();
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_NO_FATAL_FAILURE(CopyTree(WindowsPath(KVR_SOURCE_DIR "/samples/"), In("")));
        ASSERT_TRUE(WriteFileBytes(In("broken.enc"), BytesOf("this is no archive at all")));
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
    std::string Output(const std::string& title) const { return In(title + "\\"); }
    bool Decrypted(const std::string& title) const {
        return WaitUntil([&] { return !TreeOf(Output(title)).empty(); }, 20000);
    }
    // Opens the Appearance dialog by its menu command: modal over the main window.
    HWND OpenDialog() {
        program_->Command(CMD_APPEARANCE);
        HWND dialog = program_->WaitForWindow("Appearance");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), program_->MainWindow());
        EXPECT_FALSE(IsWindowEnabled(program_->MainWindow()));
        return dialog;
    }

    ScratchFolder scratch_;
    std::unique_ptr<ProgramDriver> program_;
};

}  // namespace kvrtest
