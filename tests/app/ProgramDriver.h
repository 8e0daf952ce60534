// ProgramDriver: runs KvrDecryptor.exe as a user would meet it and drives it from outside:
// finds its windows, types with SendInput, and waits for what it shows. Test
// support only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kvrtest {

// Polls until the condition holds (true) or the time is up (false), pumping this thread.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A visible top-level window of the process with exactly this title; null when none.
HWND FindShownWindow(DWORD processId, const std::string& title);

class ProgramDriver {
public:
    ProgramDriver() = default;
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    // Starts the program and waits for its main window; false when it did not appear.
    bool Start(const std::string& program);
    // Waits for the process to end; its exit code, or -1 on time-out.
    int WaitForExit(DWORD timeoutMs);
    bool IsRunning() const;
    void Kill();

    HWND MainWindow() const { return mainWindow_; }
    POINT MainCentre() const;
    // A visible top-level window of the program with exactly this title; null when none.
    HWND FindWindowTitled(const std::string& title) const;
    // Number of visible top-level windows of the program besides the main window.
    int CountOtherWindows() const;

    // Real keyboard input (mouse input from this process does not reach Wine's X display;
    // drags come from the drag-source helper).
    static void PressKey(WORD key);
    // Brings the window to the front and gives it the keyboard, then presses the key.
    static void PressKeyIn(HWND window, WORD key);

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
};

}  // namespace kvrtest
