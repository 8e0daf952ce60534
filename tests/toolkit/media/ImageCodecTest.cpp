// Image encoding through toolkit streams: the BMP header that the bitmap carrier depends on.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/Image.h"

using namespace mediatest;

namespace {

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
            WriteBytes(&png, BuildPng(5, 3, std::vector<uint32_t>(15, 0xFF336699), c.pngAlpha, 2835));
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
        BITMAPFILEHEADER file;
        BITMAPINFOHEADER info;
        memcpy(&file, bmp.data(), sizeof file);
        memcpy(&info, bmp.data() + sizeof file, sizeof info);
        EXPECT_EQ(file.bfType, 'B' | 'M' << 8) << c.name;
        EXPECT_EQ(file.bfOffBits, 54u) << c.name;  // pixels right after the headers
        // Width, height (bottom-up), planes, bits per pixel, BI_RGB, image size, resolution
        // twice, colours used, important colours.
        const std::vector<int64_t> fields = {
            info.biWidth,     info.biHeight,        info.biPlanes,        info.biBitCount, info.biCompression,
            info.biSizeImage, info.biXPelsPerMeter, info.biYPelsPerMeter, info.biClrUsed,  info.biClrImportant};
        const int64_t dpm = c.expectedResolution;
        EXPECT_EQ(fields, std::vector<int64_t>({5, 3, 1, 24, 0, 0, dpm, dpm, 0, 0})) << c.name;
    }
}

}  // namespace
