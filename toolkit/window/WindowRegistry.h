// The process-wide registry of live toolkit windows and the three pressed-button trackers.
// The registry is the only link from a window handle to its object: an array of
// (handle, object) pairs sorted by handle value, searched by bisection on every message.
// Both threads create and destroy windows, so every access takes the registry lock; the
// lock is released before any caller goes on to a window's handlers.
#pragma once

#include <windows.h>

#include "toolkit/base/Array.h"

class Window;

namespace WindowRegistry {

// Empties the registry (room for 64 entries) and clears the pressed-button trackers.
void Reset();
// Empties the registry and frees its storage.
void Release();
void Insert(HWND handle, Window* window);
void Remove(HWND handle);
Window* Find(HWND handle);
int Count();
// Appends, in registry order, the windows whose parent (or owner) is the given handle and
// whose kind matches (kind -1 = any). Returns the number appended. Only windows of the
// calling thread are handed out as objects: another thread may delete its objects at any
// time once the lock is released.
int CollectChildren(HWND parent, int kind, Array<Window*>& out);
// The same, as handles, of every thread.
int CollectChildHandles(HWND parent, int kind, Array<HWND>& out);

enum Button { kLeft = 0, kMiddle = 1, kRight = 2 };
void SetPressed(Button button, Window* window);
// true when the window is the button's tracker; the tracker is cleared either way.
bool TakePressed(Button button, Window* window);
Window* Pressed(Button button);
void ClearButton(Button button);
void ClearPressed();

}  // namespace WindowRegistry
