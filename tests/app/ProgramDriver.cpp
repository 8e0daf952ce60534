// ProgramDriver: see ProgramDriver.h.
#include "tests/app/ProgramDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/TextCodec.h"
#include "toolkit/window/Messages.h"

namespace kvrtest {

namespace {

// A visible top-level window of the process (of any process for 0) that passes the test.
HWND FindProcessWindow(DWORD processId, const std::function<bool(HWND)>& test) {
    return FindTopWindow([&](HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        return (processId == 0 || process == processId) && IsWindowVisible(window) && test(window);
    });
}

// An item is a run of rows with text right of the check column, dark or grayed; the frame and
// the separators are lines across the whole width, which no text row is.
std::string MarksOf(HWND menu) {
    constexpr int kTextLeft = 18;
    constexpr int kInk = 230;  // the background is lighter
    constexpr int kDark = 64;  // grayed text is lighter
    int width = 0;
    const std::vector<COLORREF> pixels = menu ? Snapshot(menu, width) : std::vector<COLORREF>();
    const int height = width ? static_cast<int>(pixels.size()) / width : 0;
    const int textRight = width - 3;
    const auto countBelow = [&](int brightness, int left, int right, int top, int bottom) {
        int count = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, height); y++) {
            for (int x = left; x < right; x++) {
                const COLORREF pixel = pixels[static_cast<size_t>(y) * width + x];
                count += int((pixel & 0xFF) + (pixel >> 8 & 0xFF) + (pixel >> 16 & 0xFF)) < 3 * brightness;
            }
        }
        return count;
    };
    // A letter's descender may stand apart from the rest by a row: an item ends after three
    // rows without text.
    std::string marks;
    int itemTop = -1;
    int lastText = -1;
    for (int y = 0; y <= height; y++) {
        const int ink = y < height ? countBelow(kInk, kTextLeft, textRight, y, y + 1) : 0;
        if (ink > 0 && ink < (textRight - kTextLeft) * 4 / 5) {
            itemTop = itemTop < 0 ? y : itemTop;
            lastText = y;
        } else if (itemTop >= 0 && (y - lastText >= 3 || y == height)) {
            const bool checked = countBelow(kInk, 3, kTextLeft - 2, itemTop - 2, lastText + 3) > 0;
            const bool enabled = countBelow(kDark, kTextLeft, textRight, itemTop, lastText + 1) > 0;
            if (lastText - itemTop >= 2)
                marks += enabled ? (checked ? 'v' : '-') : (checked ? 'X' : 'x');
            itemTop = -1;
        }
    }
    return marks;
}

}  // namespace

std::vector<COLORREF> Snapshot(HWND window, int& width) {
    RECT frame{};
    GetWindowRect(window, &frame);
    width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::map<std::string, std::string> TreeOf(const std::string& folder) {
    std::map<std::string, std::string> tree;
    StringList entries;
    FileSystem().ListFolder((folder + "*").c_str(), entries,
                            FileSystem::kListFiles | FileSystem::kListFolders | FileSystem::kListRecurse);
    for (int i = 0; i < entries.Count(); i++) {
        const Bytes bytes = ReadFileBytes(folder + entries.At(i).Text());
        tree[entries.At(i).Text()] = std::string(bytes.begin(), bytes.end());
    }
    return tree;
}

void CopyTree(const std::string& from, const std::string& to) {
    ASSERT_TRUE(MakeFolder(to)) << to;
    for (const auto& entry : TreeOf(from)) {
        const std::string target = to + entry.first;
        ASSERT_TRUE(target.back() == '\\' ? MakeFolder(target) : WriteFileBytes(target, BytesOf(entry.second)))
            << target;
    }
}

bool WaitGone(HWND window) {
    return WaitUntil([window] { return !IsWindowVisible(window); }, 10000);
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

HWND FindTopWindow(const std::function<bool(HWND)>& test) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (test(window))
            return window;
    }
    return nullptr;
}

HWND FindShownWindow(DWORD processId, const std::string& title, const char* className) {
    return FindProcessWindow(processId, [&](HWND window) {
        wchar_t text[512] = {};
        GetWindowTextW(window, text, 512);
        return (!className || ClassOf(window) == className) &&
               ((className && title.empty()) || Utf8FromWide(text).Text() == title);
    });
}

ProgramDriver::~ProgramDriver() {
    if (!process_)
        return;
    (void)TerminateProcess(process_, 99);  // fails, harmlessly, once the program has quit
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
}

bool ProgramDriver::Start(const std::string& program, const std::string& arguments) {
    process_ = StartProgram(program, arguments);
    processId_ = GetProcessId(process_);
    // The main window is the program's first skinned window.
    return process_ && (mainWindow_ = WaitForWindow("", "CLASS_SWND")) != nullptr;
}

int ProgramDriver::Drop(const std::vector<std::string>& files, int attempts) const {
    RECT rect{};
    GetWindowRect(mainWindow_, &rect);
    int result = 1;
    for (int attempt = 0; attempt < attempts && result == 1; attempt++)
        result = DragFiles(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, files);
    return result;
}

HWND ProgramDriver::WaitForWindow(const std::string& title, const char* className) const {
    HWND found = nullptr;
    if (!WaitUntil([&] { return (found = FindShownWindow(processId_, title, className)) != nullptr; }, 30000))
        ADD_FAILURE() << "no window \"" << title << "\" of class " << (className ? className : "any");
    return found;
}

bool ProgramDriver::TrayClick(LPARAM mouseMessage, WPARAM iconId) const {
    HWND tray = FindTopWindow(
        [this](HWND window) { return GetWindow(window, GW_OWNER) == mainWindow_ && !IsWindowVisible(window); });
    return tray && PostMessageA(tray, WM_SWND_TRAYCALLBACK, iconId, mouseMessage);
}

std::string ProgramDriver::MenuMarks() const {
    // The pointer away from where the menu opens: the item under it would be highlighted.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    PostMessageA(mainWindow_, WM_RBUTTONDOWN, 0, MAKELPARAM(60, 80));
    HWND menu = WaitForWindow("", kMenuClass);
    Sleep(300);  // drawn
    const std::string marks = MarksOf(menu);
    Press(mainWindow_, {VK_ESCAPE});
    WaitGone(menu);
    return marks;
}

int ProgramDriver::CountOtherWindows(const char* className) const {
    int count = 0;
    FindProcessWindow(processId_, [&](HWND window) {
        count += window != mainWindow_ && ClassOf(window) == className;
        return false;
    });
    return count;
}

bool ProgramDriver::Press(HWND window, const std::vector<WORD>& keys, DWORD pauseMs) {
    if (!window)
        return false;
    SetForegroundWindow(window);
    Sleep(150);
    for (const WORD key : keys) {
        const bool shift = (key & kShifted) != 0;
        if (shift)
            keybd_event(VK_SHIFT, 0, 0, 0);
        keybd_event(LOBYTE(key), 0, 0, 0);
        Sleep(40);
        keybd_event(LOBYTE(key), 0, KEYEVENTF_KEYUP, 0);
        if (shift)
            keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        Sleep(pauseMs);
    }
    return true;
}

bool ProgramDriver::Answer(HWND window, WORD key) {
    // The window's thread may not have the keyboard yet when the keys arrive: it is given the
    // keyboard as a click would give it. A menu keeps the keyboard with its owner.
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (window && ClassOf(window) != kMenuClass && AttachThreadInput(GetCurrentThreadId(), thread, TRUE)) {
        SetForegroundWindow(window);
        SetFocus(window);
        AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    }
    return Press(window, {key}) && WaitGone(window);
}

}  // namespace kvrtest
