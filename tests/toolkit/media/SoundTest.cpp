// Sounds without a device: CTest runs this program with PulseAudio out of reach, so Wine's
// DirectSound refuses to create one. The strict RIFF reader; start-up, which must come up
// silently, and a loaded sound that answers every playing request with "nothing" instead of
// failing; the DirectSound retry rule of start-up.
#include <gtest/gtest.h>

#include "toolkit/media/DirectSoundApi.h"

#include <vector>

#include "tests/toolkit/media/TestPictures.h"
#include "tests/toolkit/media/TestSounds.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/media/Sound.h"

using namespace mediatest;

namespace {

// PCM at 22050 frames a second.
WaveFormat Bits(uint16_t bits, uint16_t channels = 1, int extraBytes = 0, uint16_t blockAlign = 0) {
    return WaveFormat{1, channels, 22050, bits, blockAlign, extraBytes};
}

TEST(SoundReader, AcceptsOnlyTheStrictChunkOrder) {
    const Bytes samples = kvrtest::PatternBytes(40, 7);
    const Bytes data = DataChunk(samples, 40);
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
        {"LIST after fmt", RiffWave({FormatChunk(Bits(16)), Chunk("LIST", Bytes(10, 1)), data}), false},
        {"fact after fmt", RiffWave({FormatChunk(Bits(16)), Chunk("fact", Bytes(4, 1)), data}), false},
        {"LIST before fmt", RiffWave({Chunk("LIST", Bytes(10, 1)), FormatChunk(Bits(16)), data}), false},
        {"data before fmt", RiffWave({data, FormatChunk(Bits(16))}), false},
        {"fmt of 40 bytes", RiffWave({FormatChunk(Bits(16, 2, 24)), data}), true},
        {"fmt of 41 bytes", RiffWave({FormatChunk(Bits(16, 2, 25)), data}), false},
        {"fmt of 14 bytes", RiffWave({Chunk("fmt ", Bytes(14, 1)), data}), false},
        {"no channels", RiffWave({FormatChunk(Bits(16, 0)), data}), false},
        {"frame smaller than its samples", RiffWave({FormatChunk(Bits(16, 2, 0, 2)), data}), false},
        {"short data", RiffWave({FormatChunk(Bits(16)), DataChunk(samples, 41)}), false},
        {"no data chunk", RiffWave({FormatChunk(Bits(16))}), false},
        {"not RIFF", Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, false},
        {"empty", Bytes(), false},
    };
    // Into memory, as the program loads its sounds.
    for (const auto& c : cases) {
        MemoryStream stream;
        WriteBytes(&stream, c.wave);
        Sound sound;
        uint32_t size = 12345;
        EXPECT_EQ(sound.LoadWav(&stream, true, true, &size), c.accepted) << c.name;
        EXPECT_EQ(sound.IsLoaded(), c.accepted) << c.name;
        if (c.accepted) {
            EXPECT_EQ(size, 40u) << c.name;
            ASSERT_NE(sound.Data(), nullptr) << c.name;
            EXPECT_EQ(ReadAll(sound.Data()), samples) << c.name;
            EXPECT_EQ(sound.Silence(), sound.BitsPerSample() == 8 ? 128 : 0) << c.name;
        } else {
            EXPECT_EQ(sound.Data(), nullptr) << c.name;
            EXPECT_EQ(sound.Channels(), 0) << c.name;  // a refused wave leaves the sound empty
        }
    }
}

TEST(SoundNoDevice, StartupLeavesNoDeviceAndEverythingIsSilent) {
    SoundStartup(nullptr, DSSCL_PRIORITY);
    EXPECT_EQ(GetSoundDevice(), nullptr);
    Sound sound;
    ASSERT_TRUE(LoadSimpleWave(&sound, WaveFormat{1, 2}, 5000));  // PCM stereo
    EXPECT_FALSE(sound.CreateBuffer());
    EXPECT_FALSE(sound.Play(0, 0));
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetPosition(), 0u);
    EXPECT_EQ(sound.GetFrequency(), 0u);
    EXPECT_FALSE(sound.SetFrequency(11025));
    sound.SetPosition(10);
    sound.Stop();
    EXPECT_EQ(Sound::PlayingCount(), 0);
    SoundShutdown();
}

struct ScriptedDevice {
    std::vector<HRESULT> answers;
    int calls = 0;
};

HRESULT AnswerFromScript(IDirectSound8** device, void* context) {
    auto* script = static_cast<ScriptedDevice*>(context);
    *device = nullptr;
    const size_t i = static_cast<size_t>(script->calls++);
    return i < script->answers.size() ? script->answers[i] : DSERR_GENERIC;
}

TEST(SoundStartupRetry, RetriesOnlyTheTwoTransientErrorsWithPauses) {
    const struct {
        const char* name;
        std::vector<HRESULT> answers;
        int expectedTries;
    } cases[] = {
        {"busy twelve times gives up after the tenth", std::vector<HRESULT>(12, DSERR_ALLOCATED), 10},
        {"no driver then another error stops", {DSERR_NODRIVER, DSERR_NODRIVER, E_OUTOFMEMORY}, 3},
        {"another error stops at once", {DSERR_GENERIC}, 1},
        {"success on the first try", {S_OK}, 1},
    };
    for (const auto& c : cases) {
        ScriptedDevice script{c.answers};
        int tries = 0;
        IDirectSound8* device = CreateSoundDeviceWithRetry(AnswerFromScript, &script, 10, 1, &tries);
        EXPECT_EQ(device, nullptr) << c.name;  // the script never hands out a device
        EXPECT_EQ(tries, c.expectedTries) << c.name;
        EXPECT_EQ(script.calls, c.expectedTries) << c.name;
    }
    ScriptedDevice script{{DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_GENERIC}};
    const DWORD start = timeGetTime();
    CreateSoundDeviceWithRetry(AnswerFromScript, &script, 10, 50, nullptr);
    EXPECT_GE(timeGetTime() - start, 90u);  // two pauses of 50 ms, allowing for timer granularity
}

}  // namespace
