// GDI handle leaks: cycles of creating, using and destroying images, regions and system
// bitmaps must leave the room for new GDI objects as it was. One handle left behind per
// cycle would take thousands.
#include <gtest/gtest.h>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/media/Image.h"

using namespace mediatest;

namespace {

constexpr int kCycles = 4000;

class MediaLeakTest : public GraphicsTest {};

TEST_F(MediaLeakTest, ImagesRegionsAndBitmapsGiveBackTheirHandles) {
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
