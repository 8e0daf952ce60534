// Start-up without a sound device: CTest runs this program with PulseAudio out of reach, so
// Wine's DirectSound refuses to create a device. The toolkit must come up silently.
#include <gtest/gtest.h>

#include "toolkit/media/DirectSoundApi.h"

#include "tests/toolkit/media/TestPictures.h"
#include "tests/toolkit/media/TestSounds.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/media/Sound.h"

using namespace mediatest;

TEST(SoundNoDevice, StartupLeavesNoDeviceAndPlayingDoesNothing) {
    SoundStartup(nullptr, DSSCL_PRIORITY);
    EXPECT_EQ(GetSoundDevice(), nullptr);

    MemoryStream stream;
    WriteBytes(&stream, SimpleWave(WaveFormat(), 5000));
    stream.Seek(0);
    Sound sound;
    ASSERT_TRUE(sound.LoadWav(&stream, true, true));
    EXPECT_FALSE(sound.HasBuffer());
    EXPECT_FALSE(sound.Play(0, 0));
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetPosition(), 0u);
    sound.Stop();
    EXPECT_EQ(Sound::PlayingCount(), 0);
    SoundShutdown();
}
