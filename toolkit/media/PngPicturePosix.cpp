// PngPicture through libpng: every pixel format is turned into 8-bit blue, green, red (the
// palette and grey expanded, 16-bit samples cut to their high byte, alpha dropped), held top
// row first, and written as GDI+ writes a 24-bit BMP. The rows of a non-interlaced picture
// are kept one at a time as they decode, so a header that claims a huge picture costs only
// what the file really holds.
#include "engine/PngPicture.h"

#include <png.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "toolkit/base/Stream.h"

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
// GDI+ gives a picture without a resolution 96 dots per inch.
constexpr uint32_t kDefaultPixelsPerMetre = 3780;
// An interlaced picture is decoded whole; beyond this it is refused rather than allocated.
constexpr size_t kMaxInterlacedBytes = 256u << 20;

void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

void ReadFromStream(png_structp png, png_bytep data, size_t length) {
    Stream* stream = static_cast<Stream*>(png_get_io_ptr(png));
    if (length > INT_MAX || stream->Read(data, static_cast<int>(length)) != static_cast<int>(length))
        png_error(png, "truncated");
}

void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void Ignore(png_structp, png_const_charp) {}

// GDI+ keeps the resolution as dots per inch and rounds it back to pixels per metre.
uint32_t PixelsPerMetre(png_structp png, png_infop info, bool horizontal) {
    png_uint_32 x = 0;
    png_uint_32 y = 0;
    int unit = 0;
    if (!png_get_pHYs(png, info, &x, &y, &unit) || unit != PNG_RESOLUTION_METER)
        return kDefaultPixelsPerMetre;
    const double dotsPerInch = (horizontal ? x : y) * 0.0254;
    return static_cast<uint32_t>(std::lround(dotsPerInch / 0.0254));
}

}  // namespace

struct PngPicture::Decoded {
    int width = 0;
    int height = 0;
    uint32_t xPixelsPerMetre = kDefaultPixelsPerMetre;
    uint32_t yPixelsPerMetre = kDefaultPixelsPerMetre;
    std::vector<uint8_t> rows;  // blue, green, red; width * 3 bytes a row, top row first
};

namespace {

void AskForBlueGreenRed(png_structp png, png_infop info) {
    const int colour = png_get_color_type(png, info);
    if (colour == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_bgr(png);
}

// Only plain data lives in this frame: a decoding error jumps back here from inside libpng.
bool Decode(png_structp png, png_infop info, PngPicture::Decoded& out) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || width > INT_MAX / 3 || height > INT_MAX)
        return false;
    AskForBlueGreenRed(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != static_cast<size_t>(width) * 3)
        return false;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.xPixelsPerMetre = PixelsPerMetre(png, info, true);
    out.yPixelsPerMetre = PixelsPerMetre(png, info, false);
    if (passes > 1) {
        if (rowBytes * height > kMaxInterlacedBytes)
            return false;
        out.rows.resize(rowBytes * height);
        for (int pass = 0; pass < passes; pass++)
            for (png_uint_32 y = 0; y < height; y++)
                png_read_row(png, &out.rows[y * rowBytes], nullptr);
        return true;
    }
    for (png_uint_32 y = 0; y < height; y++) {
        out.rows.resize((y + 1) * rowBytes);
        png_read_row(png, &out.rows[y * rowBytes], nullptr);
    }
    return true;
}

}  // namespace

PngPicture::PngPicture() = default;
PngPicture::~PngPicture() = default;

bool PngPicture::Load(Stream& png) {
    Release();
    png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &Fail, &Ignore);
    if (!reader)
        return false;
    png_infop info = png_create_info_struct(reader);
    std::unique_ptr<Decoded> decoded(new Decoded);
    bool loaded = false;
    if (info) {
        png_set_read_fn(reader, &png, &ReadFromStream);
        loaded = Decode(reader, info, *decoded);
    }
    png_destroy_read_struct(&reader, info ? &info : nullptr, nullptr);
    if (loaded)
        decoded_ = std::move(decoded);
    return loaded;
}

int PngPicture::Width() const {
    return decoded_ ? decoded_->width : 0;
}

int PngPicture::Height() const {
    return decoded_ ? decoded_->height : 0;
}

bool PngPicture::SaveAsBitmap(Stream& bitmap) const {
    if (!decoded_ || !BitmapFitsInFile(decoded_->width, decoded_->height))
        return false;
    const int rowBytes = decoded_->width * 3;
    const int stride = (rowBytes + 3) / 4 * 4;
    const int pixelStart = kFileHeaderBytes + kInfoHeaderBytes;
    uint8_t header[kFileHeaderBytes + kInfoHeaderBytes] = {'B', 'M'};
    Put32(header + 2, static_cast<uint32_t>(pixelStart + stride * decoded_->height));
    Put32(header + 10, pixelStart);
    uint8_t* const infoHeader = header + kFileHeaderBytes;
    Put32(infoHeader, kInfoHeaderBytes);
    Put32(infoHeader + 4, static_cast<uint32_t>(decoded_->width));
    Put32(infoHeader + 8, static_cast<uint32_t>(decoded_->height));
    Put16(infoHeader + 12, 1);
    Put16(infoHeader + 14, 24);
    Put32(infoHeader + 24, decoded_->xPixelsPerMetre);
    Put32(infoHeader + 28, decoded_->yPixelsPerMetre);
    if (bitmap.Write(header, sizeof(header)) != static_cast<int>(sizeof(header)))
        return false;
    std::vector<uint8_t> row(stride, 0);
    for (int y = decoded_->height - 1; y >= 0; y--) {
        memcpy(row.data(), &decoded_->rows[static_cast<size_t>(y) * rowBytes], rowBytes);
        if (bitmap.Write(row.data(), stride) != stride)
            return false;
    }
    return true;
}

void PngPicture::Release() {
    decoded_.reset();
}
