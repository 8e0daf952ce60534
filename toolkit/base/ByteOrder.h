// ByteOrder: the little-endian integers of the binary formats (archives, chunk headers,
// wave and bitmap headers), read from bytes in memory or from a stream.
#pragma once

#include <cstdint>

#include "toolkit/base/Stream.h"

inline uint16_t LoadU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

inline uint32_t LoadU32(const uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// False when the stream ends before four bytes.
inline bool ReadU32(Stream& stream, uint32_t& value) {
    uint8_t bytes[4];
    if (stream.Read(bytes, 4) != 4)
        return false;
    value = LoadU32(bytes);
    return true;
}
