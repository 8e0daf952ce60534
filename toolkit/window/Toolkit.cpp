// Start-up, shutdown and accessors of the toolkit's process-wide state; see Toolkit.h.
// The state is written only by ToolkitInit and ToolkitShutdown (user-interface thread,
// before the worker starts and after it ends); both threads read it in between. The
// modeless dialog list is the exception: it changes while both threads run its loops, so it
// is guarded.
#include "toolkit/window/Toolkit.h"

#include <cstddef>
#include <cstdlib>

#include <mmsystem.h>
#include <objbase.h>

#include "toolkit/base/TextCodec.h"
#include "toolkit/window/Lock.h"
#include "toolkit/window/OffscreenBitmaps.h"
#include "toolkit/window/ProgramPath.h"
#include "toolkit/window/Window.h"
#include "toolkit/window/WindowRegistry.h"

const char* const kWindowClassName = "CLASS_SWND";

namespace {

struct ToolkitState {
    HINSTANCE instance = nullptr;
    UINT findReplaceMessage = 0;
    String programFolder;
    String programPath;
    HFONT fonts[FONT_COUNT] = {};
    Window* toolkitWindow = nullptr;
    HCURSOR cursors[CURSOR_COUNT] = {};
    bool comStarted = false;
};

ToolkitState state;
CriticalSection dialogLock;
Array<HWND> dialogs;

// Every entry is a shared system cursor, so shutdown only forgets them.
const LPCSTR kCursorIds[CURSOR_COUNT] = {
    IDC_ARROW,  IDC_IBEAM,  IDC_WAIT,    IDC_CROSS, IDC_UPARROW, IDC_SIZENWSE,    IDC_SIZENESW,
    IDC_SIZEWE, IDC_SIZENS, IDC_SIZEALL, IDC_NO,    IDC_HAND,    IDC_APPSTARTING, IDC_HELP,
    IDC_SIZEWE, IDC_SIZENS, IDC_SIZEALL, IDC_CROSS, IDC_WAIT,
};

void LoadCursorTable() {
    for (int i = 0; i < CURSOR_COUNT; i++)
        state.cursors[i] = LoadCursorA(nullptr, kCursorIds[i]);
}

void CreateFonts() {
    // The pre-Vista structure size: accepted by every system version.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return;
    state.fonts[FONT_CAPTION] = CreateFontIndirectA(&metrics.lfCaptionFont);
    state.fonts[FONT_SMALL_CAPTION] = CreateFontIndirectA(&metrics.lfSmCaptionFont);
    state.fonts[FONT_MENU] = CreateFontIndirectA(&metrics.lfMenuFont);
    state.fonts[FONT_STATUS] = CreateFontIndirectA(&metrics.lfStatusFont);
    state.fonts[FONT_MESSAGE] = CreateFontIndirectA(&metrics.lfMessageFont);
}

void DeleteFonts() {
    const ToolkitFont order[] = {FONT_MESSAGE, FONT_MENU, FONT_STATUS, FONT_CAPTION, FONT_SMALL_CAPTION};
    for (const ToolkitFont which : order) {
        if (state.fonts[which])
            DeleteObject(state.fonts[which]);
        state.fonts[which] = nullptr;
    }
}

}  // namespace

void ToolkitInit(HINSTANCE instance) {
    LoadCursorTable();
    srand(timeGetTime());
    state.instance = instance;
    state.findReplaceMessage = RegisterWindowMessageA("commdlg_FindReplace");
    // Read wide: the ANSI command line holds a program folder of any name only mangled.
    state.programPath = FirstCommandLineArgument(Utf8FromWide(GetCommandLineW()));
    state.programFolder = ProgramFolderOf(state.programPath);
    CreateFonts();
    RegisterWindowClass(instance);
    state.toolkitWindow = new Window();
    WindowArgs args;
    args.instance = instance;
    if (!state.toolkitWindow->Create(args)) {
        delete state.toolkitWindow;
        state.toolkitWindow = nullptr;
    }
    state.comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void ToolkitShutdown(HINSTANCE instance) {
    ReleaseVirtualKeyNames();
    if (state.comStarted)
        CoUninitialize();
    state.comStarted = false;
    delete state.toolkitWindow;
    state.toolkitWindow = nullptr;
    UnregisterWindowClass(instance);
    {
        ScopedLock lock(dialogLock);
        dialogs.Free();
    }
    DeleteFonts();
    state.programFolder.Empty();
    state.programPath.Empty();
    for (HCURSOR& cursor : state.cursors)
        cursor = nullptr;
}

ATOM RegisterWindowClass(HINSTANCE instance) {
    WindowRegistry::Reset();
    OffscreenBitmaps::ForThisThread();
    // A wide class: its windows keep their texts in UTF-16, so that a title or a text of any
    // characters survives (an ANSI window would pass it through the code page).
    const WideText className(kWindowClassName);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = Window::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass);
}

void UnregisterWindowClass(HINSTANCE instance) {
    UnregisterClassW(WideText(kWindowClassName), instance);
    OffscreenBitmaps::ReleaseAll();
    WindowRegistry::Release();
}

void RegisterDialog(HWND dialog) {
    ScopedLock lock(dialogLock);
    if (dialogs.Find(dialog) < 0)
        dialogs.Append(dialog);
}

void UnregisterDialog(HWND dialog) {
    ScopedLock lock(dialogLock);
    const int at = dialogs.Find(dialog);
    if (at >= 0)
        dialogs.RemoveAt(at);
}

int RegisteredDialogCount() {
    ScopedLock lock(dialogLock);
    return dialogs.Count();
}

HWND FindDialogFor(HWND target) {
    if (!target)
        return nullptr;
    ScopedLock lock(dialogLock);
    for (int i = 0; i < dialogs.Count(); i++) {
        // IsChild sends no message, so it is safe under the lock.
        if (dialogs[i] == target || IsChild(dialogs[i], target))
            return dialogs[i];
    }
    return nullptr;
}

HINSTANCE GetInstance() {
    return state.instance;
}

String GetProgramFolder() {
    return state.programFolder;
}

String GetProgramPath() {
    return state.programPath;
}

UINT GetFindReplaceMessage() {
    return state.findReplaceMessage;
}

HFONT GetDefaultFont() {
    return state.fonts[FONT_MESSAGE];
}

HFONT GetStockGuiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT GetToolkitFont(ToolkitFont which) {
    return which >= 0 && which < FONT_COUNT ? state.fonts[which] : nullptr;
}

HWND GetToolkitWindowHandle() {
    return state.toolkitWindow ? state.toolkitWindow->Handle() : nullptr;
}

HCURSOR GetCursor(int index) {
    return index >= 0 && index < CURSOR_COUNT ? state.cursors[index] : nullptr;
}

HBITMAP GetOffscreenBitmap() {
    return OffscreenBitmaps::ForThisThread();
}
