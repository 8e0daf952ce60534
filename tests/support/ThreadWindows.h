// Test support for tests whose windows live on the test thread: the queue pump, a wait that
// keeps pumping, a count of the
// thread's windows (nothing may stay behind), and a dialog answered while the thread runs it
// modally. Header only, so any test program can use it. Not part of the product.
#pragma once

#include <windows.h>

#include <functional>

namespace kvrtest {

// Runs this thread's queue until it is empty.
inline void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Polls until the condition holds (true) or the time is up (false), pumping this thread.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
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

// Windows of this thread and their children, visible or not.
inline int ThreadWindowCount() {
    struct Count {
        // Counts the window and goes on (the count is positive after it).
        static BOOL CALLBACK One(HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count) > 0; }
        static BOOL CALLBACK WithChildren(HWND window, LPARAM count) {
            EnumChildWindows(window, One, count);
            return One(window, count);
        }
    };
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), Count::WithChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Runs `open`, which shows a dialog of the class modally on this thread; a thread timer finds
// the dialog once it is visible and hands it to `act`, once. True when the dialog was found.
inline bool AnswerDialog(const char* className,
                         const std::function<void(HWND)>& act,
                         const std::function<void()>& open) {
    static const char* wanted = nullptr;
    static const std::function<void(HWND)>* pending = nullptr;  // null once answered
    struct Timer {
        static BOOL CALLBACK Find(HWND window, LPARAM found) {
            char name[64] = {};
            GetClassNameA(window, name, sizeof(name));
            if (!IsWindowVisible(window) || lstrcmpA(name, wanted) != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
            HWND dialog = nullptr;
            if (pending)
                EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog)
                return;
            const std::function<void(HWND)>* const answer = pending;
            pending = nullptr;
            (*answer)(dialog);
        }
    };
    wanted = className;
    pending = &act;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, Timer::Tick);
    open();
    KillTimer(nullptr, timer);
    const bool answered = !pending;
    pending = nullptr;
    return answered;
}

}  // namespace kvrtest
