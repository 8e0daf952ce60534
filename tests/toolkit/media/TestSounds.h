// WAV images for the sound tests (built chunk by chunk with the carrier writer's pieces, so
// that broken layouts are easy to make) and a loader of plain waves.
#pragma once

#include <cstdint>

#include "tests/support/CarrierWriter.h"

class Sound;

namespace mediatest {

using kvrtest::Bytes;
using kvrtest::Chunk;
using kvrtest::DataChunk;
using kvrtest::FormatChunk;
using kvrtest::RiffWave;
using kvrtest::WaveFormat;

// Loads a PCM wave of `frames` frames of noise into the sound from a memory stream,
// samples into memory.
bool LoadSimpleWave(Sound* sound, const WaveFormat& format, uint32_t frames);

}  // namespace mediatest
