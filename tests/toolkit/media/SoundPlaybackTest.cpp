// Playback against the real DirectSound device that Wine offers over the PulseAudio null sink
// of the test session: the end is enforced and reported once.
#include <gtest/gtest.h>

#include "toolkit/media/DirectSoundApi.h"

#include <atomic>
#include <cstdlib>

#include "tests/support/ThreadWindows.h"
#include "tests/toolkit/media/TestSounds.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/media/Sound.h"

using namespace mediatest;

namespace {

struct CountingSound : Sound {
    void OnStopped() override { ++stops; }
    std::atomic<int> stops{0};
};

constexpr uint32_t kRate = 22050;

class SoundPlaybackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SoundStartup(nullptr, DSSCL_PRIORITY); }
    static void TearDownTestSuite() { SoundShutdown(); }
    void SetUp() override {
        if (!GetSoundDevice() && getenv("KVR_NO_SOUND"))
            GTEST_SKIP() << "run without a sound server";
        ASSERT_NE(GetSoundDevice(), nullptr) << "Wine offers no DirectSound device (is PulseAudio running?)";
    }
};

TEST_F(SoundPlaybackTest, PlayingToTheEndStopsByItselfAndReportsOnce) {
    const struct {
        const char* name;
        uint32_t frames;
        uint16_t bits;
        uint16_t channels;
        uint32_t start;
        uint32_t end;
    } cases[] = {
        {"whole sound of 200 ms", kRate / 5, 16, 1, 0, 0},
        {"8-bit stereo", kRate / 5, 8, 2, 0, 0},
        {"an end not above the start plays to the end", kRate / 2, 16, 1, 1000, 500},
        {"200 ms range of three seconds: the end frame is enforced", kRate * 3, 16, 1, 1000, 1000 + kRate / 5},
    };
    for (const auto& c : cases) {
        CountingSound sound;
        ASSERT_TRUE(LoadSimpleWave(&sound, WaveFormat{1, c.channels, kRate, c.bits}, c.frames)) << c.name;  // PCM
        const DWORD start = timeGetTime();
        ASSERT_TRUE(sound.Play(c.start, c.end)) << c.name;
        EXPECT_GE(sound.GetPosition(), c.start) << c.name;
        ASSERT_TRUE(kvrtest::WaitUntil([&] { return sound.stops.load() > 0; }, 3000)) << c.name;
        EXPECT_LT(timeGetTime() - start, 2000u) << c.name;
        kvrtest::WaitUntil([] { return false; }, 100);  // further ticks must not report again
        EXPECT_EQ(sound.stops.load(), 1) << c.name;
        EXPECT_FALSE(sound.IsPlaying()) << c.name;
        EXPECT_EQ(Sound::PlayingCount(), 0) << c.name;
    }
}

}  // namespace
