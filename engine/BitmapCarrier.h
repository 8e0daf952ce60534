// BitmapCarrier: recovers a raw archive hidden in a 24-bit uncompressed BMP file.
//
//   "BM" (14-byte file header) | 40-byte information header | pixel rows from offset 54
//   information header: planes 1, 24 bits, compression 0, image size 0, 2835 x 2835 pixels
//     per metre, 0 colours used, 0 important (anything else: not a carrier)
//   rows: file order (bottom row first), width pixels of B, G, R, padded to 4 bytes
//   pixel 0 of the first row is the marker; its byte value
//     (B&3) | (G&7)<<2 | (R&7)<<5
//   1: byte mode, one byte per pixel (that byte value) from pixel 2 of the first row;
//   else word mode, two bytes per pixel from pixel 1:
//     (G&15) | (R&15)<<4, then (B&63) | (G&16)<<2 | (R&16)<<3
//   later rows from pixel 0. The carried bytes are L (4 bytes little-endian) and L payload
//   bytes; in word mode with an odd L the last pixel's second byte is not payload.
#pragma once

#include <cstdint>

#include "engine/DecryptRequest.h"
#include "toolkit/base/String.h"

class Stream;

// Writes the payload into raw at its position. pngMessages selects the PNG carrier message
// instead of the BMP one. A bitmap of height 0 or less yields nothing and succeeds. On failure
// or cancel raises the closing events itself and gives false. capacity (when given) receives
// the payload bytes the bitmap could carry in the mode its marker chose.
bool ExtractBitmapPayload(Stream& raw,
                          const String& bitmapPath,
                          const RequestCallbackBlock& block,
                          bool pngMessages,
                          int64_t* capacity = nullptr);
