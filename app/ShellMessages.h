// The messages the program's two threads exchange. Every request carries its own heap copy of
// the file's path in lParam, owned by the message: the receiver frees it, and so does the
// sender when the post fails. Nothing is read from the other thread's window objects.
#pragma once

#include <windows.h>

#include "toolkit/base/String.h"

// What a successful decryption produced; sent with WM_DECRYPT_SUCCEEDED.
struct DecryptOutcome {
    String sourceName;    // the source's file name, "letters.enc"
    String outputFolder;  // full path, ending with a backslash
    int files = 0;        // file entries written
};

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
    // Worker window -> main window: a decryption wrote all its entries; lParam: DecryptOutcome*.
    WM_DECRYPT_SUCCEEDED = WM_USER + 12,
};
