// CarrierDecode: the two carriers' inner loops over runs of whole units, wide where the
// processor allows (SSSE3 byte shuffles) and one unit at a time otherwise, with the same
// result either way.
//   Bitmap, word mode: each 24-bit pixel (blue, green, red) gives two bytes,
//     first  = (G & 15) | (R & 15) << 4
//     second = (B & 63) | (G & 16) << 2 | (R & 16) << 3
//   Wave: each group of 8 sample bytes s0..s7 gives five,
//     ((s1 & 3) << 6 | (s3 & 3) << 4 | (s5 & 3) << 2 | (s7 & 3)), s0, s2, s4, s6
#pragma once

#include <cstdint>

// Writes the two values of each of count pixels at bgr to out (2 * count bytes).
void DecodeWordPixels(const uint8_t* bgr, int count, uint8_t* out);

// Extra bytes DecodeWaveGroups may write past its result (scratch of its wide stores).
constexpr int kWaveDecodeSlack = 16;
// Writes the five payload bytes of each of count groups at samples to out (5 * count bytes,
// which must have kWaveDecodeSlack more bytes of room).
void DecodeWaveGroups(const uint8_t* samples, int count, uint8_t* out);
