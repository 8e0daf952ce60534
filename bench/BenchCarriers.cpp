// Streaming writers of the benchmark's carrier files; see BenchInputs.h.
//   WAV: RIFF | "fmt " (PCM, mono, 16 bits) | "data" D | L | groups of 8 sample bytes, each
//        carrying 5 payload bytes: s0, s2, s4, s6 whole; bits 7-6, 5-4, 3-2, 1-0 of the first
//        payload byte in the two low bits of s1, s3, s5, s7.
//   BMP: "BM" | 40-byte header (24 bits, 2835 pixels per metre) | rows of 4096 pixels; the
//        first pixel a word-mode marker, then two carried bytes per pixel (L, then the payload):
//        first = (G&15) | (R&15)<<4, second = (B&63) | (G&16)<<2 | (R&16)<<3.
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/BenchInputs.h"

namespace {

struct FileCloser {
    void operator()(FILE* file) const {
        if (file)
            fclose(file);
    }
};
using File = std::unique_ptr<FILE, FileCloser>;

void PutU32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; i++)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

// The carried bytes: the length L, then the raw archive, then zeros.
class CarriedBytes {
public:
    CarriedBytes(FILE* raw, uint32_t length) : raw_(raw) { PutU32(lengthBytes_, length); }
    uint8_t Next() {
        if (lengthIndex_ < 4)
            return lengthBytes_[lengthIndex_++];
        const int c = fgetc(raw_);
        return c == EOF ? 0 : static_cast<uint8_t>(c);
    }

private:
    FILE* raw_;
    uint8_t lengthBytes_[4];
    int lengthIndex_ = 0;
};

}  // namespace

bool WriteWaveCarrierFile(const std::string& rawPath, const std::string& wavePath) {
    File raw(fopen(rawPath.c_str(), "rb"));
    File wave(fopen(wavePath.c_str(), "wb"));
    if (!raw || !wave)
        return false;
    const uint32_t length = static_cast<uint32_t>(BenchFileSize(rawPath));
    const uint32_t groups = (length + 4) / 5;
    const uint32_t dataSize = 4 + groups * 8;
    uint8_t header[48] = {};
    memcpy(header, "RIFF", 4);
    PutU32(header + 4, 36 + dataSize);
    memcpy(header + 8, "WAVEfmt ", 8);
    PutU32(header + 16, 16);
    PutU16(header + 20, 1);  // PCM
    PutU16(header + 22, 1);  // mono
    PutU32(header + 24, 44100);
    PutU32(header + 28, 88200);
    PutU16(header + 32, 2);
    PutU16(header + 34, 16);
    memcpy(header + 36, "data", 4);
    PutU32(header + 40, dataSize);
    PutU32(header + 44, length);  // stored plainly, not in low bits
    if (fwrite(header, 1, sizeof(header), wave.get()) != sizeof(header))
        return false;
    std::vector<uint8_t> block;
    block.reserve(8 * 8192);
    uint8_t p[5];
    for (uint32_t g = 0; g < groups; g++) {
        const size_t got = fread(p, 1, 5, raw.get());
        memset(p + got, 0, 5 - got);
        const uint8_t high = static_cast<uint8_t>(g * 37) & 0xFC;  // a little noise in the unused bits
        const uint8_t group[8] = {
            p[1], static_cast<uint8_t>(high | (p[0] >> 6)),       p[2], static_cast<uint8_t>(high | ((p[0] >> 4) & 3)),
            p[3], static_cast<uint8_t>(high | ((p[0] >> 2) & 3)), p[4], static_cast<uint8_t>(high | (p[0] & 3))};
        block.insert(block.end(), group, group + 8);
        if (block.size() >= 8 * 8192 || g + 1 == groups) {
            if (fwrite(block.data(), 1, block.size(), wave.get()) != block.size())
                return false;
            block.clear();
        }
    }
    return true;
}

bool WriteBitmapCarrierFile(const std::string& rawPath, const std::string& bitmapPath) {
    File raw(fopen(rawPath.c_str(), "rb"));
    File bitmap(fopen(bitmapPath.c_str(), "wb"));
    if (!raw || !bitmap)
        return false;
    const uint32_t length = static_cast<uint32_t>(BenchFileSize(rawPath));
    const int width = 4096;  // a row of 12288 bytes needs no padding
    const uint64_t pixels = 1 + (uint64_t(length) + 4 + 1) / 2;
    const int height = static_cast<int>((pixels + width - 1) / width);
    const uint32_t rowBytes = width * 3;
    uint8_t header[54] = {};
    header[0] = 'B';
    header[1] = 'M';
    PutU32(header + 2, 54 + rowBytes * height);
    PutU32(header + 10, 54);
    PutU32(header + 14, 40);
    PutU32(header + 18, width);
    PutU32(header + 22, height);
    PutU16(header + 26, 1);
    PutU16(header + 28, 24);
    PutU32(header + 38, 2835);
    PutU32(header + 42, 2835);
    if (fwrite(header, 1, sizeof(header), bitmap.get()) != sizeof(header))
        return false;
    CarriedBytes carried(raw.get(), length);
    std::vector<uint8_t> row(rowBytes);
    for (int r = 0; r < height; r++) {
        for (int x = 0; x < width; x++) {
            uint8_t* pixel = &row[x * 3];
            if (r == 0 && x == 0) {
                pixel[0] = pixel[1] = pixel[2] = 0x80;  // byte value 0: word mode
                continue;
            }
            const uint8_t first = carried.Next();
            const uint8_t second = carried.Next();
            pixel[0] = static_cast<uint8_t>(0x80 | (second & 63));                          // blue
            pixel[1] = static_cast<uint8_t>(0x40 | (first & 15) | ((second & 0x40) >> 2));  // green
            pixel[2] = static_cast<uint8_t>(0x20 | (first >> 4) | ((second & 0x80) >> 3));  // red
        }
        if (fwrite(row.data(), 1, rowBytes, bitmap.get()) != rowBytes)
            return false;
    }
    return true;
}
