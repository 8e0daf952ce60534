// Image: the toolkit's picture, one GDI+ bitmap plus the settings that say how Draw fits it
// into a rectangle (draw mode, background fill, transparent key colour). Pictures are decoded
// from and encoded to toolkit streams through an in-memory COM stream, so files, memory and
// resources share one path. Colours of the toolkit are 0x00BBGGRR; pixels crossing the GDI+
// boundary are ARGB 0xAARRGGBB. GDI+ must be started (GraphicsStartup) before the first image
// gets a bitmap and stopped only after the last one is gone. One Image is used by one thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/String.h"

class Stream;
namespace Gdiplus {
class Bitmap;
class Graphics;
struct Rect;
}  // namespace Gdiplus

class Image {
public:
    static constexpr int kPixelFormat32bppARGB = 0x26200A;
    static constexpr int kPixelFormat24bppRGB = 0x21808;
    // Special colour words: "none" (do not fill / no key) and "see-through" (do not fill).
    static constexpr uint32_t kNoColor = 0xFF000000;
    static constexpr uint32_t kSeeThrough = 0xFF000001;

    enum DrawMode { kModeTopLeft = 0, kModeCentre = 1, kModeStretch = 2, kModeTile = 3, kModeFit = 4 };
    // Save formats; any other code saves BMP.
    enum Format { kFormatBmp = 0, kFormatJpeg = 1, kFormatPng = 2, kFormatGif = 3 };

    Image();
    Image(int width, int height, int pixelFormat = kPixelFormat32bppARGB);
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    virtual ~Image();

    bool Create(int width, int height, int pixelFormat = kPixelFormat32bppARGB);
    bool CreateFromBitmapHandle(HBITMAP bitmap);
    // A copy of an area of the source (-1 = the source's full width or height), in its pixel format.
    bool CopyFrom(const Image& source, int x = 0, int y = 0, int width = -1, int height = -1);
    // Decodes the next `count` bytes of the stream (-1 = up to the end); the position advances
    // by the bytes taken. A failed load leaves the image empty.
    bool LoadFromStream(Stream* stream, int count = -1);
    // The whole source redrawn at another size (32-bit ARGB) with high-quality bicubic
    // filtering; slow enough to be done once per picture and size, never per frame.
    bool ResampleFrom(const Image& source, int width, int height);
    bool LoadFromResource(const char* type, int id, HMODULE module);
    // Appends the encoded picture at the stream's position. BMP output is 24-bit for 24-bit
    // pictures, keeps the picture's resolution and carries 0 as the image size of an
    // uncompressed bitmap, as GDI+ on Windows writes it.
    bool SaveToStream(Stream* stream, int format) const;
    void Release();

    void Clear(uint32_t color);
    bool FillRect(const Gdiplus::Rect& rect, uint32_t argb);

    bool IsEmpty() const { return bitmap_ == nullptr; }
    int Width() const;
    int Height() const;
    int PixelFormat() const;
    // ARGB; false outside the picture or without a bitmap.
    bool GetPixel(int x, int y, uint32_t* argb) const;
    bool SetPixel(int x, int y, uint32_t argb);

    // Greys (or shifts the brightness of) every pixel of the area (null = whole picture) whose
    // colour without alpha differs from `skip`; rewritten pixels become opaque.
    void Recolor(const Gdiplus::Rect* area, uint32_t skip);
    void RecolorBy(int amount, const Gdiplus::Rect* area, uint32_t skip);

    // Window region of every pixel not of the key colour; null on failure. The caller owns it.
    HRGN CreateRegion(uint32_t key) const;
    // A system bitmap of the picture, transparent parts composited on opaque black; caller deletes.
    HBITMAP CreateBitmapHandle() const;

    // Draws by `mode`; a source rectangle with width or height -1 means the whole picture.
    void Draw(Gdiplus::Graphics* graphics, const Gdiplus::Rect& destination, const Gdiplus::Rect& source) const;
    void Draw(Gdiplus::Graphics* graphics, const Gdiplus::Rect& destination) const;

    // A 16 x 16 picture whose pixel (i mod 16, i div 16) is colours[i]; centred, no background.
    bool FromColorTable(const uint32_t colors[256]);

    uint32_t Tag() const { return tag_; }
    void SetTag(uint32_t tag) { tag_ = tag; }
    const String& Name() const { return name_; }
    void SetName(const char* name) { name_ = name; }
    uint32_t Background() const { return background_; }
    void SetBackground(uint32_t color) { background_ = color; }
    uint32_t Key() const { return key_; }
    void SetKey(uint32_t color) { key_ = color; }
    int Mode() const { return mode_; }
    void SetMode(int mode) { mode_ = mode; }
    Gdiplus::Bitmap* Bitmap() const { return bitmap_; }

    // Index of the GDI+ encoder for the MIME type, its class id copied out; -1 when none.
    static int FindEncoder(const wchar_t* mimeType, CLSID* classId);

private:
    void Adopt(Gdiplus::Bitmap* bitmap);
    void RecolorWith(const Gdiplus::Rect* area, uint32_t skip, bool byShift, int amount);
    void FillAround(Gdiplus::Graphics* graphics, const Gdiplus::Rect& destination, const Gdiplus::Rect& picture) const;

    uint32_t tag_ = 0;
    String name_;
    Gdiplus::Bitmap* bitmap_ = nullptr;
    uint32_t background_ = 0x00FFFFFF;
    uint32_t key_ = kNoColor;
    int mode_ = kModeTopLeft;
};
