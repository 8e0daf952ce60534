// Image encoding through toolkit streams: the BMP header that the bitmap carrier depends on.
#include <gtest/gtest.h>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/Image.h"

using namespace mediatest;

namespace {

std::vector<uint32_t> Gradient(int width, int height, uint32_t alpha) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back((alpha << 24) | (x * 37 % 256) << 16 | (y * 53 % 256) << 8 | ((x + y) * 11 % 256));
        }
    }
    return pixels;
}

class ImageCodecTest : public GraphicsTest {};

struct BmpCase {
    const char* name;
    bool pngSource;
    bool pngAlpha;
    uint32_t expectedResolution;
};

// What GDI+ under Wine 8 writes, recorded: 24 bits per pixel for 24-bit and 32-bit sources
// alike, the source's resolution (a pHYs of 2835 comes back as 2835; a new bitmap has 96 dpi =
// 3780), compression 0, colours 0/0, and an image size of stride x height, which the save
// patches to the 0 that GDI+ on Windows writes.
TEST_F(ImageCodecTest, BmpHeaderMatchesWhatTheBitmapCarrierRequires) {
    const BmpCase cases[] = {
        {"24-bit PNG with pHYs 2835", true, false, 2835},
        {"32-bit PNG with pHYs 2835", true, true, 2835},
        {"new 32-bit ARGB image", false, false, 3780},
    };
    for (const BmpCase& c : cases) {
        Image image;
        if (c.pngSource) {
            MemoryStream png;
            WriteBytes(&png, BuildPng(5, 3, Gradient(5, 3, 0xFF), c.pngAlpha, 2835));
            png.Seek(0);
            ASSERT_TRUE(image.LoadFromStream(&png)) << c.name;
        } else {
            ASSERT_TRUE(image.Create(5, 3)) << c.name;
            image.Clear(0x00336699);
        }
        MemoryStream out;
        ASSERT_TRUE(image.SaveToStream(&out, Image::kFormatBmp)) << c.name;
        const Bytes bmp = ReadAll(&out);
        ASSERT_GE(bmp.size(), 54u + 16u * 3) << c.name;
        EXPECT_EQ(Get16(bmp, 0), 'B' | 'M' << 8) << c.name;
        // {offset, value}: pixels right after the headers, width, height (bottom-up), compression
        // BI_RGB, image size, resolution twice, colours used, important colours.
        const std::pair<int, uint32_t> fields[] = {
            {10, 54}, {18, 5}, {22, 3}, {30, 0}, {34, 0}, {38, c.expectedResolution}, {42, c.expectedResolution},
            {46, 0},  {50, 0}};
        for (const auto& [offset, value] : fields)
            EXPECT_EQ(Get32(bmp, offset), value) << c.name << " at " << offset;
        EXPECT_EQ(Get16(bmp, 26), 1) << c.name;   // planes
        EXPECT_EQ(Get16(bmp, 28), 24) << c.name;  // bits per pixel
    }
}

}  // namespace
