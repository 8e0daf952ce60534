// The messages the program's two threads exchange. Every request carries its own heap copy of
// the file's path in lParam, owned by the message: the receiver frees it, and so does the
// sender when the post fails. Nothing is read from the other thread's window objects.
#pragma once

#include <windows.h>

enum : UINT {
    // Main window -> worker window; lParam: String* path.
    WM_DECRYPT_REQUEST = WM_USER + 1,
    WM_IMPORT_KEY_REQUEST = WM_USER + 2,
    // Worker window -> main window: the decrypt driver's last event came; queue the closing
    // animations (the queue and its timer belong to the user-interface thread).
    WM_DECRYPT_FINISHED = WM_USER + 10,
    // Worker window -> main window: a request has ended and its path is no longer used;
    // wParam: the request message it answers.
    WM_REQUEST_ENDED = WM_USER + 11,
};
