// ProgramDriver: runs KvrDecryptor.exe as a user would meet it and drives it from outside:
// finds its windows, posts its menu commands, drops files on it, types on the keyboard, and
// waits for what it shows. Test support only.
#pragma once

#include <map>

#include "tests/app/DragDriver.h"

namespace kvrtest {

// The class of the system's menu windows.
inline constexpr char kMenuClass[] = "#32768";

// Relative name (a folder's ends with a backslash) -> content of everything below a folder,
// each folder before what it holds.
std::map<std::string, std::string> TreeOf(const std::string& folder);
// Copies a tree into a new folder; fails the test where it cannot.
void CopyTree(const std::string& from, const std::string& to);

// Waits until the window is hidden or destroyed.
bool WaitGone(HWND window);

// The screen's pixels in the window's rectangle, row by row, each 0x00RRGGBB; `width`
// receives the row length.
std::vector<COLORREF> Snapshot(HWND window, int& width);

// The window's class name.
std::string ClassOf(HWND window);

// The first top-level window, in the order of the top-level windows, that passes the test;
// null when none.
HWND FindTopWindow(const std::function<bool(HWND)>& test);

// A visible top-level window of the process (of any process for 0) with exactly this title and,
// given a class name, of that class (then an empty title stands for any); null when none.
HWND FindShownWindow(DWORD processId, const std::string& title, const char* className = nullptr);

class ProgramDriver {
public:
    ProgramDriver() = default;
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    // Starts the program with the arguments and waits for its main window; false when it did
    // not appear.
    bool Start(const std::string& program, const std::string& arguments = "");
    // Waits for the process to end; its exit code, or -1 on time-out.
    int WaitForExit(DWORD timeoutMs) const { return WaitForExitCode(process_, timeoutMs); }
    bool IsRunning() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

    HWND MainWindow() const { return mainWindow_; }
    // Posts a menu command to the main window as its menu sends it.
    void Command(WPARAM command) const { PostMessageA(mainWindow_, WM_COMMAND, command, 0); }
    // Drags the files onto the main window's centre until they are taken or the attempts are
    // used up (right after a request the closing animations still play and the window refuses
    // drags meanwhile); the last drag's result, as DragFiles gives it. One attempt for a drag
    // that is to be refused.
    int Drop(const std::vector<std::string>& files, int attempts = 6) const;
    // Waits for a visible top-level window of the program with exactly this title (or, with a
    // class name, of that class); null, and the test failed, when none came.
    HWND WaitForWindow(const std::string& title, const char* className = nullptr) const;
    // Number of visible top-level windows of the program of this class besides the main window.
    int CountOtherWindows(const char* className = "CLASS_SWND") const;
    // Tells the hidden window of the tray icon of a mouse message on the icon `iconId` as the
    // notification area does; false when there is no such window.
    bool TrayClick(LPARAM mouseMessage, WPARAM iconId = 0) const;
    // The items of the main window's menu as the screen shows them, one character per item,
    // top down: '-' plain, 'v' checked, and grayed 'x', or 'X' checked. The menu is opened by
    // a right click and closed again.
    std::string MenuMarks() const;

    // Added to a key for Press: pressed with Shift held (as VkKeyScan marks it).
    static constexpr WORD kShifted = 0x100;
    // Brings the window to the front and presses the keys there with real keyboard input (mouse
    // input from this process does not reach Wine's X display), `pauseMs` after each; false
    // for a null window.
    static bool Press(HWND window, const std::vector<WORD>& keys, DWORD pauseMs = 150);
    // Gives the window the keyboard, presses the key there and waits for the window to go.
    static bool Answer(HWND window, WORD key);

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
};

}  // namespace kvrtest
