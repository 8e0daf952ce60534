// WaveHeader: the header of a RIFF WAVE image up to its first sample byte, the one layout the
// toolkit's sounds and the engine's wave carriers accept (little-endian, each item in turn):
//   "RIFF" <size, not checked> "WAVE"
//   "fmt " <n, 16..40> <n bytes: tag, channels, rate, bytes/s, block align, bits (8/16/32), ...>
//   "data" <d>
// No chunk may stand between "WAVE" and "fmt " or between the format and "data" ("LIST" and
// "fact" chunks are refused). The data size d is declared, not checked against the stream.
#pragma once

#include <cstdint>

class Stream;

struct WaveHeader {
    static constexpr int kMaxFormatBytes = 40;

    // The format chunk as read (WAVEFORMATEX or its extensible form), formatSize bytes.
    uint8_t format[kMaxFormatBytes] = {};
    int formatSize = 0;
    uint32_t dataSize = 0;

    uint16_t Channels() const;
    uint16_t BlockAlign() const;
    uint16_t BitsPerSample() const;
};

// Reads the header from the stream's position and leaves the stream at the first sample byte.
// False for any other layout, a format of other than 8, 16 or 32 bits, or a frame too small
// to hold one sample per channel.
bool ReadWaveHeader(Stream& stream, WaveHeader& header);
