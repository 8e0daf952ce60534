// WAV images for the sound tests (built chunk by chunk with the carrier writer's pieces, so
// that broken layouts are easy to make) and a loader of plain waves. Header only.
#pragma once

#include <cstdint>

#include "tests/support/CarrierWriter.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/Sound.h"

namespace mediatest {

using kvrtest::Bytes;
using kvrtest::Chunk;
using kvrtest::DataChunk;
using kvrtest::FormatChunk;
using kvrtest::RiffWave;
using kvrtest::WaveFormat;

// Loads a PCM wave of `frames` frames of noise into the sound from a memory stream,
// samples into memory.
inline bool LoadSimpleWave(Sound* sound, const WaveFormat& format, uint32_t frames) {
    const Bytes samples = kvrtest::PatternBytes(frames * format.channels * (format.bits / 8));
    const Bytes wave = RiffWave({FormatChunk(format), Chunk("data", samples)});
    MemoryStream stream;
    stream.Write(wave.data(), static_cast<int>(wave.size()));
    stream.Seek(0);
    return sound->LoadWav(&stream, true, true);
}

}  // namespace mediatest
