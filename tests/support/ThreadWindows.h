// Test support for tests whose windows live on the test thread: the queue pump, a count of the
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

// Windows of this thread and their children, visible or not.
inline int ThreadWindowCount() {
    struct Count {
        static BOOL CALLBACK Window(HWND window, LPARAM count) {
            ++*reinterpret_cast<int*>(count);
            EnumChildWindows(window, Child, count);
            return TRUE;
        }
        static BOOL CALLBACK Child(HWND, LPARAM count) {
            ++*reinterpret_cast<int*>(count);
            return TRUE;
        }
    };
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), Count::Window, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Runs `open`, which shows a dialog of the class modally on this thread; a thread timer finds
// the dialog once it is visible (never `ignored`) and hands it to `act`, once. True when the
// dialog was found.
inline bool AnswerDialog(const char* className,
                         const std::function<void(HWND)>& act,
                         const std::function<void()>& open,
                         HWND ignored = nullptr) {
    struct Pending {
        const char* className;
        HWND ignored;
        const std::function<void(HWND)>* act;
        bool done;

        static Pending*& Current() {
            static Pending* current = nullptr;
            return current;
        }
        static BOOL CALLBACK Find(HWND window, LPARAM found) {
            char name[64] = {};
            GetClassNameA(window, name, sizeof(name));
            if (!IsWindowVisible(window) || lstrcmpA(name, Current()->className) != 0 || window == Current()->ignored)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        static VOID CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
            HWND dialog = nullptr;
            if (!Current() || Current()->done)
                return;
            EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog)
                return;
            Current()->done = true;
            (*Current()->act)(dialog);
        }
    };
    Pending pending{className, ignored, &act, false};
    Pending::Current() = &pending;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, Pending::OnTimer);
    open();
    KillTimer(nullptr, timer);
    Pending::Current() = nullptr;
    return pending.done;
}

}  // namespace kvrtest
