// DragDriver: runs the drag-source helper program (a real OLE drag from another process) and
// keeps this thread's windows answering while it runs, since the drop target's calls arrive
// as messages. Test support only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kvrtest {

// The helper's path as Windows sees it (the build names Linux paths).
std::string WindowsPath(const std::string& buildPath);

// Pumps this thread's messages until the object is signalled or the time is up; false on time-out.
bool WaitPumping(HANDLE object, DWORD timeoutMs);

// Drags the files from the helper's window to the screen point and releases there (or, with
// leave, comes back and releases on its own window). Gives the helper's exit code: 0 dropped,
// 1 refused, 2 failure; 3 when it could not be started or did not end.
int DragFiles(POINT target, const std::vector<std::string>& files, bool leave = false, int holdMs = 500);

}  // namespace kvrtest
