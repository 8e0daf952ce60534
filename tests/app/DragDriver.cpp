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

namespace {

// Starts the program with the arguments (of any characters: the command line goes wide); its
// process handle, or null when it did not start.
HANDLE Launch(const std::string& program, const std::string& arguments, STARTUPINFOW& startup, DWORD flags) {
    std::wstring line(WideText(("\"" + program + "\" " + arguments).c_str()).Text());
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL inherit = (startup.dwFlags & STARTF_USESTDHANDLES) != 0;
    if (!CreateProcessW(WideText(program.c_str()), &line[0], nullptr, nullptr, inherit, flags, nullptr, nullptr,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

}  // namespace

HANDLE StartProgram(const std::string& buildPath, const std::string& arguments) {
    STARTUPINFOW startup{};
    return Launch(WindowsPath(buildPath), arguments, startup, 0);
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
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    const HANDLE process = Launch(program, arguments, startup, CREATE_NO_WINDOW);
    CloseHandle(writeEnd);
    char buffer[256];
    DWORD got = 0;
    while (process && ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got)
        output.append(buffer, got);
    CloseHandle(readEnd);
    if (!process)
        return -1;
    const int code = WaitForExitCode(process, 30000);
    CloseHandle(process);
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
