// CommonDialog: the toolkit's one front for the system's standard dialogs (folder browser,
// colour chooser, font chooser, open-file dialog) and for a small toolkit window that picks
// one of the system colours. One object is made on the stack, given its owner, asked once,
// and read afterwards. Cancelling any dialog leaves the previous results as they were.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"

class CommonDialog {
public:
    // System colour choices come back as the modal result plus this offset (0 = cancelled).
    static constexpr int kSystemColorResult = 0x2000000;

    // The chosen folder, ending with a backslash when addTrailingSeparator is set; empty when
    // none was chosen or the choice has no file-system path (a virtual folder).
    String BrowseFolder(const char* title, const char* initialPath, bool includeFiles);
    // True when confirmed; the choice (red in the low byte) is in `color`.
    bool ChooseColor(uint32_t initial, bool fullOpen, bool preventFullOpen, bool anyColor);
    // True when confirmed: fontName, fontSize (points, also given through `size`), fontStyle.
    bool ChooseFont(const LOGFONTA& font, int* size);
    // True when confirmed; `color` holds the chosen system colour index.
    bool ChooseSystemColor(const char* title);
    // Filters are "Name|pattern" entries. True when at least one file was chosen; the full
    // paths are in `files`.
    bool OpenFiles(const StringList& filters,
                   const char* defaultExtension,
                   DWORD flags,
                   const char* title,
                   const char* initialFolder);

    // The open-file dialog's answer in buffer (size bytes, not necessarily terminated): one
    // entry is the file; several are its folder followed by the names in it. False when none;
    // nothing at or past buffer + size is read.
    static bool ReadChosenFiles(const char* buffer, int size, StringList& files);

    HWND owner = nullptr;
    bool addTrailingSeparator = true;
    String path;
    StringList files;
    String fontName;
    int32_t fontSize = 0;
    uint32_t fontStyle = 0;
    uint32_t color = 0;

private:
    COLORREF customColors_[16] = {};
};
