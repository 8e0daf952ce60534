// Playback against the real DirectSound device that Wine offers over the PulseAudio null sink
// of the test session: the buffer starts, the cursor moves, the end is enforced and reported
// once, loops keep going until stopped, and sounds play from two threads at once.
#include <gtest/gtest.h>

#include "toolkit/media/DirectSoundApi.h"

#include <atomic>
#include <cstdlib>

#include "tests/toolkit/media/TestSounds.h"
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
    return LoadSimpleWave(sound, format, frames);
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

TEST_F(SoundPlaybackTest, PlayStartsTheBufferTheCursorAdvancesAndPlayingAgainRestarts) {
    CountingSound sound;
    ASSERT_TRUE(LoadFrames(&sound, kRate * 2));
    ASSERT_TRUE(sound.HasBuffer());
    ASSERT_TRUE(sound.Play(0, 0));
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_EQ(Sound::PlayingCount(), 1);
    ASSERT_TRUE(PumpUntil([&] { return sound.GetPosition() > kRate / 4; }, 2000));
    EXPECT_GT(sound.playingTicks.load(), 0);  // ticks arrive through this thread's messages
    EXPECT_EQ(sound.stops.load(), 0);
    ASSERT_TRUE(sound.Play(0, 0));
    EXPECT_LT(sound.GetPosition(), kRate / 8);
    EXPECT_EQ(Sound::PlayingCount(), 1);
    sound.Stop();
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetPosition(), 0u);
    EXPECT_EQ(sound.GetFrequency(), kRate);
    EXPECT_TRUE(sound.SetFrequency(11025));
    EXPECT_EQ(sound.GetFrequency(), 11025u);
}

TEST_F(SoundPlaybackTest, PlayingToTheEndStopsByItselfAndReportsOnce) {
    struct Case {
        const char* name;
        uint32_t frames;
        uint16_t bits;
        uint16_t channels;
        uint32_t start;
        uint32_t end;
    };
    const Case cases[] = {
        {"whole sound of 200 ms", kRate / 5, 16, 1, 0, 0},
        {"8-bit stereo", kRate / 5, 8, 2, 0, 0},
        {"an end not above the start plays to the end", kRate / 2, 16, 1, 1000, 500},
        {"200 ms range of three seconds: the end frame is enforced", kRate * 3, 16, 1, 1000, 1000 + kRate / 5},
    };
    for (const Case& c : cases) {
        CountingSound sound;
        ASSERT_TRUE(LoadFrames(&sound, c.frames, c.bits, c.channels)) << c.name;
        const DWORD start = timeGetTime();
        ASSERT_TRUE(sound.Play(c.start, c.end)) << c.name;
        EXPECT_GE(sound.GetPosition(), c.start) << c.name;
        ASSERT_TRUE(PumpUntil([&] { return sound.stops.load() > 0; }, 3000)) << c.name;
        EXPECT_LT(timeGetTime() - start, 2000u) << c.name;
        PumpUntil([] { return false; }, 100);  // further ticks must not report again
        EXPECT_EQ(sound.stops.load(), 1) << c.name;
        EXPECT_FALSE(sound.IsPlaying()) << c.name;
        EXPECT_EQ(Sound::PlayingCount(), 0) << c.name;
    }
}

TEST_F(SoundPlaybackTest, LoopingReturnsToTheStartUntilStopped) {
    // A whole sound of 100 ms, and a range of 100 ms in a sound of two seconds.
    for (const uint32_t frames : {kRate / 10, kRate * 2}) {
        CountingSound sound;
        ASSERT_TRUE(LoadFrames(&sound, frames));
        sound.SetLoop(true);
        ASSERT_TRUE(sound.Play(0, frames == kRate * 2 ? kRate / 10 : 0));
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
        EXPECT_TRUE(wrapped) << frames;
        EXPECT_LT(last, kRate / 2u) << frames;  // never ran far past the range
        EXPECT_TRUE(sound.IsPlaying()) << frames;
        EXPECT_EQ(sound.stops.load(), 0) << frames;
        sound.Stop();
        EXPECT_FALSE(sound.IsPlaying()) << frames;
    }
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
