// DragDriver: see DragDriver.h.
#include "tests/app/DragDriver.h"

#include <algorithm>

#include "tests/support/ThreadWindows.h"

namespace kvrtest {

std::string WindowsPath(const std::string& buildPath) {
    std::string path = buildPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path[0] == '\\' ? "Z:" + path : path;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        // Wakes at once for a message, so calls into this thread wait no poll interval.
        (void)MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

HANDLE StartProgram(const std::string& buildPath, const std::string& arguments) {
    const std::string program = WindowsPath(buildPath);
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int WaitForExitCode(HANDLE process, DWORD timeoutMs) {
    DWORD code = 0;
    const bool ended = WaitUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs);
    return ended && GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
}

int DragFiles(POINT target, const std::vector<std::string>& files, bool leave) {
    std::string arguments =
        std::string(leave ? "--leave " : "") + std::to_string(target.x) + " " + std::to_string(target.y);
    for (const std::string& file : files)
        arguments += " \"" + file + "\"";
    const HANDLE process = StartProgram(KVR_DRAG_SOURCE_EXE, arguments);
    if (!process)
        return 3;
    const int code = WaitForExitCode(process, 30000);
    (void)TerminateProcess(process, 3);  // a helper that hangs; fails, harmlessly, once it has ended
    CloseHandle(process);
    return code < 0 ? 3 : code;
}

}  // namespace kvrtest
