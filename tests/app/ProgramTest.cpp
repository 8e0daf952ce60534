// KvrDecryptor.exe end to end, driven as a user would: real OLE drags from another process,
// real keys, commands posted as its menus send them, the Appearance dialog through its own
// controls, and what it shows read back from the screen. The fixture is in ProgramFixture.h.
#include "tests/app/ProgramFixture.h"

#include <colordlg.h>

#include <algorithm>
#include <cstdlib>

#include "bench/BenchInputs.h"
#include "toolkit/base/FileSystem.h"

namespace {

using namespace kvrtest;

COLORREF ScreenPixel(POINT point) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

int Brightness(COLORREF colour) {
    return std::min({GetRValue(colour), GetGValue(colour), GetBValue(colour)});
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

// Drops a large archive and waits until the engine works on it: the number of temporary files
// before, which the engine is to leave as it found it.
class LargeDecryptionTest : public ProgramTest {
protected:
    // 400 entries of 1 MB each: long enough to be cancelled while it is written, with a
    // progress event after every entry where the cancel takes effect.
    void StartLargeDecryption() {
        BenchArchiveSpec spec;
        spec.keyName = "project.key";
        spec.key = ReadFileBytes(In("Keys\\project.key"));
        spec.files = 400;
        spec.plainBytes = uint64_t(spec.files) << 20;
        ASSERT_TRUE(WriteBenchArchive(In("large.enc"), spec));
        tempFilesBefore_ = CountTempFiles();
        ASSERT_EQ(program_->Drop({In("large.enc")}), 0);
        ASSERT_TRUE(WaitUntil([&] { return CountTempFiles() > tempFilesBefore_; }, 10000));
    }
    int tempFilesBefore_ = 0;
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
    Quit();
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowPositionValue),
              PackWindowPosition(kStartLeft + 120, kStartTop + 60));
    EXPECT_FALSE(ReadSoundsOn());
}

TEST_F(ProgramTest, AppearancePreviewsTheOpacityCancelUndoesItAndOkStoresItsValues) {
    // Once the opening animation is over: the brightest point of the opaque main window.
    Sleep(1000);
    RECT frame{};
    GetWindowRect(program_->MainWindow(), &frame);
    POINT watched{};
    COLORREF opaque = 0;
    for (int y = frame.top + 4; y < frame.bottom - 4; y += 5) {
        for (int x = frame.left + 4; x < frame.right - 4; x += 5) {
            const COLORREF pixel = ScreenPixel(POINT{x, y});
            if (Brightness(pixel) > Brightness(opaque)) {
                watched = POINT{x, y};
                opaque = pixel;
            }
        }
    }
    ASSERT_GE(Brightness(opaque), 120) << "no bright point";
    // Without a compositor a layered window reaches the screen blended onto black: every
    // channel scaled by the window's opacity.
    const auto shows = [&](int opacity) {
        return WaitUntil(
            [&] {
                const COLORREF seen = ScreenPixel(watched);
                int worst = 0;
                for (int shift = 0; shift < 24; shift += 8)
                    worst = std::max(worst,
                                     std::abs(int(seen >> shift & 0xFF) - int(opaque >> shift & 0xFF) * opacity / 255));
                return worst <= 3;
            },
            3000);
    };

    HWND dialog = OpenDialog();
    // Empty settings: the defaults.
    EXPECT_EQ(SendMessageA(ControlAt(dialog, kMainSlider), TBM_GETPOS, 0, 0), 255);
    EXPECT_EQ(SendMessageA(ControlAt(dialog, kChildSlider), TBM_GETPOS, 0, 0), 232);
    // Neither a second command nor a right click opens anything over the running dialog.
    program_->Command(CMD_APPEARANCE);
    PostMessageA(program_->MainWindow(), WM_RBUTTONDOWN, 0, MAKELPARAM(60, 80));
    Sleep(800);
    EXPECT_EQ(program_->CountOtherWindows(), 1);
    EXPECT_EQ(program_->CountOtherWindows(kMenuClass), 0) << "a menu over the dialog";

    // Home on the slider itself (its own key handling and notification), then a drag's end.
    PostMessageA(ControlAt(dialog, kMainSlider), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_TRUE(shows(0)) << "invisible at 0";
    Slide(dialog, kMainSlider, 128);
    EXPECT_TRUE(shows(128)) << "half at 128";
    // The child-window slider previews nothing.
    Slide(dialog, kChildSlider, 10);
    Sleep(300);
    EXPECT_TRUE(shows(128));
    ASSERT_TRUE(Click(dialog, kCancelButton) && WaitGone(dialog));
    EXPECT_TRUE(shows(255)) << "not restored";
    EXPECT_TRUE(IsWindowEnabled(program_->MainWindow()));
    for (const char* value : {kWindowOpacityValue, kChildColorValue, kChildOpacityValue})
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, value), 0u) << value << " written on cancel";

    // The colour chooser, owned by the dialog, starts at the swatch's colour; the chosen colour
    // shows at once.
    dialog = OpenDialog();
    ASSERT_TRUE(Click(dialog, kColorButton));
    HWND chooser = nullptr;
    const auto owned = [dialog](HWND window) {
        return IsWindowVisible(window) && GetWindow(window, GW_OWNER) == dialog;
    };
    ASSERT_TRUE(WaitUntil([&] { return (chooser = FindTopWindow(owned)) != nullptr; }, 10000));
    const int channels[] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(GetDlgItemInt(chooser, channels[i], nullptr, FALSE), RGB(0xE1, 0xFF, 0xFF) >> (8 * i) & 0xFF);
        SetDlgItemInt(chooser, channels[i], 16 * (i + 1), FALSE);
    }
    PostMessageA(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitGone(chooser));
    EXPECT_TRUE(WaitUntil([&] { return SwatchPixel(dialog) == RGB(16, 32, 48); }, 3000))
        << std::hex << SwatchPixel(dialog);

    ASSERT_TRUE(Click(dialog, kDefaultButton));
    EXPECT_TRUE(WaitUntil([&] { return SwatchPixel(dialog) == RGB(0xE1, 0xFF, 0xFF); }, 3000));
    Slide(dialog, kMainSlider, 180);
    SendMessageA(ControlAt(dialog, kChildSlider), TBM_SETPOS, TRUE, 200);
    ASSERT_TRUE(Click(dialog, kOkButton) && WaitGone(dialog));
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowOpacityValue), 181u);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kChildColorValue), 0xFFFFE1u + 1);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kChildOpacityValue), 201u);
    EXPECT_TRUE(shows(180));
}

// A bad file's message is checked at larger scales.
TEST_F(ProgramTest, DecryptsEachSampleKindButNotTwoFilesAtOnce) {
    EXPECT_EQ(program_->Drop({In("plain.enc"), In("song.wav")}, 1), 1);
    EXPECT_EQ(program_->CountOtherWindows(), 0);
    for (const std::string sample : {"letters.enc", "plain.enc", "photo.png", "picture.bmp", "song.wav"}) {
        SCOPED_TRACE(sample);
        const std::string title = sample.substr(0, sample.find('.'));
        ASSERT_TRUE(DecryptInProcess(In(sample), In("Keys\\"), scratch_.PathOf("expected\\")));
        const std::map<std::string, std::string> expected = TreeOf(scratch_.PathOf("expected\\" + title + "\\"));
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(program_->Drop({In(sample)}), 0);
        EXPECT_TRUE(WaitUntil([&] { return TreeOf(Output(title)) == expected; }, 20000));
    }
}

TEST_F(LargeDecryptionTest, CancelInTheBusyMenuStopsALongDecryption) {
    ASSERT_NO_FATAL_FAILURE(StartLargeDecryption());
    EXPECT_EQ(program_->MenuMarks(), "-") << "the busy menu offers more than Cancel";
    ProgramDriver::Press(program_->MainWindow(), {VK_F10 | ProgramDriver::kShifted, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return CountTempFiles() == tempFilesBefore_; }, 30000));
    Sleep(1000);
    EXPECT_EQ(program_->CountOtherWindows(), 0);
    EXPECT_FALSE(Exists(Output("large") + "empty\\")) << "not stopped before the last entry";
}

// Names of any characters (the test prefix's code page, 1252, holds neither the Japanese nor
// the dash): a user key folder stored as the browser stores one (the User Key Folder test
// chooses such a folder) and used after a restart, a key dropped from such a folder and
// imported, and an archive of such a name dropped (a wide DROPFILES) whose own names are
// stored in code page 1252.
TEST_F(ProgramTest, AnyFileNameServesKeyFoldersKeysAndArchives) {
    const std::string japan = "\xE6\x97\xA5\xE6\x9C\xAC";             // "日本"
    const std::string title = japan + " \xE2\x80\x93 M\xC3\xBCller";  // "日本 – Müller"
    const std::string keyName = "Schl\xC3\xBCssel.key";
    const std::string keyFolder = In("Keys\\" + japan + "\\");
    ASSERT_TRUE(MakeFolder(keyFolder));
    WriteUserKeyFolder(keyFolder.c_str());
    ASSERT_TRUE(Restart());

    ArchiveSpec spec;
    spec.keyName = "Schl\xFCssel.key";
    spec.key = PatternBytes(64, 21);
    spec.compressed = true;
    spec.entries = {{"Gr\xFC\xDF.txt", BytesOf("gruss")}, {"Ordner\\gar\xE7on.txt", PatternBytes(5000, 22)}};
    ASSERT_TRUE(WriteFileBytes(In(title + ".enc"), BuildRawArchive(spec)));
    ASSERT_EQ(program_->Drop({In(title + ".enc")}), 0);
    EXPECT_TRUE(ProgramDriver::Answer(program_->WaitForWindow("Key not found :\n\n" + keyName), VK_RETURN));

    ASSERT_TRUE(MakeFolder(In(japan)));
    ASSERT_TRUE(WriteFileBytes(In(japan + "\\" + keyName), spec.key));
    ASSERT_EQ(program_->Drop({In(japan + "\\" + keyName)}), 0);
    EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(keyFolder + keyName) == spec.key; }, 10000));

    ASSERT_EQ(program_->Drop({In(title + ".enc")}), 0);
    const Bytes& nested = spec.entries[1].data;
    const std::map<std::string, std::string> expected = {
        {"Gr\xC3\xBC\xC3\x9F.txt", "gruss"},
        {"Ordner\\", ""},
        {"Ordner\\gar\xC3\xA7on.txt", std::string(nested.begin(), nested.end())}};
    EXPECT_TRUE(WaitUntil([&] { return TreeOf(Output(title)) == expected; }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return TipShown("2 files in " + title + "\\"); }, 20000));
}

// Logging off ends the process soon after the window has answered the end of the session.
TEST_F(LargeDecryptionTest, EndOfTheSessionDuringADecryptionLeavesNoTemporaryFile) {
    ASSERT_NO_FATAL_FAILURE(StartLargeDecryption());
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(program_->MainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer));
    ASSERT_TRUE(SendMessageTimeoutA(program_->MainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &answer));
    EXPECT_EQ(CountTempFiles(), tempFilesBefore_);
    EXPECT_FALSE(Exists(Output("large") + "empty\\")) << "not stopped before the last entry";
}

}  // namespace
