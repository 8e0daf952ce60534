// PixelDecode: the word-mode values of runs of 24-bit bitmap pixels, for the bitmap carrier.
// Each pixel (blue, green, red) gives two bytes:
//   first  = (G & 15) | (R & 15) << 4
//   second = (B & 63) | (G & 16) << 2 | (R & 16) << 3
#pragma once

#include <cstdint>

// Writes the two values of each of count pixels at bgr to out (2 * count bytes).
void DecodeWordPixels(const uint8_t* bgr, int count, uint8_t* out);
