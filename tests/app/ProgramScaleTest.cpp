// KvrDecryptor.exe at display scales above 100 %: the test prefix's logical DPI is raised for
// the program started in each case (a process reads it when it starts), and put back to 96
// however the case ends. Sizes and places are the 96-DPI ones scaled, pictures the twice-size
// drawings.
#include "tests/app/ProgramFixture.h"

#include "resources/ResourceIds.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/media/Image.h"

namespace {

using namespace kvrtest;

int Scaled(int length, int dpi) {
    return MulDiv(length, dpi, 96);
}

SIZE SizeOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Every opaque pixel of the picture equals the screen's at the window's corner; the number
// compared, or -1 at the first difference.
int CompareOpaque(HWND window, const Image& picture) {
    int width = 0;
    const std::vector<COLORREF> shown = Snapshot(window, width);
    int compared = 0;
    for (int y = 0; y < picture.Height(); y++) {
        for (int x = 0; x < picture.Width() && x < width; x++) {
            uint32_t argb = 0;
            if (!picture.GetPixel(x, y, &argb) || argb >> 24 != 0xFF)
                continue;
            const size_t at = static_cast<size_t>(y) * width + x;
            if (at >= shown.size() || (shown[at] & 0xFFFFFF) != (argb & 0xFFFFFF))
                return -1;
            compared++;
        }
    }
    return compared;
}

class ScaledProgramTest : public ProgramTest {
protected:
    // The logical DPI of programs started from now on, 96 again at the end of the case.
    static bool WriteDpi(int dpi) {
        return WriteNumber(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", static_cast<uint32_t>(dpi));
    }
    // Restarts the program, which then runs at the DPI.
    void StartAt(int dpi) {
        dpi_ = dpi;
        ASSERT_TRUE(WriteDpi(dpi));
        ASSERT_TRUE(Restart());
    }
    void TearDown() override {
        ProgramTest::TearDown();
        (void)WriteDpi(96);
    }
    // The window of that title has its 96-DPI size scaled, and the picture button (44 x 47 at
    // 96 DPI) placed at (x, y) in 96-DPI units closes it when clicked at its scaled centre.
    void ExpectScaledWindowClosedByButton(const char* title, SIZE at96, POINT button) {
        HWND window = program_->WaitForWindow(title);
        EXPECT_EQ(SizeOf(window).cx, Scaled(at96.cx, dpi_)) << title;
        EXPECT_EQ(SizeOf(window).cy, Scaled(at96.cy, dpi_)) << title;
        const LPARAM centre = MAKELPARAM(Scaled(button.x + 22, dpi_), Scaled(button.y + 23, dpi_));
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        PostMessageA(window, WM_LBUTTONUP, 0, centre);
        EXPECT_TRUE(WaitGone(window)) << title;
    }

    int dpi_ = 96;
};

TEST_F(ScaledProgramTest, At200PercentEverythingIsTwiceTheSizeAndSharp) {
    ASSERT_NO_FATAL_FAILURE(StartAt(192));
    HWND main = program_->MainWindow();
    const SIZE size = SizeOf(main);
    EXPECT_EQ(size.cx, 260);
    EXPECT_EQ(size.cy, 350);

    // The idle drive is the twice-size skin as drawn, not the 96-DPI one stretched.
    Image skin;
    ASSERT_TRUE(skin.LoadFromResource(resource::kBinaryType, resource::kSkin + resource::kDoubleSize,
                                      GetModuleHandleA(nullptr)));
    int compared = -1;
    EXPECT_TRUE(WaitUntil([&] { return (compared = CompareOpaque(main, skin)) > 0; }, 3000));
    EXPECT_GT(compared, 260 * 350 / 3);

    // A message window twice its size, closed by its button at the scaled place.
    ASSERT_EQ(program_->Drop({In("broken.enc")}), 0);
    ExpectScaledWindowClosedByButton(kNotAnArchive, SIZE{229, 136}, POINT{160, 80});

    // A question window likewise; its check button (the left one) answers yes.
    ASSERT_TRUE(DecryptInProcess(In("letters.enc"), In("Keys\\"), In("")));
    const std::string readme = Output("letters") + "readme.txt";
    const Bytes original = ReadFileBytes(readme);
    ASSERT_TRUE(WriteFileBytes(readme, BytesOf("changed")));
    ASSERT_EQ(program_->Drop({In("letters.enc")}), 0);
    ExpectScaledWindowClosedByButton(kFolderQuestion, SIZE{325, 190}, POINT{105, 130});
    EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(readme) == original; }, 10000));

    // The Appearance dialog's controls sit at their scaled places and work there.
    Sleep(1500);
    HWND dialog = OpenDialog();
    const auto at = [this](POINT place) { return POINT{Scaled(place.x, dpi_), Scaled(place.y, dpi_)}; };
    EXPECT_EQ(SendMessageA(ControlAt(dialog, at(kChildSlider)), TBM_GETPOS, 0, 0), 232);
    Slide(dialog, at(kMainSlider), 180);
    ASSERT_TRUE(Click(dialog, at(kOkButton)) && WaitGone(dialog));
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowOpacityValue), 181u);
}

TEST_F(ScaledProgramTest, At150PercentSizesAndPlacesAreScaledAndRounded) {
    ASSERT_NO_FATAL_FAILURE(StartAt(144));
    const SIZE size = SizeOf(program_->MainWindow());
    EXPECT_EQ(size.cx, 195);
    EXPECT_EQ(size.cy, 263);

    ASSERT_EQ(program_->Drop({In("broken.enc")}), 0);
    ExpectScaledWindowClosedByButton(kNotAnArchive, SIZE{229, 136}, POINT{160, 80});
}

}  // namespace
