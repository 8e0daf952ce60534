// Image drawing in every mode, checked pixel by pixel in memory bitmaps.
#include <gtest/gtest.h>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/media/Image.h"

using namespace mediatest;
using Gdiplus::Rect;

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kGreenWord = 0x0000FF00;  // toolkit colour word
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlueWord = 0x00FF0000;

// A 4 x 2 red picture whose pixel (1, 0) is blue, the key colour of the tests.
void MakeKeyedPicture(Image* picture) {
    ASSERT_TRUE(picture->Create(4, 2));
    picture->Clear(0x000000FF);
    picture->SetPixel(1, 0, kBlue);
    picture->SetKey(kBlueWord);
    picture->SetBackground(kGreenWord);
}

uint32_t PixelAt(const Image& image, int x, int y) {
    uint32_t argb = 0;
    EXPECT_TRUE(image.GetPixel(x, y, &argb)) << x << "," << y;
    return argb;
}

struct Probe {
    int x;
    int y;
    uint32_t argb;
};

class ImageDrawTest : public GraphicsTest {
protected:
    void DrawAndCheck(const Image& picture, const Rect& destination, const std::vector<Probe>& probes) {
        Image target(16, 16);
        target.Clear(0x00FFFFFF);
        {
            Gdiplus::Graphics graphics(target.Bitmap());
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
            graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
            picture.Draw(&graphics, destination);
        }
        for (const Probe& p : probes) {
            EXPECT_EQ(PixelAt(target, p.x, p.y), p.argb) << "mode " << picture.Mode() << " at " << p.x << "," << p.y;
        }
    }
};

TEST_F(ImageDrawTest, ModesPlaceTheKeyedPictureAndFillTheRest) {
    struct Case {
        int mode;
        Rect destination;
        std::vector<POINT> red, white, green;
    };
    // The keyed pixel is neither drawn nor filled: the target's white shows through.
    // Centre: (2*0 + 9) / 2 - 4 / 2 = 2 and (2*0 + 7) / 2 - 2 / 2 = 2. Stretch: each source
    // pixel becomes 2 x 4. Fit: 4 x 2 into 8 x 8 is an 8 x 4 picture from row 2 to row 5.
    const Case cases[] = {
        {Image::kModeTopLeft, Rect(2, 2, 8, 6), {{2, 2}, {5, 3}}, {{3, 2}, {1, 1}, {10, 8}}, {{6, 2}, {2, 4}, {9, 7}}},
        {Image::kModeCentre,
         Rect(0, 0, 9, 7),
         {{2, 2}, {5, 3}},
         {{3, 2}, {9, 7}},
         {{1, 2}, {6, 2}, {2, 1}, {2, 4}, {8, 6}}},
        {Image::kModeStretch, Rect(0, 0, 8, 8), {{0, 0}, {1, 3}, {2, 4}, {7, 7}}, {{2, 0}, {3, 3}, {8, 8}}, {}},
        {Image::kModeFit, Rect(0, 0, 8, 8), {{0, 2}, {7, 5}}, {{2, 2}}, {{4, 0}, {4, 1}, {4, 6}, {4, 7}}},
    };
    for (const Case& c : cases) {
        std::vector<Probe> probes;
        const std::pair<const std::vector<POINT>*, uint32_t> colours[] = {
            {&c.red, kRed}, {&c.white, kWhite}, {&c.green, kGreen}};
        for (const auto& [points, colour] : colours) {
            for (const POINT& p : *points)
                probes.push_back({p.x, p.y, colour});
        }
        Image picture;
        MakeKeyedPicture(&picture);
        picture.SetMode(c.mode);
        DrawAndCheck(picture, c.destination, probes);
    }
    // Special backgrounds are not filled.
    for (uint32_t background : {Image::kNoColor, Image::kSeeThrough}) {
        Image picture;
        MakeKeyedPicture(&picture);
        picture.SetBackground(background);
        DrawAndCheck(picture, Rect(0, 0, 8, 8), {{0, 0, kRed}, {5, 0, kWhite}, {0, 5, kWhite}});
    }
}

}  // namespace
