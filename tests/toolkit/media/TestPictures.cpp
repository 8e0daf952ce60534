// Hand-written PNG files for the image tests.
#include "tests/toolkit/media/TestPictures.h"

#include <zlib.h>

#include <cstring>
#include <vector>

#include "toolkit/base/Stream.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"

namespace mediatest {
namespace {

void Put32Big(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void AppendChunk(Bytes& out, const char* type, const Bytes& data) {
    Put32Big(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    Put32Big(out, static_cast<uint32_t>(crc));
}

}  // namespace

Bytes BuildPng(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha, uint32_t ppm) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes file(kSignature, kSignature + 8);
    Bytes header;
    Put32Big(header, static_cast<uint32_t>(width));
    Put32Big(header, static_cast<uint32_t>(height));
    header.push_back(8);
    header.push_back(withAlpha ? 6 : 2);
    header.push_back(0);
    header.push_back(0);
    header.push_back(0);
    AppendChunk(file, "IHDR", header);
    if (ppm > 0) {
        Bytes phys;
        Put32Big(phys, ppm);
        Put32Big(phys, ppm);
        phys.push_back(1);
        AppendChunk(file, "pHYs", phys);
    }
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y) * width + x];
            raw.push_back(static_cast<uint8_t>(p >> 16));
            raw.push_back(static_cast<uint8_t>(p >> 8));
            raw.push_back(static_cast<uint8_t>(p));
            if (withAlpha) {
                raw.push_back(static_cast<uint8_t>(p >> 24));
            }
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packedSize);
    AppendChunk(file, "IDAT", packed);
    AppendChunk(file, "IEND", Bytes());
    return file;
}

void GraphicsTest::SetUpTestSuite() {
    ASSERT_TRUE(GraphicsStartup());
}

void GraphicsTest::TearDownTestSuite() {
    GraphicsShutdown();
}

void WriteBytes(Stream* stream, const Bytes& bytes) {
    stream->Write(bytes.data(), static_cast<int>(bytes.size()));
}

Bytes ReadAll(Stream* stream) {
    stream->Seek(0);
    Bytes bytes(static_cast<size_t>(stream->GetSize()));
    const int read = stream->Read(bytes.data(), static_cast<int>(bytes.size()));
    bytes.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return bytes;
}

std::vector<uint32_t> PixelsOf(const Image& image) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            uint32_t argb = 0;
            image.GetPixel(x, y, &argb);
            pixels.push_back(argb);
        }
    }
    return pixels;
}

uint16_t Get16(const Bytes& b, int offset) {
    return static_cast<uint16_t>(b[offset] | (b[offset + 1] << 8));
}

uint32_t Get32(const Bytes& b, int offset) {
    return b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) | (static_cast<uint32_t>(b[offset + 3]) << 24);
}

int GdiRoom() {
    std::vector<HRGN> regions;
    for (HRGN region; (region = CreateRectRgn(0, 0, 1, 1)) != nullptr;)
        regions.push_back(region);
    for (HRGN region : regions)
        DeleteObject(region);
    return static_cast<int>(regions.size());
}

}  // namespace mediatest
