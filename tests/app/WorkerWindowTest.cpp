// The worker thread beside the real main window: no drops without a worker, and no sound once
// "Sounds" is off. The worker's requests, its questions and a cancel are checked with the whole
// program.
#include "app/WorkerWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ProgramRun.h"
#include "settings/Settings.h"
#include "tests/app/DragDriver.h"
#include "tests/support/ThreadWindows.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/media/Sound.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

namespace {

// A worker thread that could not make its window.
DWORD WINAPI WorkerWithoutWindow(void* start) {
    SetEvent(static_cast<WorkerStart*>(start)->ready);
    return 0;
}

class WorkerWindowTest : public testing::Test {
protected:
    void SetUp() override {
        worker_ = StartWorkerThread(application_);
        ASSERT_NE(application_.WorkerHandle(), nullptr);
    }
    void TearDown() override {
        StopWorkerThread(application_, worker_);
        EXPECT_EQ(application_.WorkerHandle(), nullptr);
    }

    Application application_;
    HANDLE worker_ = nullptr;
};

TEST_F(WorkerWindowTest, WithoutAWorkerTheUserIsToldAndDropsAreRefused) {
    EXPECT_TRUE(MainWindow(application_).AcceptsDrags());
    StopWorkerThread(application_, worker_);
    char told[256] = {};
    const auto answer = [&told](HWND message) {
        GetWindowTextA(message, told, sizeof(told));
        PostMessageA(message, WM_KEYDOWN, VK_RETURN, 0);
    };
    const auto start = [this] { worker_ = StartWorkerThread(application_, &WorkerWithoutWindow); };
    EXPECT_TRUE(kvrtest::AnswerDialog(kWindowClassName, answer, start));
    EXPECT_NE(std::string(told).find("could not start its decryption thread"), std::string::npos) << told;
    EXPECT_FALSE(MainWindow(application_).AcceptsDrags());
}

// The drag feedback's sound, and the switch the worker reads before its own, follow "Sounds".
TEST_F(WorkerWindowTest, SoundsOffPlaysNothing) {
    SoundStartup(GetToolkitWindowHandle(), 2);
    if (!GetSoundDevice() && getenv("KVR_NO_SOUND")) {
        SoundShutdown();
        GTEST_SKIP() << "no sound device";
    }
    ASSERT_NE(GetSoundDevice(), nullptr);
    WriteSoundsOn(true);
    {
        MainWindow window(application_);
        ASSERT_TRUE(window.Create());
        for (const bool on : {true, false}) {
            window.OnDragEnter("C:\\in\\friend.key");
            EXPECT_EQ(Sound::PlayingCount() > 0, on);
            EXPECT_EQ(application_.SoundsOn(), on);
            window.OnDragLeave("C:\\in\\friend.key");
            EXPECT_TRUE(kvrtest::WaitUntil([] { return Sound::PlayingCount() == 0; }, 5000));
            SendMessageA(window.Handle(), WM_SWND_COMMAND, 0, CMD_SOUNDS);
        }
    }
    SoundShutdown();
}

}  // namespace
