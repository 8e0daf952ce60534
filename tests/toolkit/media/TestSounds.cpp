// WAV images and the message pump of the sound tests.
#include "tests/toolkit/media/TestSounds.h"

#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/Sound.h"

namespace mediatest {

bool LoadSimpleWave(Sound* sound, const WaveFormat& format, uint32_t frames) {
    const Bytes samples = kvrtest::PatternBytes(frames * format.channels * (format.bits / 8));
    const Bytes wave = RiffWave({FormatChunk(format), Chunk("data", samples)});
    MemoryStream stream;
    stream.Write(wave.data(), static_cast<int>(wave.size()));
    stream.Seek(0);
    return sound->LoadWav(&stream, true, true);
}

}  // namespace mediatest
