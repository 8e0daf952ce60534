// Playback against the real DirectSound device that Wine offers over the PulseAudio null sink
// of the test session: the buffer starts, the cursor moves, the end is enforced and reported
// once, loops keep going until stopped, and sounds play from two threads at once.
#include <gtest/gtest.h>

#include "toolkit/media/DirectSoundApi.h"

#include <atomic>
#include <cstdlib>

#include "tests/toolkit/media/TestPictures.h"
#include "tests/toolkit/media/TestSounds.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/media/Sound.h"

using namespace mediatest;

namespace {

class CountingSound : public Sound {
public:
    void OnPlaying() override { ++playingTicks; }
    void OnStopped() override { ++stops; }
    std::atomic<int> playingTicks{0};
    std::atomic<int> stops{0};
};

constexpr uint32_t kRate = 22050;

bool LoadFrames(Sound* sound, uint32_t frames, uint16_t bits = 16, uint16_t channels = 1) {
    WaveFormat format;
    format.rate = kRate;
    format.bits = bits;
    format.channels = channels;
    MemoryStream stream;
    WriteBytes(&stream, SimpleWave(format, frames));
    stream.Seek(0);
    return sound->LoadWav(&stream, true, true);
}

class SoundPlaybackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SoundStartup(nullptr, DSSCL_PRIORITY); }
    static void TearDownTestSuite() { SoundShutdown(); }
    void SetUp() override {
        if (!GetSoundDevice() && getenv("KVR_NO_SOUND")) {
            GTEST_SKIP() << "run without a sound server";
        }
        ASSERT_NE(GetSoundDevice(), nullptr) << "Wine offers no DirectSound device (is PulseAudio running?)";
    }
    void TearDown() override { EXPECT_EQ(Sound::PlayingCount(), 0); }
};

TEST_F(SoundPlaybackTest, PlayStartsTheBufferAndTheCursorAdvances) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate));  // one second
    ASSERT_TRUE(sound.HasBuffer());
    ASSERT_TRUE(sound.Play(0, 0));
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_EQ(Sound::PlayingCount(), 1);
    EXPECT_TRUE(PumpUntil([&] { return sound.GetPosition() > 2000; }, 2000));
    EXPECT_GT(sound.playingTicks.load(), 0);  // ticks arrive through this thread's messages
    EXPECT_EQ(sound.stops.load(), 0);
    sound.Stop();
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetPosition(), 0u);
}

TEST_F(SoundPlaybackTest, PlayToTheEndStopsByItselfAndReportsOnce) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate / 5));  // 200 ms
    ASSERT_TRUE(sound.Play(0, 0));
    ASSERT_TRUE(PumpUntil([&] { return sound.stops.load() > 0; }, 3000));
    PumpUntil([] { return false; }, 100);  // further ticks must not report again
    EXPECT_EQ(sound.stops.load(), 1);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(Sound::PlayingCount(), 0);
}

TEST_F(SoundPlaybackTest, EndFrameIsEnforced) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate * 3));  // three seconds
    const DWORD start = timeGetTime();
    ASSERT_TRUE(sound.Play(1000, 1000 + kRate / 5));
    ASSERT_TRUE(PumpUntil([&] { return sound.stops.load() > 0; }, 2500));
    EXPECT_LT(timeGetTime() - start, 2000u);
    EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(SoundPlaybackTest, AnEndNotAboveTheStartPlaysToTheEnd) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate / 2));
    ASSERT_TRUE(sound.Play(1000, 500));
    EXPECT_GE(sound.GetPosition(), 1000u);
    ASSERT_TRUE(PumpUntil([&] { return sound.stops.load() > 0; }, 3000));
}

TEST_F(SoundPlaybackTest, LoopingKeepsPlayingUntilStopped) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate / 10));  // 100 ms
    sound.SetLoop(true);
    ASSERT_TRUE(sound.Play(0, 0));
    PumpUntil([] { return false; }, 400);
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_EQ(sound.stops.load(), 0);
    sound.Stop();
    EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(SoundPlaybackTest, LoopingRangeReturnsToItsStart) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate * 2));
    sound.SetLoop(true);
    ASSERT_TRUE(sound.Play(0, kRate / 10));
    bool wrapped = false;
    uint32_t last = 0;
    PumpUntil(
        [&] {
            const uint32_t now = sound.GetPosition();
            wrapped = wrapped || now < last;
            last = now;
            return false;
        },
        600);
    EXPECT_TRUE(wrapped);
    EXPECT_LT(last, kRate / 2u);  // never ran far past the range
    sound.Stop();
}

TEST_F(SoundPlaybackTest, PlayingTwiceRestartsFromTheStartFrame) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate * 2));
    ASSERT_TRUE(sound.Play(0, 0));
    ASSERT_TRUE(PumpUntil([&] { return sound.GetPosition() > kRate / 4; }, 2000));
    ASSERT_TRUE(sound.Play(0, 0));
    EXPECT_LT(sound.GetPosition(), kRate / 8);
    EXPECT_EQ(Sound::PlayingCount(), 1);
    sound.Stop();
}

TEST_F(SoundPlaybackTest, EightBitSoundsPlay) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate / 5, 8, 2));
    EXPECT_EQ(sound.Silence(), 128);
    ASSERT_TRUE(sound.Play(0, 0));
    ASSERT_TRUE(PumpUntil([&] { return sound.stops.load() > 0; }, 3000));
}

TEST_F(SoundPlaybackTest, MutedChannelsAreSilentAndAllMutedMeansNoBuffer) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, 100, 16, 2));
    sound.SetChannelMuted(0, true);
    ASSERT_TRUE(sound.CreateBuffer());
    sound.SetChannelMuted(1, true);
    EXPECT_FALSE(sound.CreateBuffer());
    EXPECT_FALSE(sound.HasBuffer());
    EXPECT_FALSE(sound.Play(0, 0));
}

TEST_F(SoundPlaybackTest, FrequencyOfTheBuffer) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, 1000));
    EXPECT_EQ(sound.GetFrequency(), kRate);
    EXPECT_TRUE(sound.SetFrequency(11025));
    EXPECT_EQ(sound.GetFrequency(), 11025u);
}

DWORD WINAPI PlayOnThisThread(void* argument) {
    auto* sound = static_cast<CountingSound*>(argument);
    if (!sound->Play(0, 0)) {
        return 1;
    }
    return PumpUntil([&] { return sound->stops.load() > 0; }, 3000) ? 0 : 2;
}

TEST_F(SoundPlaybackTest, TwoThreadsPlayAtTheSameTime) {
    CountingSound ours;
    CountingSound theirs;
    ASSERT_TRUE(LoadFrames(&ours, kRate / 5));
    ASSERT_TRUE(LoadFrames(&theirs, kRate / 5));
    HANDLE thread = CreateThread(nullptr, 0, PlayOnThisThread, &theirs, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_TRUE(ours.Play(0, 0));
    EXPECT_TRUE(PumpUntil([&] { return ours.stops.load() > 0; }, 3000));
    WaitForSingleObject(thread, 5000);
    DWORD code = 99;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ours.stops.load(), 1);
    EXPECT_EQ(theirs.stops.load(), 1);
}

}  // namespace
