// Support of the image tests; see TestPictures.h.
#include "tests/toolkit/media/TestPictures.h"

#include <vector>

#include "toolkit/base/Stream.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"

namespace mediatest {

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
