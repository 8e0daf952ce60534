// The user-key-folder command; see KeyFolderCommands.h.
#include "app/KeyFolderCommands.h"

#include "toolkit/window/CommonDialog.h"

bool ChooseUserKeyFolder(SharedKeyFolder& active, HWND owner) {
    CommonDialog dialog;
    dialog.owner = owner;
    const String current = active.Get();
    // The browser expands the folder part of the path it is given: the active folder itself.
    const String browsed = dialog.BrowseFolder("", current, false);
    return UseUserKeyFolder(active, browsed);
}
