// Makes a BMP file written by GDI+ under Wine carry the header that GDI+ on Windows writes.
// Wine's encoder keeps the picture's resolution and writes 24 bits per pixel, but fills the
// image-size field of an uncompressed bitmap with stride x height where Windows writes 0;
// the bitmap carrier format accepts only 0 there.
#pragma once

#include <cstdint>

// Offsets in the file: a 14-byte file header, then the 40-byte information header.
constexpr int kBmpInfoHeaderOffset = 14;
constexpr int kBmpHeaderBytes = 54;

// Patches the encoded file in place: the image size of an uncompressed (BI_RGB) bitmap
// becomes 0. Anything that is not a BMP with both headers is left alone.
void MatchWindowsBitmapHeader(uint8_t* file, int size);
