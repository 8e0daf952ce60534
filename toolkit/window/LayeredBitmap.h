// LayeredBitmap: the picture a layered window hands to the system. Per-pixel alpha needs a
// 32-bit top-down DIB section with premultiplied alpha (a screen-compatible bitmap carries no
// usable alpha, and the window would show black); GDI+ draws into the same memory through a
// premultiplied-ARGB bitmap that wraps the section's pixels without copying them.
#pragma once

#include <windows.h>

#include <cstdint>

namespace Gdiplus {
class Bitmap;
}

class LayeredBitmap {
public:
    LayeredBitmap() = default;
    ~LayeredBitmap();
    LayeredBitmap(const LayeredBitmap&) = delete;
    LayeredBitmap& operator=(const LayeredBitmap&) = delete;

    // A width x height section selected into a memory context, every pixel fully transparent.
    bool Create(int width, int height);
    void Release();

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Premultiplied 0xAARRGGBB, rows top first; null before Create.
    uint32_t* Pixels() const { return pixels_; }
    // The pixel at (x, y), 0 outside the picture.
    uint32_t PixelAt(int x, int y) const;
    // A GDI+ bitmap over the same pixels (no copy); the caller deletes it before Release.
    Gdiplus::Bitmap* NewGdiplusBitmap() const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
