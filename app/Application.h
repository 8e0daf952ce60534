// Application: the one object both threads share. The user-interface thread owns the main
// window, the worker thread the worker window; what crosses between them lives here, each
// piece with its rule: the key folder behind a lock (a key import on the worker may overlap a
// key-folder command), the scalar flags as interlocked words with one writer at a time, and
// the window handles set once by their own thread before the other may use them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/KeyFolders.h"
#include "toolkit/base/String.h"

class Application {
public:
    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // A copy, so the caller never reads the text while a command replaces it.
    String KeyFolder() const { return keyFolder_.Get(); }
    void SetKeyFolder(const String& folder) { keyFolder_.Set(folder); }
    SharedKeyFolder& KeyFolderStore() { return keyFolder_; }

    // Written by the user-interface thread, read by the worker's progress events.
    void SetCancelRequested(bool on) { InterlockedExchange(&cancelRequested_, on ? 1 : 0); }
    bool CancelRequested() const { return InterlockedCompareExchange(&cancelRequested_, 0, 0) != 0; }
    // Written by the worker's progress events, read by the animation timer.
    void SetProgress(int value) { InterlockedExchange(&progress_, value); }
    int Progress() const { return InterlockedCompareExchange(&progress_, 0, 0); }
    // The "Sounds" switch: loaded and saved by the main window, turned by its menu command, read
    // by both threads before each sound.
    void SetSoundsOn(bool on) { InterlockedExchange(&soundsOn_, on ? 1 : 0); }
    bool SoundsOn() const { return InterlockedCompareExchange(&soundsOn_, 0, 0) != 0; }

    // Modal windows of the program now open, on either thread. Tray events and the window's
    // menu wait while any is open, so that menus and dialogs never nest.
    void EnterModal() { InterlockedIncrement(&modalCount_); }
    void LeaveModal() { InterlockedDecrement(&modalCount_); }
    bool AnyModalOpen() const { return InterlockedCompareExchange(&modalCount_, 0, 0) > 0; }

    // The main window's handle: owner of the worker's message windows, target of its reports.
    void SetMainHandle(HWND handle) { InterlockedExchangePointer(&mainHandle_, handle); }
    HWND MainHandle() const {
        return static_cast<HWND>(InterlockedCompareExchangePointer(&mainHandle_, nullptr, nullptr));
    }
    void SetWorkerHandle(HWND handle) { InterlockedExchangePointer(&workerHandle_, handle); }
    HWND WorkerHandle() const {
        return static_cast<HWND>(InterlockedCompareExchangePointer(&workerHandle_, nullptr, nullptr));
    }

private:
    SharedKeyFolder keyFolder_;
    mutable volatile LONG cancelRequested_ = 0;
    mutable volatile LONG progress_ = 0;
    mutable volatile LONG soundsOn_ = 1;
    mutable volatile LONG modalCount_ = 0;
    mutable PVOID volatile mainHandle_ = nullptr;
    mutable PVOID volatile workerHandle_ = nullptr;
};

// Counts one modal window of the program for as long as it lives.
class ModalScope {
public:
    explicit ModalScope(Application& application) : application_(application) { application_.EnterModal(); }
    ~ModalScope() { application_.LeaveModal(); }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    Application& application_;
};
