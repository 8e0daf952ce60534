// SingleInstance: see SingleInstance.h.
#include "app/SingleInstance.h"

#include <shellapi.h>

#include "toolkit/base/TextCodec.h"

namespace {

// Local\: one name per logon session, so each user who is logged on has a program of their own.
constexpr char kMutexName[] = "Local\\Quillmont.KvrDecryptor.Running";
// The window property that tells the running program's main window from the toolkit's other
// windows, which share its class.
constexpr char kMainWindowMark[] = "Quillmont.KvrDecryptor.Main";
constexpr char kWindowClass[] = "CLASS_SWND";
// Tags a WM_COPYDATA as a hand-over: "KVRO".
constexpr ULONG_PTR kHandOverTag = 0x4B56524F;
// A longer path is no path the program can open; the message is refused before it is read.
constexpr DWORD kMaxHandedChars = 32768;
constexpr DWORD kAnswerTimeoutMs = 5000;
constexpr DWORD kFindAttempts = 50;
constexpr DWORD kFindPauseMs = 100;

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found) {
    char className[32] = {};
    if (GetClassNameA(window, className, sizeof(className)) > 0 && lstrcmpA(className, kWindowClass) == 0 &&
        GetPropA(window, kMainWindowMark)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindRunningProgram() {
    HWND found = nullptr;
    EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

SingleInstance::~SingleInstance() {
    if (mutex_)
        CloseHandle(mutex_);
}

bool SingleInstance::Claim() {
    mutex_ = CreateMutexA(nullptr, FALSE, kMutexName);
    // Without the mutex nothing can tell a second start apart; run rather than refuse to.
    return !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

StringList FilesOnCommandLine() {
    StringList files;
    int count = 0;
    LPWSTR* const arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return files;
    for (int i = 1; i < count; i++)
        files.AddString(Utf8FromWide(arguments[i]));
    LocalFree(arguments);
    return files;
}

void MarkAsRunningProgram(HWND window) {
    (void)SetPropA(window, kMainWindowMark, reinterpret_cast<HANDLE>(1));
}

bool HandToRunningProgram(const String& path) {
    HWND running = nullptr;
    for (DWORD attempt = 0; attempt < kFindAttempts && !running; attempt++) {
        running = FindRunningProgram();
        if (!running)
            Sleep(kFindPauseMs);
    }
    if (!running)
        return false;
    // The running program may take the foreground only when the starting one, which the user
    // just started and so may, lets it.
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    (void)AllowSetForegroundWindow(runningProcess);
    const WideText wide(path.Text(), path.Length());
    COPYDATASTRUCT data{};
    data.dwData = kHandOverTag;
    data.cbData = static_cast<DWORD>(wide.Length() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(wide.Text());
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &answer);
    return sent != 0;
}

bool ReadHandedPath(const COPYDATASTRUCT& data, String& path) {
    path.Empty();
    if (data.dwData != kHandOverTag || data.cbData % sizeof(wchar_t) != 0 ||
        data.cbData > kMaxHandedChars * sizeof(wchar_t) || (data.cbData > 0 && !data.lpData))
        return false;
    const int length = static_cast<int>(data.cbData / sizeof(wchar_t));
    if (length > 0)
        path = Utf8FromWide(static_cast<const wchar_t*>(data.lpData), length);
    return true;
}
