// Test support of the application-shell tests; see AppTestSession.h.
#include "tests/app/AppTestSession.h"

#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Toolkit.h"

namespace apptest {

namespace {

class AppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ToolkitInit(GetModuleHandleA(nullptr));
        ASSERT_TRUE(GraphicsStartup());
        ClearSettings();
    }
    void TearDown() override {
        ClearSettings();
        GraphicsShutdown();
        ToolkitShutdown(GetModuleHandleA(nullptr));
    }
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new AppEnvironment);

struct Search {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM argument) {
    Search& search = *reinterpret_cast<Search*>(argument);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
        !GetClassNameA(window, className, sizeof(className)) || lstrcmpA(className, kWindowClassName) != 0)
        return TRUE;
    // Read without a message: GetWindowText would wait for the window's thread.
    wchar_t title[512] = {};
    InternalGetWindowText(window, title, 512);
    wchar_t wanted[512] = {};
    MultiByteToWideChar(CP_ACP, 0, search.title, -1, wanted, 512);
    if (lstrcmpW(title, wanted) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND FindShownWindow(const std::string& title) {
    Search search{title.c_str(), nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

WindowAnswerer::WindowAnswerer(const std::string& title, WPARAM key) : title_(title), key_(key) {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

WindowAnswerer::~WindowAnswerer() {
    (void)Seen();
}

bool WindowAnswerer::Seen() {
    // Called once the window's run is over: a window not seen by now will not come.
    InterlockedExchange(&stop_, 1);
    if (thread_) {
        // Pumping while waiting: the answerer may need this thread's windows to answer.
        while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            PumpMessages();
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return seen_ != 0;
}

DWORD WINAPI WindowAnswerer::Run(void* argument) {
    WindowAnswerer& self = *static_cast<WindowAnswerer*>(argument);
    for (int i = 0; i < 1000 && !self.stop_; i++) {
        if (HWND window = FindShownWindow(self.title_)) {
            InterlockedExchange(&self.seen_, 1);
            PostMessageA(window, WM_KEYDOWN, self.key_, 0);
            return 0;
        }
        Sleep(10);
    }
    return 0;
}

void ClearSettings() {
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

}  // namespace apptest
