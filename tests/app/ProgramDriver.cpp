// ProgramDriver: see ProgramDriver.h.
#include "tests/app/ProgramDriver.h"

#include <vector>

#include "tests/app/DragDriver.h"

namespace kvrtest {

namespace {

struct WindowSearch {
    DWORD processId;
    std::function<bool(HWND)> matches;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM argument) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(argument);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search.processId && IsWindowVisible(window) && search.matches(window))
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> FindWindows(DWORD processId, const std::function<bool(HWND)>& matches) {
    WindowSearch search{processId, matches, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string TitleOf(HWND window) {
    char title[512] = {};
    GetWindowTextA(window, title, sizeof(title));
    return title;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Pump();
        Sleep(20);
    }
}

ProgramDriver::~ProgramDriver() {
    Kill();
}

bool ProgramDriver::Start(const std::string& program) {

    const std::string path = WindowsPath(program);
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    return WaitUntil(
        [this] {
            const std::vector<HWND> windows = FindWindows(processId_, [](HWND window) {
                RECT rect{};
                GetWindowRect(window, &rect);
                return ClassOf(window) == "CLASS_SWND" && rect.right - rect.left == 130 &&
                       rect.bottom - rect.top == 175;
            });
            mainWindow_ = windows.empty() ? nullptr : windows[0];
            return mainWindow_ != nullptr;
        },
        30000);
}

int ProgramDriver::WaitForExit(DWORD timeoutMs) {
    if (!process_ || !WaitPumping(process_, timeoutMs))
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    CloseHandle(process_);
    process_ = nullptr;
    return static_cast<int>(code);
}

bool ProgramDriver::IsRunning() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void ProgramDriver::Kill() {
    if (!process_)
        return;
    if (IsRunning()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
}

POINT ProgramDriver::MainCentre() const {
    RECT rect{};
    GetWindowRect(mainWindow_, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND FindShownWindow(DWORD processId, const std::string& title) {
    const std::vector<HWND> windows =
        FindWindows(processId, [&title](HWND window) { return TitleOf(window) == title; });
    return windows.empty() ? nullptr : windows[0];
}

HWND ProgramDriver::FindWindowTitled(const std::string& title) const {
    return FindShownWindow(processId_, title);
}

int ProgramDriver::CountOtherWindows() const {
    const HWND main = mainWindow_;
    return static_cast<int>(FindWindows(processId_, [main](HWND window) {
                                return window != main && ClassOf(window) == "CLASS_SWND";
                            }).size());
}

void ProgramDriver::PressKey(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(40);
    SendInput(1, &inputs[1], sizeof(INPUT));
    Sleep(80);
}

void ProgramDriver::PressKeyIn(HWND window, WORD key) {
    SetForegroundWindow(window);
    Sleep(150);
    PressKey(key);
}

}  // namespace kvrtest
