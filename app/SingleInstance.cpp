// SingleInstance: see SingleInstance.h.
#include "app/SingleInstance.h"

#include <shellapi.h>

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

// The wide text in the ANSI code page; false when a character has no place there.
bool AnsiFromWide(const wchar_t* wide, int length, String& ansi) {
    ansi.Empty();
    if (length == 0)
        return true;
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return false;
    Array<char> bytes;
    bytes.SetSize(size + 1, false);
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, &bytes[0], size, nullptr, &lossy) != size ||
        lossy)
        return false;
    bytes[size] = '\0';
    ansi = &bytes[0];
    return true;
}

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
    for (int i = 1; i < count; i++) {
        String path;
        if (!AnsiFromWide(arguments[i], lstrlenW(arguments[i]), path))
            path.Empty();
        files.AddString(path.Text());
    }
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
    wchar_t* const wide = path.NewWide();
    COPYDATASTRUCT data{};
    data.dwData = kHandOverTag;
    data.cbData = static_cast<DWORD>(lstrlenW(wide) * sizeof(wchar_t));
    data.lpData = wide;
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &answer);
    free(wide);
    return sent != 0;
}

bool ReadHandedPath(const COPYDATASTRUCT& data, String& path) {
    path.Empty();
    if (data.dwData != kHandOverTag || data.cbData % sizeof(wchar_t) != 0 ||
        data.cbData > kMaxHandedChars * sizeof(wchar_t) || (data.cbData > 0 && !data.lpData))
        return false;
    const int length = static_cast<int>(data.cbData / sizeof(wchar_t));
    // Accepted as a hand-over even when the name does not fit the code page: that file is
    // refused, but the window still comes forward.
    if (!AnsiFromWide(static_cast<const wchar_t*>(data.lpData), length, path))
        path.Empty();
    return true;
}
