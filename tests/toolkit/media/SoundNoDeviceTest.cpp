// Start-up without a sound device: CTest runs this program with PulseAudio out of reach, so
// Wine's DirectSound refuses to create a device. The toolkit must come up silently, and a
// loaded sound answers every playing request with "nothing" instead of failing.
#include <gtest/gtest.h>

#include "toolkit/media/DirectSoundApi.h"

#include "tests/toolkit/media/TestSounds.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/media/Sound.h"

using namespace mediatest;

TEST(SoundNoDevice, StartupLeavesNoDeviceAndEverythingIsSilent) {
    SoundStartup(nullptr, DSSCL_PRIORITY);
    EXPECT_EQ(GetSoundDevice(), nullptr);
    WaveFormat stereo;
    stereo.channels = 2;
    Sound sound;
    ASSERT_TRUE(LoadSimpleWave(&sound, stereo, 5000));
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
