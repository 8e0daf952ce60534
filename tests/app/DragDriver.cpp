// DragDriver: see DragDriver.h.
#include "tests/app/DragDriver.h"

#include "tests/support/ThreadWindows.h"

namespace kvrtest {

std::string WindowsPath(const std::string& buildPath) {
    std::string path = buildPath;
    if (path.empty() || path[0] != '/')
        return path;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return "Z:" + path;
}

bool WaitPumping(HANDLE object, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        const DWORD woke = MsgWaitForMultipleObjects(1, &object, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false;
        PumpMessages();
    }
}

int DragFiles(POINT target, const std::vector<std::string>& files, bool leave, int holdMs) {
    const std::string program = WindowsPath(KVR_DRAG_SOURCE_EXE);
    std::string commandLine = "\"" + program + "\"";
    if (leave)
        commandLine += " --leave";
    commandLine += " --hold " + std::to_string(holdMs);
    commandLine += " " + std::to_string(target.x) + " " + std::to_string(target.y);
    for (const std::string& file : files)
        commandLine += " \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 3;
    CloseHandle(process.hThread);
    int code = 3;
    if (WaitPumping(process.hProcess, 30000)) {
        DWORD exitCode = 3;
        GetExitCodeProcess(process.hProcess, &exitCode);
        code = static_cast<int>(exitCode);
    } else {
        TerminateProcess(process.hProcess, 3);
    }
    CloseHandle(process.hProcess);
    return code;
}

}  // namespace kvrtest
