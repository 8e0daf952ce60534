// The few operations the shared dispatch step calls on objects that the window framework
// knows only by contract: the popup menu object stored as a menu item's data, and the list
// box, radio button, tab control and tree view controls (kinds 15, 25, 33 and 38). The classes that carry
// those kinds derive from the matching hook class; the dispatcher reaches them by kind.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "toolkit/window/Window.h"

// A popup menu object: its address is the data of each of its items.
class MenuItemOwner {
public:
    virtual ~MenuItemOwner() = default;
    virtual void MeasureItem(MEASUREITEMSTRUCT& measure) = 0;
    virtual void DrawItem(const DRAWITEMSTRUCT& draw) = 0;
    // The item at this position (with this command id) was chosen.
    virtual void OnMenuCommand(int position, int id) = 0;
};

// A list box sets its item height itself: it asks for it while it is being created, before
// its object is known, and the request names the list only by its Win32 id, which is 0 for
// every control.
class ListBoxHooks : public Window {
public:
    // true when the list box drew the item itself.
    virtual bool DrawListItem(const DRAWITEMSTRUCT& draw) = 0;
};

// A radio button's group number. Every radio button of one parent belongs to one group,
// whatever its number; a button without a group (-1) clears no others when selected.
class RadioHooks : public Window {
public:
    int32_t group = -1;
};

// Sets a radio button's mark (a window of kind 25) and clears the marks of its siblings of
// that kind, unless it is a RadioHooks without a group. A click and a definition's selection
// both come here.
void SelectRadioButton(Window& radio);

class TabControlHooks : public Window {
public:
    // Shows the page of the current selection, before the parent hears of the change.
    virtual void ShowSelectedPage() = 0;
};

class TreeViewHooks : public Window {
public:
    virtual void OnItemExpanded(HTREEITEM item, bool expanded) = 0;
    // A double click landed on the selected item.
    virtual void OnItemActivated(HTREEITEM item) = 0;
};
