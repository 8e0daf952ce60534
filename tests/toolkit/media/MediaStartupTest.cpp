// Start-up of the media layer: the DirectSound retry rule.
#include "toolkit/media/MediaStartup.h"

#include <gtest/gtest.h>
#include "toolkit/media/DirectSoundApi.h"

#include <vector>

namespace {

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
    struct Case {
        const char* name;
        std::vector<HRESULT> answers;
        int expectedTries;
    };
    const Case cases[] = {
        {"busy twelve times gives up after the tenth", std::vector<HRESULT>(12, DSERR_ALLOCATED), 10},
        {"no driver then another error stops", {DSERR_NODRIVER, DSERR_NODRIVER, E_OUTOFMEMORY}, 3},
        {"another error stops at once", {DSERR_GENERIC}, 1},
        {"success on the first try", {S_OK}, 1},
    };
    for (const Case& c : cases) {
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
