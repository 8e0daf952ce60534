// The toolkit's own window messages. Raw input and child-control notifications are turned
// into these by the shared dispatch step, so application windows and dialogs never read
// WM_COMMAND or WM_NOTIFY themselves. The numbers are fixed: they start at WM_APP + 1000
// and other programs of the same family rely on them.
#pragma once

#include <windows.h>

#include <cstdint>

enum : UINT {
    WM_SWND_CREATED = 0x83E8,       // 0, creation parameter; non-zero result refuses the window
    WM_SWND_PARENTSIZED = 0x83E9,   // the parent's WM_SIZE wParam and lParam
    WM_SWND_MODALINIT = 0x83EA,     // the two DoModal values; non-zero result cancels the run
    WM_SWND_OK = 0x83EB,            // Enter in a modal loop
    WM_SWND_CANCEL = 0x83EC,        // Escape in a modal loop, or close while modal
    WM_SWND_FILESDROPPED = 0x83ED,  // 0, StringList* of dropped paths
    WM_SWND_LCLICK = 0x83EE,        // 0, cursor position
    WM_SWND_MCLICK = 0x83EF,
    WM_SWND_RCLICK = 0x83F0,
    WM_SWND_MOUSEENTER = 0x83F1,  // 0, cursor position
    WM_SWND_MOUSELEAVE = 0x83F2,
    WM_SWND_DRAGQUERY = 0x83F3,  // 0, cursor position; non-zero result prevents the drag
    WM_SWND_DRAGEND = 0x83F4,
    WM_SWND_HSCROLLED = 0x83F6,  // old position (low word), new position (high word)
    WM_SWND_VSCROLLED = 0x83F7,
    WM_SWND_TRAYCALLBACK = 0x83F8,    // the notification area's callback to a TrayIcon; lParam = mouse message
    WM_SWND_CONTENTCHANGED = 0x85DC,  // the editor window
    WM_SWND_KEYDOWN = 0x85DD,         // virtual key, the Window that got it
    WM_SWND_BUTTONCLICKED = 0x8BB9,   // child Window, 0
    WM_SWND_CHECKCLICKED = 0x8BCD,
    WM_SWND_COMBOSELCHANGE = 0x8BE0,
    WM_SWND_EDITCHANGE = 0x8BF5,
    WM_SWND_LISTVIEWKEY = 0x8C1C,     // child, virtual key
    WM_SWND_LISTVIEWMOUSE = 0x8C1D,   // child, MouseEvent*
    WM_SWND_LISTVIEWCOLUMN = 0x8C1E,  // child, column index
    WM_SWND_LISTSELCHANGE = 0x8C45,
    WM_SWND_COMMAND = 0x8C6C,  // MenuItemOwner*, command id
    WM_SWND_RADIOCLICKED = 0x8CBD,
    WM_SWND_TRACKBARSCROLL = 0x8CF9,
    WM_SWND_TABSELCHANGE = 0x8D35,    // child, new tab index
    WM_SWND_TRAYEVENT = 0x8D84,       // TrayIcon*, TrayEvent* (valid during the send only)
    WM_SWND_TREEMOUSE = 0x8D98,       // child, MouseEvent*
    WM_SWND_TREESELCHANGE = 0x8D99,   // child, selected item
    WM_SWND_TREEITEMDBLCLK = 0x8D9A,  // child, item
};

// Kind codes of the toolkit's window classes (the `kind` field of Window): the dispatcher
// turns child notifications into toolkit messages by them, and child searches filter by them.
enum WindowKind : int32_t {
    KIND_WINDOW = 0,
    KIND_BUTTON = 1,
    KIND_CHECKBOX = 3,
    KIND_COMBOBOX = 6,
    KIND_EDIT = 9,
    KIND_IPEDIT = 10,
    KIND_LISTVIEW = 11,
    KIND_GROUPBOX = 12,
    KIND_LISTBOX = 15,
    KIND_DISABLED_PAINTED = 16,  // painted by the toolkit while disabled
    KIND_PROGRESS = 22,
    KIND_RADIO = 25,
    KIND_RICHEDIT = 26,
    KIND_SCROLLBAR = 27,
    KIND_TRACKBAR = 29,
    KIND_TABCONTROL = 33,
    KIND_TEXT = 35,
    KIND_TRAYICON = 37,
    KIND_TREEVIEW = 38,
};

// Mouse event bits of every MouseEvent: one button bit OR one action bit.
enum : uint32_t {
    MOUSE_EVENT_LEFT = 0x01,
    MOUSE_EVENT_MIDDLE = 0x02,
    MOUSE_EVENT_RIGHT = 0x04,
    MOUSE_EVENT_DOWN = 0x08,
    MOUSE_EVENT_UP = 0x10,
    MOUSE_EVENT_SINGLE = 0x20,
    MOUSE_EVENT_DOUBLE = 0x40,
};

struct MouseEvent {
    uint32_t flags;
    int32_t x;  // in the child's client coordinates
    int32_t y;
};

// Anchor flags (combinable): how a child follows its parent's size changes.
enum : uint32_t {
    ANCHOR_RIGHT_HALF = 0x01,
    ANCHOR_RIGHT = 0x02,
    ANCHOR_WIDEN = 0x04,
    ANCHOR_DOWN_HALF = 0x10,
    ANCHOR_DOWN = 0x20,
    ANCHOR_TALLER = 0x40,
};
