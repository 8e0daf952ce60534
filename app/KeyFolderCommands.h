// The menu command "User Key Folder...": the system folder browser, owned by the main window
// and opened at the active folder, picks a new user key folder. A choice that start-up would
// refuse (a drive or share root, a virtual folder) counts as a cancel, so what is active now
// is also what the next start uses. "Main Key Folder" needs no window: UseMainKeyFolder.
#pragma once

#include <windows.h>

#include "settings/KeyFolders.h"

// True when a folder was chosen: it is active and stored, and "User Key Folder..." is checked.
bool ChooseUserKeyFolder(SharedKeyFolder& active, HWND owner);
