// The toolkit's message loops: the application's thread loop and the nested loop of a
// modal run. Both hand each message first to the registered modeless dialogs' filter. In
// blocking mode (continue flag true) they wait for messages; otherwise they poll and call
// the idle callback whenever the queue is empty.
#pragma once

#include <windows.h>

#include "toolkit/window/Window.h"

// Runs until WM_QUIT; returns the last dispatch or idle-callback result.
int RunMessageLoop(bool& continueFlag, IdleCallback idle, void* argument);
// Runs while the window exists and its modal run is active. Enter and Escape become
// WM_SWND_OK and WM_SWND_CANCEL when no modeless dialog is registered. A WM_QUIT seen here is
// posted again so that the outer loop ends too.
int RunModalLoop(Window* window, bool& continueFlag, IdleCallback idle, void* argument);
