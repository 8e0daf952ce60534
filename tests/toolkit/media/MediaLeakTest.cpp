// GDI handle leaks: Wine's handle table fills at about 65 000 live objects, so more cycles
// than that of creating, using and destroying images, regions and system bitmaps must all
// succeed. One handle left behind per cycle would make the cycles fail part-way.
#include <gtest/gtest.h>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/media/Image.h"

using namespace mediatest;

namespace {

constexpr int kCycles = 66000;

class MediaLeakTest : public GraphicsTest {};

TEST_F(MediaLeakTest, ImagesRegionsAndBitmapsGiveBackTheirHandles) {
    Image picture(3, 2);
    picture.Clear(0x000000FF);
    picture.SetPixel(1, 1, 0xFF0000FF);
    MemoryStream png;
    ASSERT_TRUE(picture.SaveToStream(&png, Image::kFormatPng));
    for (int i = 0; i < kCycles; ++i) {
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
}

}  // namespace
