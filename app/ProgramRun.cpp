// ProgramRun: see ProgramRun.h.
#include "app/ProgramRun.h"

#include <ole2.h>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/MessageWindow.h"
#include "app/SingleInstance.h"
#include "app/WorkerWindow.h"
#include "settings/KeyFolders.h"
#include "settings/Settings.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/ModalLoop.h"
#include "toolkit/window/Toolkit.h"

namespace {

// OLE for the drop target, for as long as the windows live.
class OleSession {
public:
    OleSession() : result_(OleInitialize(nullptr)) {}
    ~OleSession() {
        if (SUCCEEDED(result_))
            OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    HRESULT result_;
};

constexpr DWORD kSoundPriorityLevel = 2;  // DSSCL_PRIORITY
constexpr char kNoWorkerMessage[] =
    "KVR Decryptor could not start its decryption thread, so it cannot take files.\nPlease start it again.";

// Waits for an object while this thread's windows keep answering: the worker's modal
// windows send to the main window (it owns them) and would wait on a thread that does not
// pump. A WM_QUIT seen meanwhile is posted again for the loop that comes after.
void WaitPumping(HANDLE object) {
    int quitCode = 0;
    bool sawQuit = false;
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0 + 1)
            break;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                sawQuit = true;
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (sawQuit)
        PostQuitMessage(quitCode);
}

// The shared Application, OLE, the main window and the worker, in that order, each ended in
// reverse by its scope: the worker has ended before the main window goes, the main window
// before OLE, and all of them before the Application they share.
// file: opened once the windows run, as if dropped (empty: none).
int RunWindows(const String& file) {
    Application application;
    application.SetKeyFolder(LoadActiveKeyFolder(GetProgramFolder()));
    const OleSession ole;
    MainWindow mainWindow(application);
    if (!mainWindow.Create())
        return 1;
    const HANDLE worker = StartWorkerThread(application);
    // Found by a later start only once requests can be posted.
    MarkAsRunningProgram(mainWindow.Handle());
    if (!file.IsEmpty())
        (void)mainWindow.OpenFile(file);
    bool blocking = true;
    RunMessageLoop(blocking, nullptr, nullptr);
    StopWorkerThread(application, worker);
    return 0;
}

}  // namespace

// The main loop starts only once the worker window exists, so no request can be made
// before there is somewhere to post it.
HANDLE StartWorkerThread(Application& application, LPTHREAD_START_ROUTINE threadMain) {
    WorkerStart start{&application, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = start.ready ? CreateThread(nullptr, 0, threadMain, &start, 0, nullptr) : nullptr;
    if (thread)
        WaitPumping(start.ready);
    if (start.ready)
        CloseHandle(start.ready);
    if (!application.WorkerHandle()) {
        ModalScope modal(application);
        ShowMessage(application.MainHandle(), kNoWorkerMessage);
    }
    return thread;
}

void StopWorkerThread(Application& application, HANDLE thread) {
    if (!thread)
        return;
    if (HWND worker = application.WorkerHandle())
        (void)PostMessageA(worker, WM_CLOSE, 0, 0);
    // Every object the worker may touch stays alive until it has ended.
    WaitPumping(thread);
    CloseHandle(thread);
}

int RunProgram(HINSTANCE instance) {
    // One file is opened as if dropped; several are refused as a drop of several is.
    const StringList files = FilesOnCommandLine();
    const String file = files.Count() == 1 ? files.At(0) : String();
    SingleInstance session;
    if (!session.Claim())
        return HandToRunningProgram(file) ? 0 : 1;

    ToolkitInit(instance);
    (void)GraphicsStartup();
    SoundStartup(GetToolkitWindowHandle(), kSoundPriorityLevel);

    const int exitCode = RunWindows(file);
    SoundShutdown();
    GraphicsShutdown();
    ToolkitShutdown(instance);
    return exitCode;
}
