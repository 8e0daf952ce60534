// Message loops and the modal run of Window; see ModalLoop.h.
#include "toolkit/window/ModalLoop.h"

#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"
#include "toolkit/window/WindowRegistry.h"

namespace {

// Offers a message to the modeless dialog that contains its window, if any.
bool FilterDialogMessage(MSG& message) {
    HWND dialog = FindDialogFor(message.hwnd);
    return dialog && IsDialogMessageW(dialog, &message);
}

int Deliver(MSG& message) {
    if (FilterDialogMessage(message))
        return 0;
    TranslateMessage(&message);
    return static_cast<int>(DispatchMessageW(&message));
}

// Takes the next message; false when none was taken (poll mode with an empty queue, or an
// error of GetMessage, reported through failed).
bool NextMessage(bool blocking, MSG& message, bool& failed) {
    failed = false;
    if (blocking) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) {
            failed = true;
            return false;
        }
        return true;
    }
    return PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0;
}

// Poll mode without an idle callback would spin; wait for input instead.
int Idle(IdleCallback idle, void* argument) {
    if (idle)
        return idle(argument);
    WaitMessage();
    return 0;
}

void CollectToolkitTree(HWND top, Array<HWND>& out) {
    const int first = out.Count();
    WindowRegistry::CollectChildHandles(top, -1, out);
    const int last = out.Count();
    for (int i = first; i < last; i++)
        CollectToolkitTree(out[i], out);
}

// Handles, never objects: the windows may belong to the other thread, and any may be
// destroyed (and its object deleted) during the run. When the owner lives on another thread
// (a message window of the worker owned by the main window), only the owner is disabled:
// the rest of that thread's windows are not this run's to touch.
void CollectModalBlockers(Window& window, HWND owner, Array<HWND>& disabled) {
    HWND top = window.GetTopLevelHandle();
    if (!top || !Window::FromHandle(top))
        return;
    Array<HWND> candidates;
    if (GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) {
        candidates.Append(owner);
    } else {
        candidates.Append(top);
        CollectToolkitTree(top, candidates);
    }
    for (int i = 0; i < candidates.Count(); i++) {
        HWND handle = candidates[i];
        if (handle == window.Handle() || disabled.Find(handle) >= 0)
            continue;
        if ((GetWindowLongA(handle, GWL_STYLE) & WS_CHILD) || !IsWindowEnabled(handle))
            continue;
        disabled.Append(handle);
    }
}

}  // namespace

int RunMessageLoop(bool& continueFlag, IdleCallback idle, void* argument) {
    int result = 0;
    MSG message{};
    for (;;) {
        bool failed = false;
        if (!NextMessage(continueFlag, message, failed)) {
            if (failed)
                return result;
            result = Idle(idle, argument);
            continue;
        }
        if (message.message == WM_QUIT)
            return result;
        result = Deliver(message);
    }
}

int RunModalLoop(Window* window, bool& continueFlag, IdleCallback idle, void* argument) {
    int result = 0;
    MSG message{};
    while (window && window->Handle() && IsWindow(window->Handle()) && window->IsModal()) {
        bool failed = false;
        if (!NextMessage(continueFlag, message, failed)) {
            if (failed)
                return result;
            result = Idle(idle, argument);
            continue;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return result;
        }
        if (message.message == WM_KEYDOWN && RegisteredDialogCount() == 0) {
            if (message.wParam == VK_RETURN)
                SendMessageA(window->Handle(), WM_SWND_OK, 0, 0);
            else if (message.wParam == VK_ESCAPE)
                SendMessageA(window->Handle(), WM_SWND_CANCEL, 0, 0);
        }
        result = Deliver(message);
    }
    return result;
}

int Window::DoModal(WPARAM value1, LPARAM value2) {
    // A second run on a window already modal would reset the first one's state, and its end
    // would end the first run too.
    if (!handle_ || modal_ || (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        return 0;
    HWND parent = ::GetParent(handle_);
    Array<HWND> disabled;
    if (parent)
        CollectModalBlockers(*this, parent, disabled);
    for (int i = 0; i < disabled.Count(); i++)
        EnableWindow(disabled[i], FALSE);
    modalResult_ = 0;
    modal_ = true;
    if (SendMessageA(handle_, WM_SWND_MODALINIT, value1, value2) != 0)
        modal_ = false;
    if (handle_ && !IsWindowVisible(handle_))
        ShowWindow(handle_, SW_SHOW);
    bool blocking = true;
    RunModalLoop(this, blocking, nullptr, nullptr);
    modal_ = false;
    if (!handle_ && parent && IsWindow(parent))
        SetWindowPos(parent, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (int i = disabled.Count() - 1; i >= 0; i--) {
        if (IsWindow(disabled[i]))
            EnableWindow(disabled[i], TRUE);
    }
    return modalResult_;
}

void Window::EndModal(int result) {
    if (!modal_)
        return;
    modalResult_ = result;
    modal_ = false;
}
