// LayeredBitmap; see LayeredBitmap.h.
#include "toolkit/window/LayeredBitmap.h"

#include "toolkit/media/GdiplusApi.h"

#include <cstring>

LayeredBitmap::~LayeredBitmap() {
    Release();
}

bool LayeredBitmap::Create(int width, int height) {
    Release();
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, so rows match GDI+'s order
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits) {
        Release();
        return false;
    }
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) {
        Release();
        return false;
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    pixels_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    memset(pixels_, 0, static_cast<size_t>(width) * height * sizeof(uint32_t));
    return true;
}

void LayeredBitmap::Release() {
    if (dc_) {
        if (oldBitmap_)
            SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    oldBitmap_ = nullptr;
    pixels_ = nullptr;
    width_ = height_ = 0;
}

uint32_t LayeredBitmap::PixelAt(int x, int y) const {
    if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    GdiFlush();  // GDI may still hold drawing to the section in its batch
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

Gdiplus::Bitmap* LayeredBitmap::NewGdiplusBitmap() const {
    if (!pixels_)
        return nullptr;
    GdiFlush();
    auto* bitmap = new Gdiplus::Bitmap(width_, height_, width_ * 4, PixelFormat32bppPARGB,
                                       reinterpret_cast<BYTE*>(pixels_));
    if (bitmap->GetLastStatus() != Gdiplus::Ok) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}
