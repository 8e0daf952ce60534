// WAV images for the sound tests, built chunk by chunk so that broken layouts are easy to make,
// a loader of plain waves, and a message pump for waiting on the timer ticks of playing sounds.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Sound;

namespace mediatest {

using Bytes = std::vector<uint8_t>;

struct WaveFormat {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    uint16_t blockAlign = 0;  // 0: channels * bits / 8
    int extraBytes = 0;       // bytes after the 16 PCM fields (the first two are the extension size)
};

Bytes FormatChunk(const WaveFormat& format);
Bytes Chunk(const char* tag, const Bytes& content);
// A "data" chunk that declares `declared` bytes but holds `samples`.
Bytes DataChunk(const Bytes& samples, uint32_t declared);
// "RIFF" size "WAVE" followed by the chunks in order.
Bytes RiffWave(const std::vector<Bytes>& chunks);
// A plain PCM wave of `frames` frames of a square wave.
Bytes SimpleWave(const WaveFormat& format, uint32_t frames);

// Loads SimpleWave(format, frames) into the sound from a memory stream, samples into memory.
bool LoadSimpleWave(Sound* sound, const WaveFormat& format, uint32_t frames);

// Dispatches this thread's messages until done() holds or timeoutMs passed; gives done().
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs);

}  // namespace mediatest
