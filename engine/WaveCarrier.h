// WaveCarrier: recovers a raw archive hidden in a 16-bit PCM WAV file.
//
//   "RIFF" size "WAVE" | "fmt " (16 bits per sample) | "data" D | L | groups of 8 bytes
//   L: payload length, 4 bytes little-endian, stored plainly
//   group s0..s7 (four 16-bit samples, low byte first) -> 5 payload bytes:
//     ((s1&3)<<6 | (s3&3)<<4 | (s5&3)<<2 | (s7&3)), s0, s2, s4, s6
// A trailing part-group carries nothing; exactly L payload bytes are written.
#pragma once

#include <cstdint>

#include "engine/DecryptRequest.h"
#include "toolkit/base/String.h"

class Stream;

// Writes the payload into raw at its position. On failure ("Unknown Error" when the file does
// not open, the WAV message when it is no 16-bit wave) or cancel raises the closing events
// itself and gives false. capacity (when given) receives the payload bytes the samples could
// carry.
bool ExtractWavePayload(Stream& raw,
                        const String& wavePath,
                        const RequestCallbackBlock& block,
                        int64_t* capacity = nullptr);
