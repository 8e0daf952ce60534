// WAV images and the message pump of the sound tests.
#include "tests/toolkit/media/TestSounds.h"

#include <windows.h>

#include <mmsystem.h>

#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/Sound.h"

namespace mediatest {
namespace {

void Put16(Bytes& out, uint16_t v) {
    out.push_back(v & 0xFF);
    out.push_back(v >> 8);
}

void Put32(Bytes& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

Bytes FormatChunk(const WaveFormat& f) {
    const uint16_t align = f.blockAlign ? f.blockAlign : static_cast<uint16_t>(f.channels * f.bits / 8);
    Bytes content;
    Put16(content, f.tag);
    Put16(content, f.channels);
    Put32(content, f.rate);
    Put32(content, f.rate * align);
    Put16(content, align);
    Put16(content, f.bits);
    if (f.extraBytes >= 2) {
        Put16(content, static_cast<uint16_t>(f.extraBytes - 2));
        content.resize(content.size() + f.extraBytes - 2, 0);
    } else {
        content.resize(content.size() + f.extraBytes, 0);
    }
    return Chunk("fmt ", content);
}

Bytes Chunk(const char* tag, const Bytes& content) {
    Bytes out(tag, tag + 4);
    Put32(out, static_cast<uint32_t>(content.size()));
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

Bytes DataChunk(const Bytes& samples, uint32_t declared) {
    Bytes out = {'d', 'a', 't', 'a'};
    Put32(out, declared);
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

Bytes RiffWave(const std::vector<Bytes>& chunks) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    Bytes out = {'R', 'I', 'F', 'F'};
    Put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes SimpleWave(const WaveFormat& format, uint32_t frames) {
    const int sampleBytes = format.bits / 8;
    Bytes samples;
    for (uint32_t i = 0; i < frames; ++i) {
        for (int c = 0; c < format.channels; ++c) {
            const bool high = (i / 50) % 2 == 0;
            for (int b = 0; b < sampleBytes; ++b) {
                samples.push_back(static_cast<uint8_t>(high ? 0x40 + c : 0xC0 - c));
            }
        }
    }
    return RiffWave({FormatChunk(format), DataChunk(samples, static_cast<uint32_t>(samples.size()))});
}

bool LoadSimpleWave(Sound* sound, const WaveFormat& format, uint32_t frames) {
    const Bytes wave = SimpleWave(format, frames);
    MemoryStream stream;
    stream.Write(wave.data(), static_cast<int>(wave.size()));
    stream.Seek(0);
    return sound->LoadWav(&stream, true, true);
}

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const DWORD start = timeGetTime();
    while (!done()) {
        if (timeGetTime() - start > timeoutMs) {
            return false;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    }
    return true;
}

}  // namespace mediatest
