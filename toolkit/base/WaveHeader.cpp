// The RIFF WAVE header reader; see WaveHeader.h.
#include "toolkit/base/WaveHeader.h"

#include <cstring>

#include "toolkit/base/ByteOrder.h"
#include "toolkit/base/Stream.h"

namespace {

constexpr int kMinFormatBytes = 16;

bool ReadTag(Stream& stream, const char* tag) {
    char bytes[4];
    return stream.Read(bytes, 4) == 4 && memcmp(bytes, tag, 4) == 0;
}

bool ReadFormat(Stream& stream, WaveHeader& header) {
    uint32_t size = 0;
    if (!ReadTag(stream, "fmt ") || !ReadU32(stream, size))
        return false;
    if (size < kMinFormatBytes || size > WaveHeader::kMaxFormatBytes)
        return false;
    if (stream.Read(header.format, static_cast<int>(size)) != static_cast<int>(size))
        return false;
    header.formatSize = static_cast<int>(size);
    const uint16_t bits = header.BitsPerSample();
    if (bits != 8 && bits != 16 && bits != 32)
        return false;
    // A frame must hold one whole sample per channel; anything else would make every frame
    // computation (and the muting of channels) address outside the frame.
    return header.Channels() != 0 && header.BlockAlign() >= header.Channels() * (bits / 8);
}

}  // namespace

uint16_t WaveHeader::Channels() const {
    return LoadU16(format + 2);
}

uint16_t WaveHeader::BlockAlign() const {
    return LoadU16(format + 12);
}

uint16_t WaveHeader::BitsPerSample() const {
    return LoadU16(format + 14);
}

bool ReadWaveHeader(Stream& stream, WaveHeader& header) {
    header = WaveHeader();
    uint32_t riffSize = 0;
    return ReadTag(stream, "RIFF") && ReadU32(stream, riffSize) && ReadTag(stream, "WAVE") &&
           ReadFormat(stream, header) && ReadTag(stream, "data") && ReadU32(stream, header.dataSize);
}
