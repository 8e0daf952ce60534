// Image decoding and encoding through toolkit streams: round trips, the BMP header the bitmap
// carrier depends on, partial streams, and inputs that are not pictures.
#include <gtest/gtest.h>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/BitmapFileFix.h"
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

TEST_F(ImageCodecTest, PngRoundTripKeepsEveryPixel) {
    Image original(7, 5);
    const std::vector<uint32_t> pixels = Gradient(7, 5, 0xFF);
    for (int i = 0; i < 35; ++i) {
        ASSERT_TRUE(original.SetPixel(i % 7, i / 7, pixels[i]));
    }
    original.SetPixel(3, 2, 0x80FF0000);  // half-transparent pixels survive PNG too

    MemoryStream encoded;
    ASSERT_TRUE(original.SaveToStream(&encoded, Image::kFormatPng));
    EXPECT_EQ(encoded.Tell(), encoded.GetSize());
    encoded.Seek(0);
    Image decoded;
    ASSERT_TRUE(decoded.LoadFromStream(&encoded));
    EXPECT_EQ(decoded.Width(), 7);
    EXPECT_EQ(decoded.Height(), 5);
    EXPECT_EQ(PixelsOf(decoded), PixelsOf(original));
}

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

TEST_F(ImageCodecTest, BmpPixelsComeFromThePngInFileOrder) {
    MemoryStream png;
    WriteBytes(&png, BuildPng(2, 2, {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0}, false, 2835));
    png.Seek(0);
    Image image;
    ASSERT_TRUE(image.LoadFromStream(&png));
    MemoryStream out;
    ASSERT_TRUE(image.SaveToStream(&out, Image::kFormatBmp));
    const Bytes bmp = ReadAll(&out);
    ASSERT_EQ(bmp.size(), 54u + 2 * 8);
    // Bottom row first, blue-green-red, rows padded to 4 bytes.
    const Bytes expected = {0x90, 0x80, 0x70, 0xC0, 0xB0, 0xA0, 0, 0, 0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0};
    EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.end()), expected);
}

TEST_F(ImageCodecTest, SavingAppendsAtTheStreamPositionOfAFile) {
    FileStream file;
    ASSERT_TRUE(file.OpenTemporary());
    file.WriteText("prefix");
    Image image(3, 2);
    image.Clear(0x000000FF);
    ASSERT_TRUE(image.SaveToStream(&file, Image::kFormatBmp));
    const Bytes all = ReadAll(&file);
    ASSERT_GT(all.size(), 6u + 54u);
    EXPECT_EQ(std::string(all.begin(), all.begin() + 6), "prefix");
    const Bytes bmp(all.begin() + 6, all.end());
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(Get32(bmp, 34), 0u);  // the patch landed on the bitmap, not on the stream's start
    file.Seek(6);
    Image again;
    ASSERT_TRUE(again.LoadFromStream(&file));
    EXPECT_EQ(again.Width(), 3);
    uint32_t pixel = 0;
    ASSERT_TRUE(again.GetPixel(1, 1, &pixel));
    EXPECT_EQ(pixel, 0xFFFF0000u);
}

TEST_F(ImageCodecTest, LoadsFromThePositionForCountBytesOrToTheEnd) {
    const Bytes png = BuildPng(4, 4, Gradient(4, 4, 0xFF), false, 0);
    MemoryStream stream;
    stream.WriteText("some leading bytes");
    WriteBytes(&stream, png);
    stream.WriteText("trailer");
    stream.Seek(18);
    Image image;
    ASSERT_TRUE(image.LoadFromStream(&stream, static_cast<int>(png.size())));
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(stream.Tell(), 18 + static_cast<int>(png.size()));
    EXPECT_EQ(stream.ReadText(-1), "trailer");
    stream.SetSize(18 + static_cast<int>(png.size()));
    stream.Seek(18);
    Image whole;
    ASSERT_TRUE(whole.LoadFromStream(&stream, -1));
    EXPECT_EQ(whole.Width(), 4);
    EXPECT_EQ(stream.Tell(), stream.GetSize());
}

TEST_F(ImageCodecTest, WhatIsNotAPictureYieldsFalseAndAnEmptyImage) {
    struct Case {
        const char* name;
        Bytes bytes;
    };
    Bytes truncated = BuildPng(4, 4, Gradient(4, 4, 0xFF), false, 0);
    truncated.resize(20);
    const Case cases[] = {
        {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}},
        {"truncated PNG", truncated},
        {"nothing", Bytes()},
    };
    for (const Case& c : cases) {
        Image image(2, 2);  // a failed load releases what was there
        MemoryStream stream;
        WriteBytes(&stream, c.bytes);
        stream.Seek(0);
        EXPECT_FALSE(image.LoadFromStream(&stream)) << c.name;
        EXPECT_TRUE(image.IsEmpty()) << c.name;
        EXPECT_EQ(image.Width(), 0) << c.name;
    }
    Image image;
    EXPECT_FALSE(image.LoadFromStream(nullptr));
    EXPECT_FALSE(image.LoadFromResource("BINARY", 4242, nullptr));
}

TEST_F(ImageCodecTest, EncodersByExactMimeTypeAndUnknownFormatCodes) {
    CLSID png = {};
    CLSID bmp = {};
    EXPECT_GE(Image::FindEncoder(L"image/png", &png), 0);
    EXPECT_GE(Image::FindEncoder(L"image/bmp", &bmp), 0);
    EXPECT_NE(memcmp(&png, &bmp, sizeof(CLSID)), 0);
    CLSID none = {};
    EXPECT_EQ(Image::FindEncoder(L"image/PNG", &none), -1);
    EXPECT_EQ(Image::FindEncoder(L"image/x-none", &none), -1);
    Image image(2, 2);
    MemoryStream out;
    ASSERT_TRUE(image.SaveToStream(&out, 99));  // saved as BMP
    EXPECT_EQ(ReadAll(&out)[0], 'B');
    Image empty;
    MemoryStream nothing;
    EXPECT_FALSE(empty.SaveToStream(&nothing, Image::kFormatPng));
    EXPECT_EQ(nothing.GetSize(), 0);
}

TEST(BitmapFileFix, PatchesOnlyUncompressedBitmaps) {
    Bytes file(60, 0);
    file[0] = 'B';
    file[1] = 'M';
    file[34] = 0x24;
    MatchWindowsBitmapHeader(file.data(), static_cast<int>(file.size()));
    EXPECT_EQ(Get32(file, 34), 0u);

    file[30] = 3;  // BI_BITFIELDS: the size stays
    file[34] = 0x24;
    MatchWindowsBitmapHeader(file.data(), static_cast<int>(file.size()));
    EXPECT_EQ(Get32(file, 34), 0x24u);

    Bytes shortFile(file.begin(), file.begin() + 40);
    shortFile[30] = 0;
    MatchWindowsBitmapHeader(shortFile.data(), static_cast<int>(shortFile.size()));
    EXPECT_EQ(shortFile[34], 0x24);
}

}  // namespace
