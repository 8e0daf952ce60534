// BMP header adjustment after encoding; see BitmapFileFix.h.
#include "toolkit/media/BitmapFileFix.h"

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr int kCompressionOffset = kBmpInfoHeaderOffset + 16;
constexpr int kImageSizeOffset = kBmpInfoHeaderOffset + 20;

uint32_t Get32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void Put32(uint8_t* p, uint32_t value) {
    p[0] = value & 0xFF;
    p[1] = (value >> 8) & 0xFF;
    p[2] = (value >> 16) & 0xFF;
    p[3] = (value >> 24) & 0xFF;
}

}  // namespace

void MatchWindowsBitmapHeader(uint8_t* file, int size) {
    if (!file || size < kBmpHeaderBytes || file[0] != 'B' || file[1] != 'M') {
        return;
    }
    if (Get32(file + kCompressionOffset) == kBiRgb) {
        Put32(file + kImageSizeOffset, 0);
    }
}
