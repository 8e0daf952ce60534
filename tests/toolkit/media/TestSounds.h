// WAV images for the sound tests (built chunk by chunk with the carrier writer's pieces, so
// that broken layouts are easy to make), a loader of plain waves, and a message pump for
// waiting on the timer ticks of playing sounds.
#pragma once

#include <cstdint>
#include <functional>

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

// Dispatches this thread's messages until done() holds or timeoutMs passed; gives done().
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs);

}  // namespace mediatest
