// Test-support writers of carrier files: they hide a raw archive in a 16-bit PCM WAV or a
// 24-bit BMP exactly the way the extraction reads it back, and write PNG pictures by hand, so
// that tests can feed the carrier readers with known payloads. Not part of the product.
//
// Wave carrier (mono, 16-bit PCM):
//   "RIFF" size "WAVE" | "fmt " 16 PCM fields | "data" D | L (4 bytes, plain) | groups
//   each group: 8 sample bytes s0..s7 carrying 5 payload bytes p0..p4:
//     s0 = p1, s2 = p2, s4 = p3, s6 = p4 (whole low bytes of the four samples)
//     the two lowest bits of s1, s3, s5, s7 = bits 7-6, 5-4, 3-2, 1-0 of p0
//   the other bits of s1, s3, s5, s7 are random; the payload's last group is padded randomly.
// Bitmap carrier (24-bit, 2835 pixels per metre, bottom-up rows padded to 4 bytes):
//   pixel 0 of the first row is the marker; byte value = (B&3) | (G&7)<<2 | (R&7)<<5.
//   byte mode (marker byte value 1): pixels from 2 of the first row (later rows from 0) carry
//     one byte each (the byte value).
//   word mode (any other marker): pixels from 1 of the first row (later rows from 0) carry
//     two bytes each,
//     first = (G&15) | (R&15)<<4, second = (B&63) | (G&16)<<2 | (R&16)<<3.
//   The carried bytes are L (4 bytes) followed by the L payload bytes; unused bits are random.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/ArchiveWriter.h"

namespace kvrtest {

struct WaveCarrierSpec {
    size_t extraDataBytes = 0;  // random bytes appended to the data chunk after the groups
};
Bytes BuildWaveCarrier(const Bytes& payload, const WaveCarrierSpec& spec = WaveCarrierSpec());

// Pictures of 2835 pixels per metre, with the marker value 0 in word mode.
struct BitmapCarrierSpec {
    bool byteMode = true;
    int width = 16;     // pixels per row
    int minHeight = 1;  // rows beyond those the payload needs are random
};

Bytes BuildBitmapCarrier(const Bytes& payload, const BitmapCarrierSpec& spec = BitmapCarrierSpec());
// The same pixels as a hand-written PNG: IHDR (8-bit RGB), pHYs (2835 per metre),
// one IDAT (filter 0 on every row), IEND; rows top first, so that a reader turning it back
// into a bottom-up BMP yields the same file order.
Bytes BuildPngCarrier(const Bytes& payload, const BitmapCarrierSpec& spec = BitmapCarrierSpec());

// Pieces, for the sound and picture tests' hand-made and broken files.
struct WaveFormat {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    uint16_t blockAlign = 0;  // 0: channels * bits / 8
    int extraBytes = 0;       // bytes after the 16 PCM fields (the first two are the extension size)
};
Bytes FormatChunk(const WaveFormat& format);
// A tag, the content's size and the content.
Bytes Chunk(const char* tag, const Bytes& content);
// A "data" chunk that declares `declared` bytes but holds `samples`.
Bytes DataChunk(const Bytes& samples, uint32_t declared);
// "RIFF" size "WAVE" followed by the chunks in order.
Bytes RiffWave(const std::vector<Bytes>& chunks);
// 8-bit RGB or RGBA PNG of width x height from ARGB pixels, top row first (alpha is dropped
// for RGB), so that what GDI+ decodes is known byte for byte. A pHYs chunk in pixels per
// metre when ppm > 0.
Bytes BuildPng(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha, uint32_t ppm);

}  // namespace kvrtest
