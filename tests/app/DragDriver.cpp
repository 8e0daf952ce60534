// DragDriver: see DragDriver.h.
#include "tests/app/DragDriver.h"

#include <algorithm>

#include "tests/support/ThreadWindows.h"
#include "toolkit/base/TextCodec.h"

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
    const std::string commandLine = "\"" + program + "\" " + arguments;
    // Wide, so that arguments of any characters reach the program whole.
    const WideText wideProgram(program.c_str());
    const WideText wideLine(commandLine.c_str());
    std::wstring line(wideLine.Text());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(wideProgram, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int WaitForExitCode(HANDLE process, DWORD timeoutMs) {
    DWORD code = 0;
    const bool ended = WaitUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs);
    return ended && GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
}

int RunCaptured(const std::string& program, const std::string& arguments, std::string& output) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const std::string commandLine = "\"" + program + "\" " + arguments;
    const WideText wideProgram(program.c_str());
    std::wstring line(WideText(commandLine.c_str()).Text());
    const BOOL started = CreateProcessW(wideProgram, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    char buffer[256];
    DWORD got = 0;
    while (started && ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got)
        output.append(buffer, got);
    CloseHandle(readEnd);
    if (!started)
        return -1;
    CloseHandle(process.hThread);
    const int code = WaitForExitCode(process.hProcess, 30000);
    CloseHandle(process.hProcess);
    return code;
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
