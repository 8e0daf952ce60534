// WorkerWindow: the worker thread's message-only window. Each request posted to it (a
// decryption or a key import) runs synchronously in its window procedure, so the main
// window keeps animating while files are processed. A request owns its copy of the path.
// The message and question windows a request opens run modal loops on this thread, and those
// loops dispatch posted messages: a request that arrives meanwhile waits in a list and runs
// after the current one, never inside its question.
#pragma once

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"
#include "toolkit/media/Sound.h"
#include "toolkit/window/Window.h"

class Application;

class WorkerWindow : public Window {
public:
    explicit WorkerWindow(Application& application);
    ~WorkerWindow() override;

    // Creates the message-only window; false when the system refused.
    bool Create();

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Shown on this thread, owned by the main window; both count as modal windows of the
    // program while open.
    void TellUser(const char* text);
    bool AskUser(const char* question);
    void PlayErrorSound();

    Application& application() { return application_; }

private:
    struct PendingRequest {
        UINT message;
        String path;
    };

    void Accept(UINT message, String* path);
    void Run(UINT message, const String& path);
    void RunDecryption(const String& path);
    void RunKeyImport(const String& path);

    Application& application_;
    Sound errorSound_;
    bool running_ = false;
    OwnedArray<PendingRequest> pending_;
};

// The worker thread: creates the worker window, reports it to the Application, runs its
// loop until the window is destroyed. `ready` is signalled once the window exists (or could
// not be made).
struct WorkerStart {
    Application* application;
    HANDLE ready;
};
DWORD WINAPI WorkerThreadMain(void* start);
