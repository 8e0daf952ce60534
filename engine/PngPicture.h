// PngPicture: a PNG picture decoded for the PNG carrier route, which saves it as the 24-bit
// BMP file that the bitmap carrier reads (bottom-up rows of blue, green, red, the picture's
// resolution, or 96 dots per inch without one). Each system decodes with its own library:
// toolkit/media/PngPictureWin32.cpp through GDI+ (which must be started), and
// toolkit/media/PngPicturePosix.cpp through libpng, which writes the same bitmap for the
// 8-bit RGB and RGBA pictures that carriers are (alpha is dropped, as GDI+ does).
#pragma once

#include <cstdint>
#include <memory>

class Stream;

class PngPicture {
public:
    PngPicture();
    ~PngPicture();
    PngPicture(const PngPicture&) = delete;
    PngPicture& operator=(const PngPicture&) = delete;

    // Decodes the picture from the stream's position to its end; false when it is none.
    bool Load(Stream& png);
    // 0 before a successful Load.
    int Width() const;
    int Height() const;
    // Writes the whole BMP file at the stream's position.
    bool SaveAsBitmap(Stream& bitmap) const;
    void Release();

    // What each system's decoder keeps of the picture; defined in its own file.
    struct Decoded;

private:
    std::unique_ptr<Decoded> decoded_;
};

// The bitmap file's size must stay a signed 32-bit count like every stream size.
inline bool BitmapFitsInFile(int64_t width, int64_t height) {
    const int64_t stride = (width * 3 + 3) / 4 * 4;
    return stride * height < INT32_MAX - 1024;
}
