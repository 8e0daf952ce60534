// The strict RIFF reader. This program never starts a sound device, so no
// buffer can exist; the silent playing path is tested where start-up finds no device.
#include <gtest/gtest.h>

#include "tests/toolkit/media/TestPictures.h"
#include "tests/toolkit/media/TestSounds.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/Sound.h"

using namespace mediatest;

namespace {

Bytes Samples(size_t n) {
    return kvrtest::PatternBytes(n, 7);
}

WaveFormat Bits(uint16_t bits, uint16_t channels = 1) {
    WaveFormat f;
    f.bits = bits;
    f.channels = channels;
    return f;
}

TEST(SoundReader, AcceptsOnlyTheStrictChunkOrder) {
    const Bytes data = DataChunk(Samples(40), 40);
    WaveFormat fmt40 = Bits(16, 2);
    fmt40.extraBytes = 24;
    WaveFormat fmt41 = Bits(16, 2);
    fmt41.extraBytes = 25;
    WaveFormat noChannels = Bits(16, 0);
    WaveFormat smallAlign = Bits(16, 2);
    smallAlign.blockAlign = 2;
    const struct {
        const char* name;
        Bytes wave;
        bool accepted;
    } cases[] = {
        {"16-bit PCM", RiffWave({FormatChunk(Bits(16)), data}), true},
        {"8-bit PCM", RiffWave({FormatChunk(Bits(8)), data}), true},
        {"32-bit PCM", RiffWave({FormatChunk(Bits(32)), data}), true},
        {"24-bit PCM", RiffWave({FormatChunk(Bits(24)), data}), false},
        {"12-bit PCM", RiffWave({FormatChunk(Bits(12)), data}), false},
        {"LIST after fmt", RiffWave({FormatChunk(Bits(16)), Chunk("LIST", Samples(10)), data}), false},
        {"fact after fmt", RiffWave({FormatChunk(Bits(16)), Chunk("fact", Samples(4)), data}), false},
        {"LIST before fmt", RiffWave({Chunk("LIST", Samples(10)), FormatChunk(Bits(16)), data}), false},
        {"data before fmt", RiffWave({data, FormatChunk(Bits(16))}), false},
        {"fmt of 40 bytes", RiffWave({FormatChunk(fmt40), data}), true},
        {"fmt of 41 bytes", RiffWave({FormatChunk(fmt41), data}), false},
        {"fmt of 14 bytes", RiffWave({Chunk("fmt ", Bytes(14, 1)), data}), false},
        {"no channels", RiffWave({FormatChunk(noChannels), data}), false},
        {"frame smaller than its samples", RiffWave({FormatChunk(smallAlign), data}), false},
        {"short data", RiffWave({FormatChunk(Bits(16)), DataChunk(Samples(40), 41)}), false},
        {"no data chunk", RiffWave({FormatChunk(Bits(16))}), false},
        {"not RIFF", Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, false},
        {"empty", Bytes(), false},
    };
    for (const auto& c : cases) {
        for (bool intoMemory : {true, false}) {
            MemoryStream stream;
            WriteBytes(&stream, c.wave);
            stream.Seek(0);
            Sound sound;
            uint32_t size = 12345;
            EXPECT_EQ(sound.LoadWav(&stream, intoMemory, true, &size), c.accepted) << c.name;
            EXPECT_EQ(sound.IsLoaded(), c.accepted) << c.name;
            if (c.accepted) {
                EXPECT_EQ(size, 40u) << c.name;
                ASSERT_NE(sound.Data(), nullptr) << c.name;
                EXPECT_EQ(ReadAll(sound.Data()), Samples(40)) << c.name;
                EXPECT_EQ(sound.IsInMemory(), intoMemory) << c.name;
                EXPECT_EQ(sound.Silence(), sound.BitsPerSample() == 8 ? 128 : 0) << c.name;
            } else {
                EXPECT_EQ(sound.Data(), nullptr) << c.name;
                EXPECT_EQ(sound.Channels(), 0) << c.name;  // a refused wave leaves the sound empty
            }
        }
    }
}

}  // namespace
