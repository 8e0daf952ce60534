// KvrDecryptor.exe at display scales above 100 %: the test prefix's logical DPI is raised for
// the program started in each case (a process reads it when it starts), and put back to 96
// however the case ends. Sizes and places are the 96-DPI ones scaled, pictures the twice-size
// drawings.
#include "tests/app/ProgramFixture.h"

#include "resources/ResourceIds.h"
#include "toolkit/media/Image.h"

namespace {

using namespace kvrtest;

std::pair<int, int> SizeOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return std::pair<int, int>(rect.right - rect.left, rect.bottom - rect.top);
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

// The test prefix's logical DPI is 96 again at the end of the case.
class ScaledProgramTest : public ProgramTest {
protected:
    static bool WriteDpi(int dpi) {
        return WriteNumber(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", static_cast<uint32_t>(dpi));
    }
    void TearDown() override {
        ProgramTest::TearDown();
        (void)WriteDpi(96);
    }
    int Scaled(int length) const { return MulDiv(length, dpi_, 96); }
    POINT Scaled(POINT place) const { return POINT{Scaled(place.x), Scaled(place.y)}; }
    // The window of that title has its 96-DPI size scaled, and the picture button (44 x 47 at
    // 96 DPI) placed at (x, y) in 96-DPI units closes it when clicked at its scaled centre.
    void ExpectScaledWindowClosedByButton(const char* title, SIZE at96, POINT button) {
        HWND window = program_->WaitForWindow(title);
        EXPECT_EQ(SizeOf(window), std::make_pair(Scaled(at96.cx), Scaled(at96.cy))) << title;
        const POINT centre = Scaled(POINT{button.x + 22, button.y + 23});
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        EXPECT_TRUE(WaitGone(window)) << title;
    }

    int dpi_ = 96;
};

// At 150 % sizes and places are scaled and rounded; at 200 % the main window shows the
// twice-size skin as drawn, not the 96-DPI one stretched, and the question window and the
// Appearance dialog work at their scaled places too.
TEST_F(ScaledProgramTest, WindowsAndPicturesFollowTheDisplayScale) {
    const struct {
        int dpi;
        std::pair<int, int> size;
    } scales[] = {{144, {195, 263}}, {192, {260, 350}}};
    for (const auto& scale : scales) {
        SCOPED_TRACE(scale.dpi);
        dpi_ = scale.dpi;
        ASSERT_TRUE(WriteDpi(dpi_));
        ASSERT_TRUE(Restart());
        EXPECT_EQ(SizeOf(program_->MainWindow()), scale.size);
        if (dpi_ == 192) {
            Image skin;
            ASSERT_TRUE(skin.LoadFromResource(resource::kBinaryType, resource::kSkin + resource::kDoubleSize,
                                              GetModuleHandleA(nullptr)));
            int compared = -1;
            EXPECT_TRUE(WaitUntil([&] { return (compared = CompareOpaque(program_->MainWindow(), skin)) > 0; }, 3000));
            EXPECT_GT(compared, 260 * 350 / 3);
        }
        ASSERT_EQ(program_->Drop({In("broken.enc")}), 0);
        ExpectScaledWindowClosedByButton(messages::kNotAnArchive, SIZE{229, 136}, POINT{160, 80});
    }

    // The question window's check button (the left one) answers yes.
    ASSERT_TRUE(DecryptInProcess(In("letters.enc"), In("Keys\\"), In("")));
    const std::string readme = Output("letters") + "readme.txt";
    const Bytes original = ReadFileBytes(readme);
    ASSERT_TRUE(WriteFileBytes(readme, BytesOf("changed")));
    ASSERT_EQ(program_->Drop({In("letters.enc")}), 0);
    ExpectScaledWindowClosedByButton(kFolderQuestion, SIZE{325, 190}, POINT{105, 130});
    EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(readme) == original; }, 10000));

    Sleep(1500);
    HWND dialog = OpenDialog();
    Slide(dialog, Scaled(kMainSlider), 180);
    ASSERT_TRUE(Click(dialog, Scaled(kOkButton)) && WaitGone(dialog));
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowOpacityValue), 181u);
}

}  // namespace
