// Image drawing, regions, recolouring and pixel-level construction, checked pixel by pixel in
// memory bitmaps.
#include <gtest/gtest.h>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/media/GdiHandles.h"
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

TEST_F(ImageDrawTest, TileModeRepeatsFromTheTopLeftCorner) {
    Image picture;
    ASSERT_TRUE(picture.Create(2, 2));
    picture.SetPixel(0, 0, kRed);
    picture.SetPixel(1, 0, kGreen);
    picture.SetPixel(0, 1, kBlue);
    picture.SetPixel(1, 1, kWhite);
    picture.SetMode(Image::kModeTile);
    std::vector<Probe> probes;
    const uint32_t expected[2][2] = {{kRed, kGreen}, {kBlue, kWhite}};
    for (int y = 1; y < 7; ++y) {
        for (int x = 1; x < 6; ++x) {
            probes.push_back({x, y, expected[(y - 1) % 2][(x - 1) % 2]});
        }
    }
    probes.push_back({6, 1, kWhite});  // outside the destination
    DrawAndCheck(picture, Rect(1, 1, 5, 6), probes);
}

HRGN RegionOf(int width, int height, const std::vector<uint32_t>& argb, uint32_t key) {
    Image picture(width, height);
    for (int i = 0; i < width * height; ++i) {
        picture.SetPixel(i % width, i / width, argb[i]);
    }
    return picture.CreateRegion(key);
}

std::vector<RECT> RectsOf(HRGN region) {
    const DWORD bytes = GetRegionData(region, 0, nullptr);
    std::vector<char> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(region, bytes, data);
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

TEST_F(ImageDrawTest, RegionsKeepExactlyTheUnkeyedPixels) {
    struct Case {
        const char* name;
        int width;
        int height;
        std::vector<uint32_t> pixels;
        std::vector<RECT> expected;
        uint32_t key = kBlueWord;
    };
    const uint32_t k = kBlue;
    const uint32_t r = kRed;
    const Case cases[] = {
        {"fully keyed", 3, 2, {k, k, k, k, k, k}, {}},
        {"no key pixels", 3, 2, {r, r, r, r, r, r}, {{0, 0, 3, 2}}},
        {"1 x 3 with a keyed middle", 3, 1, {r, k, r}, {{0, 0, 1, 1}, {2, 0, 3, 1}}},
        {"vertical stripes", 4, 2, {r, k, r, r, r, k, r, r}, {{0, 0, 1, 2}, {2, 0, 4, 2}}},
        {"horizontal stripes", 2, 3, {r, r, k, k, r, r}, {{0, 0, 2, 1}, {0, 2, 2, 3}}},
        {"transparent pixels count as black", 2, 1, {0x00000000, r}, {{1, 0, 2, 1}}, 0x00000000},
    };
    for (const Case& c : cases) {
        GdiObject<HRGN> region(RegionOf(c.width, c.height, c.pixels, c.key));
        ASSERT_TRUE(region) << c.name;
        const std::vector<RECT> rects = RectsOf(region.Get());
        ASSERT_EQ(rects.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < rects.size(); ++i) {
            EXPECT_TRUE(EqualRect(&rects[i], &c.expected[i])) << c.name << " rect " << i;
        }
    }
}

TEST_F(ImageDrawTest, LargeRegionsSpanSeveralBatches) {
    // A 64 x 64 checkerboard gives 2048 one-pixel runs: more than one batch of 2000.
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            pixels.push_back((x + y) % 2 ? kBlue : kRed);
        }
    }
    GdiObject<HRGN> region(RegionOf(64, 64, pixels, kBlueWord));
    ASSERT_TRUE(region);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(PtInRegion(region.Get(), x, y) != FALSE, (x + y) % 2 == 0) << x << "," << y;
        }
    }
}

TEST_F(ImageDrawTest, RecolorGreysAllButTheSkipColourAndRecolorByShiftsInsideTheArea) {
    Image picture(3, 1);
    picture.SetPixel(0, 0, 0x80FF0000);  // red, half transparent
    picture.SetPixel(1, 0, 0x4000FF00);  // green, the skip colour whatever its alpha
    picture.SetPixel(2, 0, 0xFF0000FF);
    picture.Recolor(nullptr, kGreenWord);
    EXPECT_EQ(PixelAt(picture, 0, 0), 0xFF4C4C4Cu);  // grey of pure red is 76
    EXPECT_EQ(PixelAt(picture, 1, 0), 0x4000FF00u);
    EXPECT_EQ(PixelAt(picture, 2, 0), 0xFF1D1D1Du);  // grey of pure blue is 29

    Image shifted(2, 1);
    shifted.Clear(0x00000000);
    const Rect area(1, 0, 5, 5);  // reaches past the picture: clipped
    shifted.RecolorBy(50, &area, 0xFF000000);
    EXPECT_EQ(PixelAt(shifted, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(shifted, 1, 0), 0xFF323232u);
}

TEST_F(ImageDrawTest, ColorTablePicture) {
    uint32_t colors[256];
    for (int i = 0; i < 256; ++i) {
        colors[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203);
    }
    Image picture;
    ASSERT_TRUE(picture.FromColorTable(colors));
    EXPECT_EQ(picture.Width(), 16);
    EXPECT_EQ(picture.Height(), 16);
    EXPECT_EQ(picture.Mode(), Image::kModeCentre);
    EXPECT_EQ(picture.Background(), Image::kNoColor);
    for (int i : {0, 1, 15, 16, 17, 200, 255}) {
        EXPECT_EQ(PixelAt(picture, i % 16, i / 16), colors[i]) << i;
    }
}

TEST_F(ImageDrawTest, CopiesOfAreasOfThemselvesAndThroughASystemBitmap) {
    Image source(4, 4);
    source.Clear(0x000000FF);
    source.SetPixel(2, 3, kGreen);
    Image copy;
    ASSERT_TRUE(copy.CopyFrom(source, 2, 2));
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.Height(), 2);
    EXPECT_EQ(copy.PixelFormat(), source.PixelFormat());
    EXPECT_EQ(PixelAt(copy, 0, 1), kGreen);
    ASSERT_TRUE(copy.CopyFrom(copy, 0, 1, 1, 1));
    EXPECT_EQ(PixelAt(copy, 0, 0), kGreen);
    Image empty;
    EXPECT_FALSE(copy.CopyFrom(empty));
    EXPECT_TRUE(copy.IsEmpty());

    source.Clear(0x00123456);
    GdiObject<HBITMAP> handle(source.CreateBitmapHandle());
    ASSERT_TRUE(handle);
    ASSERT_TRUE(copy.CreateFromBitmapHandle(handle.Get()));
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(PixelAt(copy, 3, 3) & 0x00FFFFFF, 0x00563412u);
}

}  // namespace
