// ProgramDriver: see ProgramDriver.h.
#include "tests/app/ProgramDriver.h"

#include <gtest/gtest.h>

#include <utility>

#include "tests/support/ArchiveWriter.h"
#include "toolkit/base/FileSystem.h"

namespace kvrtest {

namespace {

using WindowSearch = std::pair<const std::function<bool(HWND)>*, HWND>;

BOOL CALLBACK VisitWindow(HWND window, LPARAM argument) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(argument);
    search.second = (*search.first)(window) ? window : nullptr;
    return search.second == nullptr;
}

// The window's class name or title, as the reader gives it.
std::string TextOf(HWND window, int(WINAPI* read)(HWND, LPSTR, int)) {
    char text[512] = {};
    read(window, text, sizeof(text));
    return text;
}

HWND FindProcessWindow(DWORD processId, const std::function<bool(HWND)>& test) {
    return FindTopWindow([&](HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        return process == processId && IsWindowVisible(window) && test(window);
    });
}

}  // namespace

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
    ASSERT_TRUE(CreateDirectoryA(to.c_str(), nullptr)) << to;
    for (const auto& entry : TreeOf(from)) {
        const std::string target = to + entry.first;
        ASSERT_TRUE(target.back() == '\\' ? CreateDirectoryA(target.c_str(), nullptr) != 0
                                          : WriteFileBytes(target, BytesOf(entry.second)))
            << target;
    }
}

bool WaitGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([window] { return !IsWindowVisible(window); }, timeoutMs);
}

HWND FindTopWindow(const std::function<bool(HWND)>& test) {
    WindowSearch search{&test, nullptr};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND FindShownWindow(DWORD processId, const std::string& title) {
    return FindProcessWindow(processId, [&title](HWND window) { return TextOf(window, GetWindowTextA) == title; });
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
    const auto skinned = [](HWND window) { return TextOf(window, GetClassNameA) == "CLASS_SWND"; };
    return process_ &&
           WaitUntil([&] { return (mainWindow_ = FindProcessWindow(processId_, skinned)) != nullptr; }, 30000);
}

int ProgramDriver::Drop(const std::vector<std::string>& files, int attempts) const {
    RECT rect{};
    GetWindowRect(mainWindow_, &rect);
    int result = 1;
    for (int attempt = 0; attempt < attempts && result == 1; attempt++)
        result = DragFiles(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, files);
    return result;
}

HWND ProgramDriver::WaitForWindow(const std::string& title, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindShownWindow(processId_, title)) != nullptr; }, timeoutMs);
    return found;
}

int ProgramDriver::CountOtherWindows(const char* className) const {
    int count = 0;
    FindProcessWindow(processId_, [&](HWND window) {
        count += window != mainWindow_ && TextOf(window, GetClassNameA) == className;
        return false;
    });
    return count;
}

bool ProgramDriver::Answer(HWND window, WORD key) {
    if (!window)
        return false;
    SetForegroundWindow(window);
    Sleep(150);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    Sleep(40);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    return WaitGone(window, 5000);
}

}  // namespace kvrtest
