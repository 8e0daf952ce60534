// SingleInstance: one running program per user session. The first start claims a named mutex
// and marks its main window; a later start finds that window and hands it the file it was
// started with (as UTF-16, in WM_COPYDATA), then ends. The running program brings itself
// forward and treats the file as dropped on it.
#pragma once

#include <windows.h>

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the session's first program; false when one already runs.
    bool Claim();

private:
    HANDLE mutex_ = nullptr;
};

// The files named on this process's command line (the program itself left out), read as
// UTF-16 and given in UTF-8, so that any name reaches the program whole.
StringList FilesOnCommandLine();

// Marks the window as the one a later start hands its file to.
void MarkAsRunningProgram(HWND window);

// Hands the path (empty: only bring the window forward) to the running program, waiting a
// few seconds for its window should it still be starting; false when none answered. Whether
// the program took the file or refused it (busy, a dialog open) is its own to show.
bool HandToRunningProgram(const String& path);

// The path a later start handed over; false when the message is not such a hand-over.
bool ReadHandedPath(const COPYDATASTRUCT& data, String& path);
