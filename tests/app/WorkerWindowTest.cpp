// The worker thread with its real window, engine and message windows, driven by posted
// requests as the main window posts them. A stand-in main window on the test thread receives
// the worker's reports. Requests that arrive while a question is open wait for it. The real
// main window beside it: no drops without a worker, and no sound once "Sounds" is off.
#include "app/WorkerWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ProgramRun.h"
#include "app/ShellMessages.h"
#include "settings/Settings.h"
#include "tests/app/DragDriver.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ThreadWindows.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/media/Sound.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

namespace {

using kvrtest::WaitUntil;

constexpr char kFolderQuestion[] = "This folder already exists.\nWould you like to overwrite it?";

std::vector<std::string> g_reports;

LRESULT CALLBACK ReportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DECRYPT_FINISHED)
        g_reports.push_back("finished");
    else if (message == WM_REQUEST_ENDED)
        g_reports.push_back(wParam == WM_DECRYPT_REQUEST ? "decrypt ended" : "import ended");
    return DefWindowProcA(window, message, wParam, lParam);
}

using kvrtest::Exists;

// A worker thread that could not make its window.
DWORD WINAPI WorkerWithoutWindow(void* start) {
    SetEvent(static_cast<WorkerStart*>(start)->ready);
    return 0;
}

class WorkerWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ToolkitInit(GetModuleHandleA(nullptr));
        ASSERT_TRUE(GraphicsStartup());
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ReportProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KvrReportWindow";
        RegisterClassA(&windowClass);
        mainWindow_ = CreateWindowExA(0, "KvrReportWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
        ASSERT_NE(mainWindow_, nullptr);
        work_ = scratch_.PathOf("in\\");
        ASSERT_NO_FATAL_FAILURE(kvrtest::CopyTree(kvrtest::WindowsPath(KVR_SOURCE_DIR "/samples/"), work_));
        application_.SetKeyFolder((work_ + "Keys\\").c_str());
        application_.SetMainHandle(mainWindow_);
        g_reports.clear();
        worker_ = StartWorkerThread(application_);
        ASSERT_NE(worker_, nullptr);
        ASSERT_NE(application_.WorkerHandle(), nullptr);
    }
    void TearDown() override {
        StopWorkerThread(application_, worker_);
        EXPECT_EQ(application_.WorkerHandle(), nullptr);
        DestroyWindow(mainWindow_);
        GraphicsShutdown();
        ToolkitShutdown(GetModuleHandleA(nullptr));
    }

    bool Post(UINT request, const std::string& path) {
        return PostMessageA(application_.WorkerHandle(), request, 0,
                            reinterpret_cast<LPARAM>(new String(path.c_str())));
    }

    kvrtest::ScratchFolder scratch_;
    std::string work_;
    Application application_;
    HWND mainWindow_ = nullptr;
    HANDLE worker_ = nullptr;
};

TEST_F(WorkerWindowTest, ARequestArrivingDuringAQuestionWaitsForIt) {
    ASSERT_TRUE(CreateDirectoryA((work_ + "letters\\").c_str(), nullptr));
    ASSERT_TRUE(Post(WM_DECRYPT_REQUEST, work_ + "letters.enc"));
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (question = kvrtest::FindShownWindow(GetCurrentProcessId(), kFolderQuestion)) != nullptr; },
        10000));

    ASSERT_TRUE(Post(WM_DECRYPT_REQUEST, work_ + "plain.enc"));
    ASSERT_TRUE(Post(WM_IMPORT_KEY_REQUEST, work_ + "letters.enc"));
    WaitUntil([] { return false; }, 800);
    EXPECT_FALSE(Exists(work_ + "plain\\"));
    EXPECT_TRUE(g_reports.empty());
    EXPECT_TRUE(application_.AnyModalOpen());

    PostMessageA(question, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntil([] { return g_reports.size() >= 5; }, 15000));
    const std::vector<std::string> expected = {"finished", "decrypt ended", "finished", "decrypt ended",
                                               "import ended"};
    EXPECT_EQ(g_reports, expected);
    EXPECT_TRUE(Exists(work_ + "letters\\readme.txt"));
    EXPECT_TRUE(Exists(work_ + "plain\\readme.txt"));
    EXPECT_TRUE(Exists(work_ + "Keys\\letters.enc"));
    EXPECT_FALSE(application_.AnyModalOpen());
    EXPECT_EQ(application_.Progress(), 2000);
}

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
            EXPECT_TRUE(WaitUntil([] { return Sound::PlayingCount() == 0; }, 5000));
            SendMessageA(window.Handle(), WM_SWND_COMMAND, 0, CMD_SOUNDS);
        }
    }
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    SoundShutdown();
}

}  // namespace
