// KvrDecryptor.exe end to end, started once and driven as a user would: real OLE drags from
// another process, real keys, commands posted as its menus send them, the Appearance dialog
// through its own controls, and what it shows read back from the screen. The registry of the
// test prefix is emptied around the run. The steps share the one run and follow each other in
// this order, and no other window may cover the main window or the dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <colordlg.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "app/ChildWindowPainting.h"
#include "app/MainWindow.h"
#include "engine/DecryptFile.h"
#include "resources/ResourceIds.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"

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
    static void SetUpTestSuite() {
        ASSERT_TRUE(GraphicsStartup());
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        scratch_ = std::make_unique<kvrtest::ScratchFolder>();
        ASSERT_NO_FATAL_FAILURE(CopyTree(kvrtest::WindowsPath(KVR_SOURCE_DIR "/samples/"), In("")));
        for (const char* sample : kSamples)
            ASSERT_TRUE(DecryptInProcess(In(sample), In("Keys\\"), scratch_->PathOf("expected\\"))) << sample;
        WriteUserKeyFolder(In("Keys\\").c_str());
        WriteWindowPosition(kStartLeft, kStartTop);
        program_ = std::make_unique<ProgramDriver>();
        ASSERT_TRUE(program_->Start(KVR_PROGRAM_EXE));
    }
    static void TearDownTestSuite() {
        program_.reset();
        scratch_.reset();
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        GraphicsShutdown();
    }
    void SetUp() override { ASSERT_TRUE(program_ && program_->IsRunning()) << "the program is not running"; }

    static std::string In(const std::string& name) { return scratch_->PathOf("in\\" + name); }
    static std::string Output(const std::string& title) { return In(title + "\\"); }

    // The brightest point of the opaque main window, the one the opacity checks watch.
    static void FindBrightPixel() {
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
    }

    // Opens the Appearance dialog by its menu command: modal over the main window.
    static HWND OpenDialog() {
        program_->Command(CMD_APPEARANCE);
        HWND dialog = program_->WaitForWindow("Appearance", 10000);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), program_->MainWindow());
        EXPECT_FALSE(IsWindowEnabled(program_->MainWindow()));
        return dialog;
    }

    inline static std::unique_ptr<kvrtest::ScratchFolder> scratch_;
    inline static std::unique_ptr<ProgramDriver> program_;
    inline static POINT watched_{};
    inline static COLORREF opaque_ = 0;
};

TEST_F(ProgramTest, OpensWhereItWasLeftWithoutTaskbarButton) {
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(program_->MainWindow(), &rect));
    EXPECT_EQ(rect.left, kStartLeft);
    EXPECT_EQ(rect.top, kStartTop);
    EXPECT_TRUE(GetWindowLongA(program_->MainWindow(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongA(program_->MainWindow(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(ProgramTest, AppearancePreviewsTheOpacityAndCancelUndoesIt) {
    Sleep(1000);  // the opening animation
    FindBrightPixel();
    ASSERT_GE(Brightness(opaque_), 120) << "no bright point";
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    // Empty settings: the defaults.
    EXPECT_EQ(SendMessageA(ControlAt(dialog, kMainSlider), TBM_GETPOS, 0, 0), 255);
    EXPECT_EQ(SendMessageA(ControlAt(dialog, kChildSlider), TBM_GETPOS, 0, 0), 232);

    // Home on the slider itself (its own key handling and notification), then a drag's end.
    PostMessageA(ControlAt(dialog, kMainSlider), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_TRUE(WaitUntil([] { return ShowsScaled(watched_, opaque_, 0); }, 3000)) << "invisible at 0";
    Slide(dialog, kMainSlider, 128);
    EXPECT_TRUE(WaitUntil([] { return ShowsScaled(watched_, opaque_, 128); }, 3000)) << "half at 128";
    // The child-window slider previews nothing.
    Slide(dialog, kChildSlider, 10);
    Sleep(300);
    EXPECT_TRUE(ShowsScaled(watched_, opaque_, 128));

    ASSERT_TRUE(Click(dialog, kCancelButton) && kvrtest::WaitGone(dialog));
    EXPECT_TRUE(WaitUntil([] { return ShowsScaled(watched_, opaque_, 255); }, 3000)) << "not restored";
    EXPECT_TRUE(IsWindowEnabled(program_->MainWindow()));
    for (const char* value : {kWindowOpacityValue, kChildColorValue, kChildOpacityValue})
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, value), 0u) << value << " written on cancel";
}

TEST_F(ProgramTest, AppearanceOpensAloneAndOkStoresItsValues) {
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
    EXPECT_TRUE(WaitUntil([] { return ShowsScaled(watched_, opaque_, 180); }, 3000));
}

// The message window is the first child window since the Appearance dialog's OK: it takes the
// stored colour and opacity. Enter closes it.
TEST_F(ProgramTest, TellsWhatIsWrongWithABadFileInTheStoredAppearance) {
    ASSERT_TRUE(kvrtest::WriteFileBytes(In("broken.enc"), kvrtest::BytesOf("this is no archive at all")));
    ASSERT_EQ(program_->Drop({In("broken.enc")}), 0);
    HWND message = program_->WaitForWindow(kNotAnArchive);
    Sleep(1500);  // fading in

    Image background;
    ASSERT_TRUE(background.LoadFromResource(resource::kBinaryType, resource::kMessageBackground, nullptr));
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(message, &frame));
    int compared = 0;
    // The opaque pixels of a row of the picture above the text.
    for (int x = 2; x < 229; x += 9) {
        uint32_t argb = 0;
        if (!background.GetPixel(x, 2, &argb) || (argb >> 24) != 0xFF)
            continue;
        const uint32_t recoloured = RecolorChildPixel(argb, 0xFFFFE1, 255);
        const COLORREF full = RGB(recoloured >> 16 & 0xFF, recoloured >> 8 & 0xFF, recoloured & 0xFF);
        const POINT at{frame.left + x, frame.top + 2};
        EXPECT_TRUE(ShowsScaled(at, full, 200)) << x << " " << std::hex << ScreenPixel(at) << " " << full;
        compared++;
    }
    EXPECT_GT(compared, 10);
    EXPECT_TRUE(ProgramDriver::Answer(message, VK_RETURN));
    EXPECT_EQ(GetFileAttributesA(Output("broken").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProgramTest, DecryptsEachSampleKindDroppedOnIt) {
    for (const std::string sample : kSamples) {
        SCOPED_TRACE(sample);
        const std::string title = sample.substr(0, sample.find('.'));
        const std::map<std::string, std::string> expected = TreeOf(scratch_->PathOf("expected\\" + title + "\\"));
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(program_->Drop({In(sample)}), 0);
        EXPECT_TRUE(WaitUntil([&] { return TreeOf(Output(title)) == expected; }, 20000));
    }
}

TEST_F(ProgramTest, AsksBeforeOverwritingAnOutputFolder) {
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

TEST_F(ProgramTest, RefusesTwoFilesAtOnce) {
    Sleep(1500);  // the previous import's animations end
    EXPECT_EQ(program_->Drop({In("plain.enc"), In("song.wav")}, 1), 1);
    EXPECT_EQ(program_->CountOtherWindows(), 0);
}

// Cancel from the busy menu stops a long decryption and leaves no temporary file behind.
TEST_F(ProgramTest, CancelStopsALongDecryption) {
    ASSERT_TRUE(WriteLargeArchive(In("large.enc"), kvrtest::ReadFileBytes(In("Keys\\project.key"))));
    const int tempFilesBefore = CountTempFiles();

    // The busy menu's command counts only once the work animation runs, and the engine is
    // quick, so it is sent every few milliseconds from before the drop.
    std::atomic<bool> stopCancelling{false};
    std::thread canceller([&] {
        while (!stopCancelling) {
            program_->Command(CMD_CANCEL);
            Sleep(5);
        }
    });
    const int dropped = program_->Drop({In("large.enc")});
    Sleep(3000);
    stopCancelling = true;
    canceller.join();
    ASSERT_EQ(dropped, 0);
    EXPECT_TRUE(WaitUntil([&] { return CountTempFiles() == tempFilesBefore; }, 30000));
    Sleep(1000);
    EXPECT_EQ(program_->CountOtherWindows(), 0);
    const std::string lastEntry = Output("large") + "large" + std::to_string(kLargeEntries - 1) + ".bin";
    EXPECT_EQ(GetFileAttributesA(lastEntry.c_str()), INVALID_FILE_ATTRIBUTES) << "the decryption ran to its end";
}

TEST_F(ProgramTest, QuitsWithCodeZeroAndKeepsPlaceAndSoundSwitch) {
    Sleep(1500);  // closing animations of the previous request
    ASSERT_TRUE(SetWindowPos(program_->MainWindow(), nullptr, kStartLeft + 120, kStartTop + 60, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    program_->Command(CMD_SOUNDS);
    program_->Command(CMD_QUIT);
    EXPECT_EQ(program_->WaitForExit(20000), 0);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowPositionValue),
              PackWindowPosition(kStartLeft + 120, kStartTop + 60));
    EXPECT_FALSE(ReadSoundsOn());
}

}  // namespace
