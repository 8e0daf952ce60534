// The carriers' inner decoding loops (the wide paths and every tail after them) against the
// plain formulas, and that nothing is written past the room the caller allows.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/CarrierDecode.h"
#include "tests/support/ArchiveWriter.h"

namespace {

using kvrtest::Bytes;
using kvrtest::PatternBytes;

TEST(CarrierDecode, EveryRunLengthGivesBothWordValuesOfEachPixel) {
    // Runs from 0 to 40 pixels cover the wide path (eight at a time) and every tail after it.
    const Bytes pixels = PatternBytes(40 * 3, 11);
    for (int count = 0; count <= 40; ++count) {
        Bytes expected;
        for (int k = 0; k < count; ++k) {
            const uint8_t b = pixels[3 * k], g = pixels[3 * k + 1], r = pixels[3 * k + 2];
            expected.push_back(static_cast<uint8_t>((g & 15) | (r & 15) << 4));
            expected.push_back(static_cast<uint8_t>((b & 63) | (g & 16) << 2 | (r & 16) << 3));
        }
        Bytes decoded(2 * count + 1, 0xEE);
        DecodeWordPixels(pixels.data(), count, decoded.data());
        EXPECT_EQ(0xEE, decoded.back()) << count;  // nothing written past the run
        EXPECT_EQ(expected, Bytes(decoded.begin(), decoded.end() - 1)) << count;
    }
}

TEST(CarrierDecode, EveryGroupCountGivesFivePayloadBytesPerGroup) {
    const Bytes samples = PatternBytes(9 * 8, 12);
    for (int count = 0; count <= 9; ++count) {
        Bytes expected;
        for (int g = 0; g < count; ++g) {
            const uint8_t* s = &samples[8 * g];
            expected.push_back(static_cast<uint8_t>((s[1] & 3) << 6 | (s[3] & 3) << 4 | (s[5] & 3) << 2 | (s[7] & 3)));
            expected.insert(expected.end(), {s[0], s[2], s[4], s[6]});
        }
        Bytes decoded(5 * count + kWaveDecodeSlack + 1, 0xEE);
        DecodeWaveGroups(samples.data(), count, decoded.data());
        EXPECT_EQ(0xEE, decoded.back()) << count;  // nothing written past the slack
        EXPECT_EQ(expected, Bytes(decoded.begin(), decoded.begin() + 5 * count)) << count;
    }
}

}  // namespace
