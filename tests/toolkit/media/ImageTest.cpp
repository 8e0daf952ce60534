// Images: drawing in every mode, checked pixel by pixel in memory bitmaps; encoding through
// toolkit streams (the BMP header that the bitmap carrier depends on); GDI handle leaks.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/media/Image.h"

using namespace mediatest;
using Gdiplus::Rect;

namespace {

using ImageTest = GraphicsTest;

// A 4 x 2 red picture whose pixel (1, 0) is blue, the key colour, drawn into a white target:
// the pixels that must be red, white or of the background colour (green here).
TEST_F(ImageTest, ModesPlaceTheKeyedPictureAndFillTheRest) {
    using Points = std::vector<POINT>;
    constexpr uint32_t kGreen = 0x0000FF00;
    const struct {
        int mode;
        uint32_t background;
        Rect destination;
        Points red, white, green;
    } cases[] = {
        // The keyed pixel is neither drawn nor filled: the target's white shows through.
        // Centre: (2*0 + 9) / 2 - 4 / 2 = 2 and (2*0 + 7) / 2 - 2 / 2 = 2. Stretch: each source
        // pixel becomes 2 x 4. Fit: 4 x 2 into 8 x 8 is an 8 x 4 picture from row 2 to row 5.
        {Image::kModeTopLeft,
         kGreen,
         Rect(2, 2, 8, 6),
         {{2, 2}, {5, 3}},
         {{3, 2}, {1, 1}, {10, 8}},
         {{6, 2}, {2, 4}, {9, 7}}},
        {Image::kModeCentre,
         kGreen,
         Rect(0, 0, 9, 7),
         {{2, 2}, {5, 3}},
         {{3, 2}, {9, 7}},
         {{1, 2}, {6, 2}, {2, 1}, {2, 4}, {8, 6}}},
        {Image::kModeStretch, kGreen, Rect(0, 0, 8, 8), {{0, 0}, {1, 3}, {2, 4}, {7, 7}}, {{2, 0}, {3, 3}, {8, 8}}, {}},
        {Image::kModeFit, kGreen, Rect(0, 0, 8, 8), {{0, 2}, {7, 5}}, {{2, 2}}, {{4, 0}, {4, 1}, {4, 6}, {4, 7}}},
        // Special backgrounds are not filled.
        {Image::kModeTopLeft, Image::kNoColor, Rect(0, 0, 8, 8), {{0, 0}}, {{5, 0}, {0, 5}}, {}},
        {Image::kModeTopLeft, Image::kSeeThrough, Rect(0, 0, 8, 8), {{0, 0}}, {{5, 0}, {0, 5}}, {}},
    };
    for (const auto& c : cases) {
        Image picture(4, 2);
        picture.Clear(0x000000FF);
        picture.SetPixel(1, 0, 0xFF0000FF);
        picture.SetKey(0x00FF0000);  // blue as a colour word
        picture.SetBackground(c.background);
        picture.SetMode(c.mode);
        Image target(16, 16);
        target.Clear(0x00FFFFFF);
        {
            Gdiplus::Graphics graphics(target.Bitmap());
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
            graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
            picture.Draw(&graphics, c.destination);
        }
        const std::pair<const Points*, uint32_t> colours[] = {
            {&c.red, 0xFFFF0000}, {&c.white, 0xFFFFFFFF}, {&c.green, 0xFF00FF00}};
        for (const auto& [points, colour] : colours) {
            for (const POINT& p : *points) {
                uint32_t argb = 0;
                EXPECT_TRUE(target.GetPixel(p.x, p.y, &argb));
                EXPECT_EQ(argb, colour) << "mode " << c.mode << " background " << std::hex << c.background << " at "
                                        << std::dec << p.x << "," << p.y;
            }
        }
    }
}

// The BMP a PNG picture becomes for the bitmap carrier: 24 bits per pixel, the PNG's
// resolution, compression 0 and image size 0 (GDI+ under Wine writes stride x height; the save
// patches it to the 0 that GDI+ on Windows writes). The engine's tests decode 24-bit PNG
// carriers this way; a 32-bit PNG with alpha must give the same header.
TEST_F(ImageTest, PngWithAlphaBecomesTheBmpTheBitmapCarrierRequires) {
    MemoryStream png, out;
    WriteBytes(&png, BuildPng(5, 3, std::vector<uint32_t>(15, 0xFF336699), true, 2835));
    Image image;
    ASSERT_TRUE(image.LoadFromStream(&png));
    ASSERT_TRUE(image.SaveToStream(&out, Image::kFormatBmp));
    const Bytes bmp = ReadAll(&out);
    ASSERT_GE(bmp.size(), 54u + 16u * 3);
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    memcpy(&file, bmp.data(), sizeof file);
    memcpy(&info, bmp.data() + sizeof file, sizeof info);
    EXPECT_EQ(file.bfType, 'B' | 'M' << 8);
    EXPECT_EQ(file.bfOffBits, 54u);  // pixels right after the headers
    // Width, height (bottom-up), planes, bits per pixel, BI_RGB, image size, resolution
    // twice, colours used, important colours.
    const std::vector<int64_t> fields = {
        info.biWidth,     info.biHeight,        info.biPlanes,        info.biBitCount, info.biCompression,
        info.biSizeImage, info.biXPelsPerMeter, info.biYPelsPerMeter, info.biClrUsed,  info.biClrImportant};
    EXPECT_EQ(fields, std::vector<int64_t>({5, 3, 1, 24, 0, 0, 2835, 2835, 0, 0}));
}

// GDI handle leaks: cycles of creating, using and destroying images, regions and system
// bitmaps must leave the room for new GDI objects as it was. One handle left behind per
// cycle would take thousands.
TEST_F(ImageTest, ImagesRegionsAndBitmapsGiveBackTheirHandles) {
    constexpr int kCycles = 4000;
    Image picture(3, 2);
    picture.Clear(0x000000FF);
    picture.SetPixel(1, 1, 0xFF0000FF);
    MemoryStream png;
    ASSERT_TRUE(picture.SaveToStream(&png, Image::kFormatPng));
    int room = 0;
    for (int i = 0; i < kCycles; ++i) {
        if (i == 32)  // after the first cycles have filled the system's own caches
            room = GdiRoom();
        GdiObject<HRGN> region(picture.CreateRegion(0x00FF0000));
        ASSERT_TRUE(region) << "cycle " << i;
        GdiObject<HBITMAP> handle(picture.CreateBitmapHandle());
        ASSERT_TRUE(handle) << "cycle " << i;
        if (i % 16 == 0) {
            // The heavier round trips less often, to keep the run short.
            Image copy;
            ASSERT_TRUE(copy.CreateFromBitmapHandle(handle.Get())) << "cycle " << i;
            png.Seek(0);
            Image loaded;
            ASSERT_TRUE(loaded.LoadFromStream(&png)) << "cycle " << i;
            Gdiplus::Graphics graphics(copy.Bitmap());
            loaded.Draw(&graphics, Gdiplus::Rect(0, 0, 3, 2));
        }
    }
    EXPECT_LT(room - GdiRoom(), 50);
}

}  // namespace
