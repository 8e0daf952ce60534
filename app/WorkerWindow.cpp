// WorkerWindow: see WorkerWindow.h.
#include "app/WorkerWindow.h"

#include "app/Application.h"
#include "app/KeyImport.h"
#include "app/MessageWindow.h"
#include "app/QuestionWindow.h"
#include "app/ShellMessages.h"
#include "engine/DecryptFile.h"
#include "resources/ResourceIds.h"
#include "toolkit/base/PathName.h"
#include "toolkit/window/ModalLoop.h"
#include "toolkit/window/Toolkit.h"

namespace {

constexpr char kOverwriteFolderQuestion[] = "This folder already exists.\nWould you like to overwrite it?";

// The decrypt driver's events, on this thread. The context is the worker window.
int32_t OnRequestEvent(int32_t code, intptr_t value, intptr_t /*extra*/, const RequestCallbackBlock* block) {
    WorkerWindow& worker = *static_cast<WorkerWindow*>(block->context);
    Application& application = worker.application();
    switch (code) {
        case RE_PROGRESS:
            if (application.CancelRequested())
                return 1;
            application.SetProgress(static_cast<int>(value));
            return 0;
        case RE_ERROR:
            worker.PlayErrorSound();
            worker.TellUser(reinterpret_cast<const char*>(value));
            return 0;
        case RE_ASK_OVERWRITE:
            return worker.AskUser(kOverwriteFolderQuestion) ? 1 : 0;
        case RE_END:
            (void)PostMessageA(application.MainHandle(), WM_DECRYPT_FINISHED, 0, 0);
            return 0;
        default:
            return 0;
    }
}

}  // namespace

WorkerWindow::WorkerWindow(Application& application) : application_(application) {}

WorkerWindow::~WorkerWindow() = default;

bool WorkerWindow::Create() {
    WindowArgs args;
    args.parent = HWND_MESSAGE;  // message-only: never visible, and no broadcast can wait on it
    if (!Window::Create(args))
        return false;
    (void)errorSound_.LoadWaveResource(resource::kSoundError, GetInstance());
    return true;
}

LRESULT WorkerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            break;
        case WM_DECRYPT_REQUEST:
        case WM_IMPORT_KEY_REQUEST:
            Accept(message, reinterpret_cast<String*>(lParam));
            return 0;
        default:
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void WorkerWindow::Accept(UINT message, String* path) {
    if (!path)
        return;
    pending_.Append(new PendingRequest{message, *path});
    delete path;
    if (running_)
        return;
    running_ = true;
    while (pending_.Count() > 0) {
        Run(pending_[0]->message, pending_[0]->path);
        pending_.RemoveAt(0);
    }
    running_ = false;
}

void WorkerWindow::Run(UINT message, const String& path) {
    if (message == WM_DECRYPT_REQUEST)
        RunDecryption(path);
    else
        RunKeyImport(path);
    (void)PostMessageA(application_.MainHandle(), WM_REQUEST_ENDED, message, 0);
}

void WorkerWindow::RunDecryption(const String& path) {
    DecryptRequest request;
    request.keyFolder = application_.KeyFolder();
    request.sourcePath = path;
    request.outputFolder = PathName(path).GetFolderPath();
    request.block.callback = &OnRequestEvent;
    request.block.context = this;
    if (!DecryptFile(request))
        return;
    DecryptOutcome* outcome = new DecryptOutcome;
    outcome->sourceName = PathName(path).GetFileName();
    outcome->outputFolder = request.outputPath;
    outcome->files = request.filesWritten;
    if (!PostMessageA(application_.MainHandle(), WM_DECRYPT_SUCCEEDED, 0, reinterpret_cast<LPARAM>(outcome)))
        delete outcome;
}

void WorkerWindow::RunKeyImport(const String& path) {
    ModalScope modal(application_);
    (void)ImportKeyFile(path, application_.KeyFolder(), application_.MainHandle(),
                        application_.SoundsOn() ? &errorSound_ : nullptr);
}

void WorkerWindow::TellUser(const char* text) {
    ModalScope modal(application_);
    ShowMessage(application_.MainHandle(), text);
}

bool WorkerWindow::AskUser(const char* question) {
    ModalScope modal(application_);
    return AskQuestion(application_.MainHandle(), question);
}

void WorkerWindow::PlayErrorSound() {
    if (application_.SoundsOn())
        (void)errorSound_.Play();
}

DWORD WINAPI WorkerThreadMain(void* argument) {
    // The start record lives on the starting thread's stack only until `ready` is set.
    WorkerStart& start = *static_cast<WorkerStart*>(argument);
    Application& application = *start.application;
    WorkerWindow worker(application);
    const bool created = worker.Create();
    if (created)
        application.SetWorkerHandle(worker.Handle());
    SetEvent(start.ready);
    if (created) {
        bool blocking = true;
        RunMessageLoop(blocking, nullptr, nullptr);
    }
    application.SetWorkerHandle(nullptr);
    return 0;
}
