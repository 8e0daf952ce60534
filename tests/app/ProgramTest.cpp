// KvrDecryptor.exe end to end, driven as a user would: real OLE drags from another process,
// real keys, clicks on its tray icon as the notification area reports them, commands posted as
// its menus send them, files named on its command line, the Appearance dialog through its own
// controls, and what it shows read back from the screen (the success balloon from the shell's
// side: under Wine a tooltip window whose text the tooltip gives out, though not its title).
// Each case starts the program afresh on its own copy of the samples and settings emptied but
// for the user key folder and the window's place, so the cases run alone or in any order. No
// other window may cover the main window or the dialog.
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
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/TrayIcon.h"

namespace {

using kvrtest::Bytes;
using kvrtest::CopyTree;
using kvrtest::ProgramDriver;
using kvrtest::TreeOf;
using kvrtest::WaitUntil;

const char* const kSamples[] = {"letters.enc", "plain.enc", "photo.png", "picture.bmp", "song.wav"};
constexpr char kFolderQuestion[] = "This folder already exists.\nWould you like to overwrite it?";
constexpr char kKeyQuestion[] = "This key file already exists.\nWould you like to overwrite it?";
constexpr char kNotAnArchive[] = "This is not a valid encrypted archive";
// Left of where the dialog and the child windows open (all centred), so none covers it.
constexpr int kStartLeft = 40;
constexpr int kStartTop = 40;
constexpr char kMenuClass[] = "#32768";
// Items of the main menu, top down: each is followed by its partner (the user key folder,
// "Launch On Startup", "Notify When Done").
constexpr size_t kMainKeyFolderItem = 1;
constexpr size_t kAlwaysOnTopItem = 6;
constexpr size_t kOpenLastFolderItem = 9;
constexpr size_t kMenuItems = 13;
constexpr char kDialogClass[] = "#32770";  // the system's dialogs: folder browser, open file
constexpr int kLargeEntries = 400;
constexpr DWORD kLargeEntryBytes = 1u << 20;

// Top-left corners of the Appearance dialog's controls in its client area.
constexpr POINT kMainSlider{20, 35};
constexpr POINT kChildSlider{20, 175};
constexpr POINT kColorSwatch{25, 105};
constexpr POINT kColorButton{80, 105};
constexpr POINT kDefaultButton{175, 105};
constexpr POINT kOkButton{70, 220};
constexpr POINT kCancelButton{165, 220};

COLORREF ScreenPixel(POINT point) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

int Brightness(COLORREF colour) {
    return std::min({GetRValue(colour), GetGValue(colour), GetBValue(colour)});
}

// Without a compositor a layered window reaches the screen blended onto black: every channel
// scaled by the window's opacity.
bool ShowsScaled(POINT point, COLORREF full, int opacity) {
    const COLORREF seen = ScreenPixel(point);
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(int(seen >> shift & 0xFF) - int(full >> shift & 0xFF) * opacity / 255));
    return worst <= 3;
}

HWND ControlAt(HWND dialog, POINT topLeft) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.left == topLeft.x && rect.top == topLeft.y)
            return child;
    }
    return nullptr;
}

// Whether `upper` comes before `lower` in the order of the top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == upper || window == lower)
            return window == upper;
    }
    return false;
}

bool Click(HWND dialog, POINT button) {
    HWND control = ControlAt(dialog, button);
    return control && PostMessageA(control, BM_CLICK, 0, 0);
}

// Moves a slider as a drag would: the thumb, then the scroll notification to the dialog.
void Slide(HWND dialog, POINT slider, int position) {
    HWND control = ControlAt(dialog, slider);
    SendMessageA(control, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(control));
}

COLORREF SwatchPixel(HWND dialog) {
    POINT centre{kColorSwatch.x + 25, kColorSwatch.y + 12};
    ClientToScreen(dialog, &centre);
    return ScreenPixel(centre);
}

// Whether a visible tooltip window of any process shows the text: the shell's balloons are
// such windows.
bool TipShown(const std::string& wanted) {
    return kvrtest::FindTopWindow([&wanted](HWND window) {
               char text[300] = {};
               DWORD_PTR length = 0;
               return IsWindowVisible(window) && kvrtest::ClassOf(window) == "tooltips_class32" &&
                      SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                                          2000, &length) &&
                      wanted == text;
           }) != nullptr;
}

int CountTempFiles() {
    FileSystem files;
    StringList entries;
    files.ListFolder(files.TempFolder() + "tmp*", entries, FileSystem::kListFiles);
    return entries.Count();
}

// What the engine itself writes for a source, made in-process as the reference.
bool DecryptInProcess(const std::string& source, const std::string& keys, const std::string& output) {
    DecryptRequest request;
    request.keyFolder = keys.c_str();
    request.sourcePath = source.c_str();
    request.outputFolder = output.c_str();
    return DecryptFile(request);
}

// An archive of kLargeEntries stored entries of kLargeEntryBytes zero bytes each, written a
// block at a time (too large to build in memory): long enough to be cancelled while it is
// written, with a progress event after every entry where the cancel takes effect.
bool WriteLargeArchive(const std::string& path, const Bytes& key) {
    kvrtest::ArchiveSpec spec;
    spec.keyName = "project.key";
    spec.entries.resize(kLargeEntries);
    const Bytes header = kvrtest::BuildHeader(spec);
    const Bytes zeros(kLargeEntryBytes, 0);
    FILE* file = key.empty() ? nullptr : fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(header.data(), 1, header.size(), file) == header.size();
    size_t at = 0;  // position in the key-added body
    for (int entry = 0; ok && entry < kLargeEntries; entry++) {
        Bytes block = kvrtest::BytesOf("large" + std::to_string(entry) + ".bin\r\n");
        kvrtest::AppendU32(block, kLargeEntryBytes);
        kvrtest::AppendU32(block, kvrtest::Crc32Of(zeros));
        block.insert(block.end(), zeros.begin(), zeros.end());
        for (uint8_t& byte : block)
            byte = static_cast<uint8_t>(byte + key[at++ % key.size()]);
        ok = fwrite(block.data(), 1, block.size(), file) == block.size();
    }
    return fclose(file) == 0 && ok;
}

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
    void WatchBrightPixel() {
        Sleep(1000);
        RECT frame{};
        GetWindowRect(program_->MainWindow(), &frame);
        for (int y = frame.top + 4; y < frame.bottom - 4; y += 5) {
            for (int x = frame.left + 4; x < frame.right - 4; x += 5) {
                const COLORREF pixel = ScreenPixel(POINT{x, y});
                if (Brightness(pixel) > Brightness(opaque_)) {
                    watched_ = POINT{x, y};
                    opaque_ = pixel;
                }
            }
        }
        ASSERT_GE(Brightness(opaque_), 120) << "no bright point";
    }

    // Opens the Appearance dialog by its menu command: modal over the main window.
    HWND OpenDialog() {
        program_->Command(CMD_APPEARANCE);
        HWND dialog = program_->WaitForWindow("Appearance", 10000);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), program_->MainWindow());
        EXPECT_FALSE(IsWindowEnabled(program_->MainWindow()));
        return dialog;
    }

    // Drops a large archive and waits until the engine works on it (its temporary files).
    void StartLargeDecryption(int& tempFilesBefore) {
        ASSERT_TRUE(WriteLargeArchive(In("large.enc"), kvrtest::ReadFileBytes(In("Keys\\project.key"))));
        tempFilesBefore = CountTempFiles();
        ASSERT_EQ(program_->Drop({In("large.enc")}), 0);
        ASSERT_TRUE(WaitUntil([&] { return CountTempFiles() > tempFilesBefore; }, 10000));
    }
    bool RanToItsEnd() const {
        return kvrtest::Exists(Output("large") + "large" + std::to_string(kLargeEntries - 1) + ".bin");
    }

    kvrtest::ScratchFolder scratch_;
    std::unique_ptr<ProgramDriver> program_;
    POINT watched_{};
    COLORREF opaque_ = 0;
};

TEST_F(ProgramTest, OpensWhereItWasLeftAndQuitKeepsPlaceAndSoundSwitch) {
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(program_->MainWindow(), &rect));
    EXPECT_EQ(rect.left, kStartLeft);
    EXPECT_EQ(rect.top, kStartTop);
    EXPECT_TRUE(GetWindowLongA(program_->MainWindow(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongA(program_->MainWindow(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

    ASSERT_TRUE(SetWindowPos(program_->MainWindow(), nullptr, kStartLeft + 120, kStartTop + 60, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    program_->Command(CMD_SOUNDS);
    program_->Command(CMD_QUIT);
    EXPECT_EQ(program_->WaitForExit(20000), 0);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowPositionValue),
              PackWindowPosition(kStartLeft + 120, kStartTop + 60));
    EXPECT_FALSE(ReadSoundsOn());
}

TEST_F(ProgramTest, AppearancePreviewsTheOpacityAndCancelUndoesIt) {
    ASSERT_NO_FATAL_FAILURE(WatchBrightPixel());
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    // Empty settings: the defaults.
    EXPECT_EQ(SendMessageA(ControlAt(dialog, kMainSlider), TBM_GETPOS, 0, 0), 255);
    EXPECT_EQ(SendMessageA(ControlAt(dialog, kChildSlider), TBM_GETPOS, 0, 0), 232);

    // Home on the slider itself (its own key handling and notification), then a drag's end.
    PostMessageA(ControlAt(dialog, kMainSlider), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_TRUE(WaitUntil([this] { return ShowsScaled(watched_, opaque_, 0); }, 3000)) << "invisible at 0";
    Slide(dialog, kMainSlider, 128);
    EXPECT_TRUE(WaitUntil([this] { return ShowsScaled(watched_, opaque_, 128); }, 3000)) << "half at 128";
    // The child-window slider previews nothing.
    Slide(dialog, kChildSlider, 10);
    Sleep(300);
    EXPECT_TRUE(ShowsScaled(watched_, opaque_, 128));

    ASSERT_TRUE(Click(dialog, kCancelButton) && kvrtest::WaitGone(dialog));
    EXPECT_TRUE(WaitUntil([this] { return ShowsScaled(watched_, opaque_, 255); }, 3000)) << "not restored";
    EXPECT_TRUE(IsWindowEnabled(program_->MainWindow()));
    for (const char* value : {kWindowOpacityValue, kChildColorValue, kChildOpacityValue})
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, value), 0u) << value << " written on cancel";
}

TEST_F(ProgramTest, AppearanceOpensAloneAndOkStoresItsValues) {
    ASSERT_NO_FATAL_FAILURE(WatchBrightPixel());
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    // Neither a second command nor a right click opens anything over the running dialog.
    program_->Command(CMD_APPEARANCE);
    PostMessageA(program_->MainWindow(), WM_RBUTTONDOWN, 0, MAKELPARAM(60, 80));
    Sleep(800);
    EXPECT_EQ(program_->CountOtherWindows(), 1);
    EXPECT_EQ(program_->CountOtherWindows("#32768"), 0) << "a menu over the dialog";

    // The colour chooser, owned by the dialog, starts at the swatch's colour with the custom
    // part open for good; the chosen colour shows at once.
    ASSERT_TRUE(Click(dialog, kColorButton));
    HWND chooser = nullptr;
    const auto owned = [dialog](HWND window) {
        return IsWindowVisible(window) && GetWindow(window, GW_OWNER) == dialog;
    };
    ASSERT_TRUE(WaitUntil([&] { return (chooser = kvrtest::FindTopWindow(owned)) != nullptr; }, 10000));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(chooser, COLOR_ADD)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(chooser, COLOR_MIX)));
    const int channels[] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(GetDlgItemInt(chooser, channels[i], nullptr, FALSE), RGB(0xE1, 0xFF, 0xFF) >> (8 * i) & 0xFF);
        SetDlgItemInt(chooser, channels[i], 16 * (i + 1), FALSE);
    }
    PostMessageA(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(kvrtest::WaitGone(chooser));
    EXPECT_TRUE(WaitUntil([&] { return SwatchPixel(dialog) == RGB(16, 32, 48); }, 3000))
        << std::hex << SwatchPixel(dialog);

    ASSERT_TRUE(Click(dialog, kDefaultButton));
    EXPECT_TRUE(WaitUntil([&] { return SwatchPixel(dialog) == RGB(0xE1, 0xFF, 0xFF); }, 3000));
    Slide(dialog, kMainSlider, 180);
    SendMessageA(ControlAt(dialog, kChildSlider), TBM_SETPOS, TRUE, 200);
    ASSERT_TRUE(Click(dialog, kOkButton) && kvrtest::WaitGone(dialog));
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowOpacityValue), 181u);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kChildColorValue), 0xFFFFE1u + 1);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kChildOpacityValue), 201u);
    EXPECT_TRUE(WaitUntil([this] { return ShowsScaled(watched_, opaque_, 180); }, 3000));
}

TEST_F(ProgramTest, DecryptsEachSampleKindButNotTwoFilesAtOnceAndTellsWhatIsWrongWithABadFile) {
    EXPECT_EQ(program_->Drop({In("plain.enc"), In("song.wav")}, 1), 1);
    EXPECT_EQ(program_->CountOtherWindows(), 0);
    ASSERT_EQ(program_->Drop({In("broken.enc")}), 0);
    EXPECT_TRUE(ProgramDriver::Answer(program_->WaitForWindow(kNotAnArchive), VK_RETURN));
    EXPECT_FALSE(kvrtest::Exists(Output("broken")));
    for (const std::string sample : kSamples) {
        SCOPED_TRACE(sample);
        const std::string title = sample.substr(0, sample.find('.'));
        ASSERT_TRUE(DecryptInProcess(In(sample), In("Keys\\"), scratch_.PathOf("expected\\")));
        const std::map<std::string, std::string> expected = TreeOf(scratch_.PathOf("expected\\" + title + "\\"));
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(program_->Drop({In(sample)}), 0);
        EXPECT_TRUE(WaitUntil([&] { return TreeOf(Output(title)) == expected; }, 20000));
    }
}

TEST_F(ProgramTest, AsksBeforeOverwritingAnOutputFolder) {
    ASSERT_TRUE(DecryptInProcess(In("letters.enc"), In("Keys\\"), In("")));
    const std::string readme = Output("letters") + "readme.txt";
    const Bytes original = kvrtest::ReadFileBytes(readme);
    ASSERT_FALSE(original.empty());
    ASSERT_TRUE(kvrtest::WriteFileBytes(readme, kvrtest::BytesOf("changed")));
    for (const WORD key : {VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "Escape" : "Enter");
        ASSERT_EQ(program_->Drop({In("letters.enc")}), 0);
        HWND question = program_->WaitForWindow(kFolderQuestion);
        ASSERT_NE(question, nullptr);
        if (key == VK_ESCAPE) {
            // While the request waits for its answer, another drop and closing are refused.
            EXPECT_EQ(program_->Drop({In("plain.enc")}, 1), 1);
            PostMessageA(program_->MainWindow(), WM_CLOSE, 0, 0);
            Sleep(300);
            EXPECT_TRUE(program_->IsRunning());
            EXPECT_TRUE(IsWindowVisible(program_->MainWindow()));
        }
        EXPECT_TRUE(ProgramDriver::Answer(question, key));
        const Bytes wanted = key == VK_ESCAPE ? kvrtest::BytesOf("changed") : original;
        EXPECT_TRUE(WaitUntil([&] { return kvrtest::ReadFileBytes(readme) == wanted; }, 10000));
    }
}

TEST_F(ProgramTest, ImportsADroppedKeyAndAsksBeforeReplacingOne) {
    const Bytes first = kvrtest::PatternBytes(40, 11);
    ASSERT_TRUE(kvrtest::WriteFileBytes(In("fresh.key"), first));
    ASSERT_EQ(program_->Drop({In("fresh.key")}), 0);
    EXPECT_TRUE(WaitUntil([&] { return kvrtest::ReadFileBytes(In("Keys\\fresh.key")) == first; }, 10000));

    const Bytes second = kvrtest::PatternBytes(52, 12);
    ASSERT_TRUE(kvrtest::WriteFileBytes(In("fresh.key"), second));
    ASSERT_EQ(program_->Drop({In("fresh.key")}), 0);
    EXPECT_TRUE(ProgramDriver::Answer(program_->WaitForWindow(kKeyQuestion), VK_RETURN));
    EXPECT_TRUE(WaitUntil([&] { return kvrtest::ReadFileBytes(In("Keys\\fresh.key")) == second; }, 10000));
}

TEST_F(ProgramTest, CancelInTheBusyMenuStopsALongDecryption) {
    int tempFilesBefore = 0;
    ASSERT_NO_FATAL_FAILURE(StartLargeDecryption(tempFilesBefore));
    HWND menu = program_->OpenMenu();
    Sleep(300);  // drawn
    EXPECT_EQ(ProgramDriver::MarksOf(menu), "-") << "the busy menu offers more than Cancel";
    ProgramDriver::Press(program_->MainWindow(), {VK_DOWN, VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return CountTempFiles() == tempFilesBefore; }, 30000));
    Sleep(1000);
    EXPECT_EQ(program_->CountOtherWindows(), 0);
    EXPECT_FALSE(RanToItsEnd());
}

// Logging off ends the process soon after the window has answered the end of the session.
TEST_F(ProgramTest, EndOfTheSessionDuringADecryptionLeavesNoTemporaryFile) {
    int tempFilesBefore = 0;
    ASSERT_NO_FATAL_FAILURE(StartLargeDecryption(tempFilesBefore));
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(program_->MainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer));
    ASSERT_TRUE(SendMessageTimeoutA(program_->MainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &answer));
    EXPECT_EQ(CountTempFiles(), tempFilesBefore);
    EXPECT_FALSE(RanToItsEnd());
}

TEST_F(ProgramTest, UserKeyFolderIsChosenInTheBrowserWhichTheWindowDoesNotLeave) {
    HWND main = program_->MainWindow();
    program_->Command(CMD_USER_KEY_FOLDER);
    HWND browser = program_->WaitForWindow("", 10000, kDialogClass);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(GetWindow(browser, GW_OWNER), main);
    // Closing, quitting and the other dialogs all wait for the browser.
    PostMessageA(main, WM_CLOSE, 0, 0);
    for (const WPARAM command : {CMD_QUIT, CMD_USER_KEY_FOLDER, CMD_APPEARANCE})
        program_->Command(command);
    Sleep(800);
    EXPECT_TRUE(program_->IsRunning() && IsWindowVisible(main));
    EXPECT_EQ(program_->CountOtherWindows(kDialogClass), 1);
    EXPECT_EQ(program_->CountOtherWindows(), 0);

    // The browser opens at the active folder: its sub-folder is chosen.
    ProgramDriver::Press(browser, {VK_RIGHT, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(kvrtest::WaitGone(browser));
    EXPECT_STRCASEEQ(ReadUserKeyFolder().Text(), In("Keys\\friends\\").c_str());
    EXPECT_EQ(program_->MenuMarks().substr(kMainKeyFolderItem, 2), "-v");
    program_->Command(CMD_MAIN_KEY_FOLDER);
    EXPECT_EQ(program_->MenuMarks().substr(kMainKeyFolderItem, 2), "v-");
    EXPECT_STREQ(ReadUserKeyFolder().Text(), "");
}

// The marks follow the folder start-up made active, not the stored text.
TEST_F(ProgramTest, KeyFolderMarksAtStartUp) {
    const struct {
        std::string stored;
        const char* marks;
    } cases[] = {{In("Keys\\"), "-v"}, {"", "v-"}, {"C:\\", "v-"}};
    for (const auto& c : cases) {
        WriteUserKeyFolder(c.stored.c_str());
        ASSERT_TRUE(Restart());
        EXPECT_EQ(program_->MenuMarks().substr(kMainKeyFolderItem, 2), c.marks) << c.stored;
    }
}

TEST_F(ProgramTest, TrayClicksRaiseHideShowAndOpenTheMenu) {
    HWND main = program_->MainWindow();
    HWND tray = program_->TrayWindow();
    ASSERT_NE(tray, nullptr);
    const auto click = [tray](UINT mouseMessage) { PostMessageA(tray, WM_SWND_TRAYCALLBACK, 0, mouseMessage); };
    WaitUntil([] { return false; }, 1000);  // start-up, which activates the window, is over
    RECT frame{};
    GetWindowRect(main, &frame);
    // Shown without taking the focus, whose arrival would raise it again later.
    HWND cover = CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "cover", WS_POPUP, frame.left, frame.top, 130, 175,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_TRUE(IsAbove(cover, main));
    click(WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return IsAbove(main, cover); }, 3000)) << "not raised";
    DestroyWindow(cover);

    // A double click and "Hide/Show Window" each hide the window, then show it again.
    for (const bool command : {false, true}) {
        for (const bool shown : {false, true}) {
            command ? program_->Command(CMD_HIDE_SHOW) : click(WM_LBUTTONDBLCLK);
            EXPECT_TRUE(WaitUntil([&] { return (IsWindowVisible(main) != 0) == shown; }, 3000)) << command;
        }
    }
    click(WM_RBUTTONUP);
    EXPECT_TRUE(ProgramDriver::Answer(program_->WaitForWindow("", 5000, kMenuClass), VK_ESCAPE));
}

TEST_F(ProgramTest, AlwaysOnTopAndLaunchOnStartupAreStoredAndMarked) {
    const std::string program = kvrtest::WindowsPath(KVR_PROGRAM_EXE);
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
    const auto lastFolderMarks = [this] {
        const std::string marks = program_->MenuMarks();
        EXPECT_EQ(marks.size(), kMenuItems) << marks;
        return marks.substr(std::min(kOpenLastFolderItem, marks.size()), 2);
    };
    EXPECT_EQ(lastFolderMarks(), "xv");
    ASSERT_EQ(program_->Drop({In("letters.enc")}), 0);
    EXPECT_TRUE(WaitUntil([] { return TipShown("5 files in letters\\"); }, 20000));
    EXPECT_EQ(lastFolderMarks(), "-v");

    HWND tray = program_->TrayWindow();
    ASSERT_NE(tray, nullptr);
    PostMessageA(tray, WM_SWND_TRAYCALLBACK, TrayIcon::kIconId, NIN_BALLOONUSERCLICK);
    HWND folder = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] { return (folder = kvrtest::FindShownWindow(0, "letters", "ExplorerWClass")) != nullptr; }, 15000));
    PostMessageA(folder, WM_CLOSE, 0, 0);
    EXPECT_TRUE(kvrtest::WaitGone(folder));
    ASSERT_TRUE(kvrtest::ScratchFolder::RemoveTree(Output("letters")));
    EXPECT_EQ(lastFolderMarks(), "xv");

    program_->Command(CMD_NOTIFY_WHEN_DONE);
    EXPECT_TRUE(WaitUntil([] { return ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kNotifyDoneValue) == 1; }, 5000));
    EXPECT_EQ(lastFolderMarks(), "x-");
    ASSERT_EQ(program_->Drop({In("plain.enc")}), 0);
    ASSERT_TRUE(WaitUntil([&] { return kvrtest::Exists(Output("plain") + "story.txt"); }, 20000));
    Sleep(1500);  // time for a balloon that should not come
    EXPECT_FALSE(TipShown("5 files in plain\\"));
    EXPECT_EQ(lastFolderMarks(), "--");
}

// Opening files the Windows way: a file named on the command line, one a later start hands to
// the running program, the "Decrypt a File..." dialog answered from the keyboard.
TEST_F(ProgramTest, TakesTheFileNamedOnItsCommandLineAsADrop) {
    {
        SCOPED_TRACE("an archive");
        ASSERT_TRUE(Restart(Quoted("letters.enc")));
        EXPECT_TRUE(Decrypted("letters"));
        Quit();
    }
    {
        SCOPED_TRACE("a broken file");
        ASSERT_TRUE(Restart(Quoted("broken.enc")));
        EXPECT_TRUE(ProgramDriver::Answer(program_->WaitForWindow(kNotAnArchive), VK_RETURN));
        Quit();
    }
    {
        SCOPED_TRACE("two files");
        ASSERT_TRUE(Restart(Quoted("plain.enc") + " " + Quoted("song.wav")));
        Sleep(3000);
        EXPECT_FALSE(kvrtest::Exists(In("plain"))) << "two files are refused as a drop of two is";
        EXPECT_FALSE(kvrtest::Exists(In("song")));
        EXPECT_EQ(program_->CountOtherWindows(), 0);
        Quit();
    }
}

TEST_F(ProgramTest, ALaterStartHandsItsFileToTheRunningProgram) {
    const auto secondStart = [&](const std::string& file) {
        HANDLE second = kvrtest::StartProgram(KVR_PROGRAM_EXE, Quoted(file));
        const int code = second ? kvrtest::WaitForExitCode(second, 10000) : -2;
        if (second)
            CloseHandle(second);
        return code;
    };
    EXPECT_EQ(secondStart("letters.enc"), 0);
    EXPECT_TRUE(Decrypted("letters"));
    EXPECT_TRUE(program_->IsRunning());

    // While the running program works on a file (here it asks about the existing folder), a
    // handed file is refused and the first request ends as it would have.
    Sleep(1500);
    ASSERT_EQ(program_->Drop({In("letters.enc")}), 0);
    HWND question = program_->WaitForWindow(kFolderQuestion);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(secondStart("plain.enc"), 0);
    EXPECT_TRUE(ProgramDriver::Answer(question, VK_RETURN));
    Sleep(3000);
    EXPECT_FALSE(kvrtest::Exists(In("plain"))) << "a file handed over while busy was taken";
    EXPECT_EQ(program_->CountOtherWindows(), 0);
    Quit();
}

TEST_F(ProgramTest, DecryptAFileFromTheMenuAndTheMenuFromTheKeyboard) {
    ProgramDriver::Press(program_->MainWindow(), {VK_F10 | ProgramDriver::kShifted});
    ASSERT_TRUE(ProgramDriver::Answer(program_->WaitForWindow("", 5000, kMenuClass), VK_ESCAPE))
        << "Shift+F10 opened no menu, or Escape left it open";

    program_->Command(CMD_DECRYPT_FILE);
    HWND dialog = program_->WaitForWindow("", 10000, kDialogClass);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program_->MainWindow());
    ProgramDriver::Type(dialog, In("picture.bmp"));
    ProgramDriver::Press(dialog, {VK_RETURN});
    EXPECT_TRUE(Decrypted("picture"));
    Quit();
}

TEST_F(ProgramTest, HelpOpensOnceAndEnterOrEscapeClosesIt) {
    for (const WORD key : {VK_RETURN, VK_ESCAPE}) {
        program_->Command(CMD_HELP);
        program_->Command(CMD_HELP);
        HWND help = program_->WaitForWindow("KVR Decryptor");
        Sleep(300);
        EXPECT_EQ(program_->CountOtherWindows(), 1);
        EXPECT_TRUE(ProgramDriver::Answer(help, key));
        EXPECT_FALSE(IsWindow(help));
    }
    EXPECT_TRUE(program_->IsRunning());
}

}  // namespace
