// The window registry and pressed-button trackers; see WindowRegistry.h. Entries keep the
// handle beside the object so that lookups and removals never read an object that another
// thread may be deleting.
#include "toolkit/window/WindowRegistry.h"

#include <cstdint>

#include "toolkit/window/Lock.h"
#include "toolkit/window/Window.h"

namespace {

struct Entry {
    HWND handle;
    Window* window;
};

CriticalSection registryLock;
Array<Entry> registry;
Window* pressed[3] = {nullptr, nullptr, nullptr};

uintptr_t Key(HWND handle) {
    return reinterpret_cast<uintptr_t>(handle);
}

// Position of the first entry whose handle is not below the given one.
int LowerBound(HWND handle) {
    int low = 0;
    int high = registry.Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (Key(registry[middle].handle) < Key(handle))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

// Under the lock: a registered object is alive, and its kind field is safe to read.
bool IsChildEntry(const Entry& entry, HWND parent, int kind) {
    // GetParent answers the owner for popups, so owned windows count as children.
    if (::GetParent(entry.handle) != parent)
        return false;
    return kind == -1 || entry.window->kind == kind;
}

int IndexOf(HWND handle) {
    const int at = LowerBound(handle);
    return at < registry.Count() && registry[at].handle == handle ? at : -1;
}

}  // namespace

namespace WindowRegistry {

void Reset() {
    ScopedLock lock(registryLock);
    registry.SetSize(0, false);
    pressed[0] = pressed[1] = pressed[2] = nullptr;
}

void Release() {
    ScopedLock lock(registryLock);
    registry.Free();
}

void Insert(HWND handle, Window* window) {
    ScopedLock lock(registryLock);
    const int at = LowerBound(handle);
    if (at < registry.Count() && registry[at].handle == handle) {
        // A handle value reused before its old entry left: the new window wins.
        registry[at].window = window;
        return;
    }
    registry.InsertAt(Entry{handle, window}, at);
}

void Remove(HWND handle) {
    ScopedLock lock(registryLock);
    const int at = IndexOf(handle);
    if (at < 0)
        return;
    Window* const window = registry[at].window;
    registry.RemoveAt(at);
    // A tracker must not outlive its window: a new object at the same address would inherit it.
    for (Window*& tracker : pressed) {
        if (tracker == window)
            tracker = nullptr;
    }
}

Window* Find(HWND handle) {
    if (!handle)
        return nullptr;
    ScopedLock lock(registryLock);
    const int at = IndexOf(handle);
    return at < 0 ? nullptr : registry[at].window;
}

int Count() {
    ScopedLock lock(registryLock);
    return registry.Count();
}

int CollectChildren(HWND parent, int kind, Array<Window*>& out) {
    if (!parent)
        return 0;
    const DWORD self = GetCurrentThreadId();
    ScopedLock lock(registryLock);
    int added = 0;
    for (int i = 0; i < registry.Count(); i++) {
        if (!IsChildEntry(registry[i], parent, kind))
            continue;
        if (GetWindowThreadProcessId(registry[i].handle, nullptr) != self)
            continue;
        out.Append(registry[i].window);
        added++;
    }
    return added;
}

int CollectChildHandles(HWND parent, int kind, Array<HWND>& out) {
    if (!parent)
        return 0;
    ScopedLock lock(registryLock);
    int added = 0;
    for (int i = 0; i < registry.Count(); i++) {
        if (!IsChildEntry(registry[i], parent, kind))
            continue;
        out.Append(registry[i].handle);
        added++;
    }
    return added;
}

void SetPressed(Button button, Window* window) {
    ScopedLock lock(registryLock);
    pressed[button] = window;
}

bool TakePressed(Button button, Window* window) {
    ScopedLock lock(registryLock);
    const bool was = pressed[button] == window;
    pressed[button] = nullptr;
    return was;
}

Window* Pressed(Button button) {
    ScopedLock lock(registryLock);
    return pressed[button];
}

void ClearButton(Button button) {
    ScopedLock lock(registryLock);
    pressed[button] = nullptr;
}

void ClearPressed() {
    ScopedLock lock(registryLock);
    pressed[0] = pressed[1] = pressed[2] = nullptr;
}

}  // namespace WindowRegistry
