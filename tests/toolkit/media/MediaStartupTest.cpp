// Start-up of the media layer: the GDI+ token, the DirectSound retry rule and the real device.
#include "toolkit/media/MediaStartup.h"

#include <gtest/gtest.h>
#include "toolkit/media/DirectSoundApi.h"

namespace {

struct ScriptedDevice {
    HRESULT answers[12];
    int count;
    int calls;
};

HRESULT AnswerFromScript(IDirectSound8** device, void* context) {
    auto* script = static_cast<ScriptedDevice*>(context);
    *device = nullptr;
    const int i = script->calls++;
    return i < script->count ? script->answers[i] : DSERR_GENERIC;
}

TEST(SoundStartupRetry, RetriesOnlyTheTwoTransientErrors) {
    struct Case {
        const char* name;
        ScriptedDevice script;
        int expectedTries;
    };
    Case cases[] = {
        {"busy ten times gives up after the tenth",
         {{DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_ALLOCATED,
           DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_ALLOCATED},
          12,
          0},
         10},
        {"no driver then another error stops", {{DSERR_NODRIVER, DSERR_NODRIVER, E_OUTOFMEMORY}, 3, 0}, 3},
        {"another error stops at once", {{DSERR_GENERIC}, 1, 0}, 1},
        {"success on the first try", {{S_OK}, 1, 0}, 1},
    };
    for (Case& c : cases) {
        int tries = 0;
        IDirectSound8* device = CreateSoundDeviceWithRetry(AnswerFromScript, &c.script, 10, 1, &tries);
        EXPECT_EQ(device, nullptr) << c.name;  // the script never hands out a device
        EXPECT_EQ(tries, c.expectedTries) << c.name;
        EXPECT_EQ(c.script.calls, c.expectedTries) << c.name;
    }
}

TEST(SoundStartupRetry, PausesBetweenTries) {
    ScriptedDevice script = {{DSERR_ALLOCATED, DSERR_ALLOCATED, DSERR_GENERIC}, 3, 0};
    const DWORD start = timeGetTime();
    CreateSoundDeviceWithRetry(AnswerFromScript, &script, 10, 50, nullptr);
    EXPECT_GE(timeGetTime() - start, 90u);  // two pauses of 50 ms, allowing for timer granularity
}

TEST(GraphicsStartup, StartsAndStopsOnce) {
    EXPECT_FALSE(IsGraphicsStarted());
    ASSERT_TRUE(GraphicsStartup());
    EXPECT_TRUE(IsGraphicsStarted());
    GraphicsShutdown();
    EXPECT_FALSE(IsGraphicsStarted());
}

TEST(SoundStartup, ShutdownClearsTheDevice) {
    SoundStartup(nullptr, DSSCL_PRIORITY);
    SoundShutdown();
    EXPECT_EQ(GetSoundDevice(), nullptr);
}

}  // namespace
