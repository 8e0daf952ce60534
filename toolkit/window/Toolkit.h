// Process-wide state of the window toolkit: the instance, the program's path and folder, the
// system fonts, the cursor table, the shared off-screen bitmap, the modeless dialog list and
// the toolkit's own hidden window, with their start-up and shutdown. The application calls
// ToolkitInit first and ToolkitShutdown last, on its user-interface thread; GDI+ and the
// sound device start and stop in between (toolkit/media).
#pragma once

#include <windows.h>

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"

extern const char* const kWindowClassName;  // "CLASS_SWND"

enum ToolkitFont { FONT_CAPTION, FONT_SMALL_CAPTION, FONT_MENU, FONT_STATUS, FONT_MESSAGE, FONT_COUNT };

// Indices of the cursor table; entry 0 is the standard arrow.
enum ToolkitCursor {
    CURSOR_ARROW,
    CURSOR_IBEAM,
    CURSOR_WAIT,
    CURSOR_CROSS,
    CURSOR_UPARROW,
    CURSOR_SIZE_NWSE,
    CURSOR_SIZE_NESW,
    CURSOR_SIZE_WE,
    CURSOR_SIZE_NS,
    CURSOR_SIZE_ALL,
    CURSOR_NO,
    CURSOR_HAND,
    CURSOR_APPSTARTING,
    CURSOR_HELP,
    CURSOR_SPLIT_WE,
    CURSOR_SPLIT_NS,
    CURSOR_DRAG_MOVE,
    CURSOR_PEN,
    CURSOR_BUSY,
    CURSOR_COUNT
};

void ToolkitInit(HINSTANCE instance);
void ToolkitShutdown(HINSTANCE instance);
ATOM RegisterWindowClass(HINSTANCE instance);
void UnregisterWindowClass(HINSTANCE instance);

// Modeless dialogs whose keyboard messages the loops hand to the system's dialog filter.
void RegisterDialog(HWND dialog);
void UnregisterDialog(HWND dialog);
int RegisteredDialogCount();
// The registered dialog that is the target window or one of its ancestors; none otherwise.
HWND FindDialogFor(HWND target);

HINSTANCE GetInstance();
String GetProgramFolder();
String GetProgramPath();
UINT GetFindReplaceMessage();
HFONT GetDefaultFont();
HFONT GetStockGuiFont();
HFONT GetToolkitFont(ToolkitFont which);
HWND GetToolkitWindowHandle();
HCURSOR GetCursor(int index);
HBITMAP GetOffscreenBitmap();
// Virtual-key names by code ("LBUTTON", "RETURN", "A", "F1" ...; empty for codes without a
// key): built once on first use, from either thread, then only read.
const StringList& GetVirtualKeyNames();
void ReleaseVirtualKeyNames();
