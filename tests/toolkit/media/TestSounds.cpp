// WAV images and the message pump of the sound tests.
#include "tests/toolkit/media/TestSounds.h"

#include <windows.h>

#include <mmsystem.h>

#include "tests/support/ThreadWindows.h"
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

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const DWORD start = timeGetTime();
    while (!done()) {
        if (timeGetTime() - start > timeoutMs)
            return false;
        kvrtest::PumpMessages();
        Sleep(1);
    }
    return true;
}

}  // namespace mediatest
