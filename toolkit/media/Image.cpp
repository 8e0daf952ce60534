// Image: creation, copies, pixel access and the per-pixel recolouring. Streams and encoders
// are in ImageCodec.cpp, drawing in ImageDraw.cpp.
#include "toolkit/media/Image.h"

#include "toolkit/media/GdiplusApi.h"

#include "toolkit/media/DrawingHelpers.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/GdiplusColor.h"
#include "toolkit/media/RegionBuilder.h"

Image::Image() = default;

Image::Image(int width, int height, int pixelFormat) {
    Create(width, height, pixelFormat);
}

Image::~Image() {
    Release();
}

void Image::Release() {
    delete bitmap_;
    bitmap_ = nullptr;
}

void Image::Adopt(Gdiplus::Bitmap* bitmap) {
    Release();
    if (bitmap && (bitmap->GetLastStatus() != Gdiplus::Ok || bitmap->GetWidth() == 0 || bitmap->GetHeight() == 0)) {
        delete bitmap;
        bitmap = nullptr;
    }
    bitmap_ = bitmap;
}

bool Image::Create(int width, int height, int pixelFormat) {
    Release();
    if (width <= 0 || height <= 0) {
        return false;
    }
    Adopt(new Gdiplus::Bitmap(width, height, pixelFormat));
    return bitmap_ != nullptr;
}

bool Image::CreateFromBitmapHandle(HBITMAP bitmap) {
    Release();
    if (!bitmap) {
        return false;
    }
    Adopt(Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr));
    return bitmap_ != nullptr;
}

bool Image::CopyFrom(const Image& source, int x, int y, int width, int height) {
    if (!source.bitmap_) {
        Release();
        return false;
    }
    // The area is clipped to the source: -1 (or too much) means up to its right or bottom edge.
    const int sourceWidth = source.Width();
    const int sourceHeight = source.Height();
    if (x < 0 || y < 0 || x >= sourceWidth || y >= sourceHeight) {
        Release();
        return false;
    }
    if (width < 0 || width > sourceWidth - x) {
        width = sourceWidth - x;
    }
    if (height < 0 || height > sourceHeight - y) {
        height = sourceHeight - y;
    }
    // Cloned before releasing, so that an image can copy an area of itself.
    Gdiplus::Bitmap* copy = source.bitmap_->Clone(x, y, width, height, source.bitmap_->GetPixelFormat());
    Adopt(copy);
    return bitmap_ != nullptr;
}

int Image::Width() const {
    return bitmap_ ? static_cast<int>(bitmap_->GetWidth()) : 0;
}

int Image::Height() const {
    return bitmap_ ? static_cast<int>(bitmap_->GetHeight()) : 0;
}

int Image::PixelFormat() const {
    return bitmap_ ? static_cast<int>(bitmap_->GetPixelFormat()) : 0;
}

bool Image::GetPixel(int x, int y, uint32_t* argb) const {
    if (!bitmap_ || x < 0 || y < 0 || x >= Width() || y >= Height()) {
        return false;
    }
    Gdiplus::Color color;
    if (bitmap_->GetPixel(x, y, &color) != Gdiplus::Ok) {
        return false;
    }
    *argb = color.GetValue();
    return true;
}

bool Image::SetPixel(int x, int y, uint32_t argb) {
    if (!bitmap_ || x < 0 || y < 0 || x >= Width() || y >= Height()) {
        return false;
    }
    return bitmap_->SetPixel(x, y, Gdiplus::Color(argb)) == Gdiplus::Ok;
}

void Image::Clear(uint32_t color) {
    if (!bitmap_) {
        return;
    }
    Gdiplus::Graphics graphics(bitmap_);
    graphics.Clear(Gdiplus::Color(ToOpaqueArgb(color)));
}

bool Image::FillRect(const Gdiplus::Rect& rect, uint32_t argb) {
    if (!bitmap_) {
        return false;
    }
    Gdiplus::Graphics graphics(bitmap_);
    Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
    return graphics.FillRectangle(&brush, rect) == Gdiplus::Ok;
}

void Image::Recolor(const Gdiplus::Rect* area, uint32_t skip) {
    RecolorWith(area, skip, false, 0);
}

void Image::RecolorBy(int amount, const Gdiplus::Rect* area, uint32_t skip) {
    RecolorWith(area, skip, true, amount);
}

void Image::RecolorWith(const Gdiplus::Rect* area, uint32_t skip, bool byShift, int amount) {
    if (!bitmap_) {
        return;
    }
    Gdiplus::Rect rect(0, 0, Width(), Height());
    if (area && !rect.Intersect(*area)) {
        return;
    }
    // One locked 32-bit ARGB view of the area instead of a GDI+ call per pixel; GDI+ converts
    // the view back into the bitmap's own format on unlock.
    Gdiplus::BitmapData data;
    if (bitmap_->LockBits(&rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB,
                          &data) != Gdiplus::Ok) {
        return;
    }
    for (int y = 0; y < rect.Height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < rect.Width; ++x) {
            const uint32_t color = FromArgb(row[x]);
            if (color == skip) {
                continue;
            }
            row[x] = ToOpaqueArgb(byShift ? ShiftBrightness(color, amount) : GreyOf(color));
        }
    }
    bitmap_->UnlockBits(&data);
}

HBITMAP Image::CreateBitmapHandle() const {
    if (!bitmap_) {
        return nullptr;
    }
    HBITMAP handle = nullptr;
    if (bitmap_->GetHBITMAP(Gdiplus::Color(0xFF000000), &handle) != Gdiplus::Ok) {
        return nullptr;
    }
    return handle;
}

HRGN Image::CreateRegion(uint32_t key) const {
    GdiObject<HBITMAP> handle(CreateBitmapHandle());
    if (!handle) {
        return nullptr;
    }
    return BuildRegionFromBitmap(handle.Get(), key, 0);
}

bool Image::FromColorTable(const uint32_t colors[256]) {
    if (!Create(16, 16, kPixelFormat32bppARGB)) {
        return false;
    }
    Gdiplus::Rect rect(0, 0, 16, 16);
    Gdiplus::BitmapData data;
    if (bitmap_->LockBits(&rect, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return false;
    }
    for (int i = 0; i < 256; ++i) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + (i / 16) * data.Stride);
        row[i % 16] = colors[i];
    }
    bitmap_->UnlockBits(&data);
    mode_ = kModeCentre;
    background_ = kNoColor;
    return true;
}
