// The remaining wrappers of Win32 controls that dialog definitions can name: combo box, IP
// address edit, list view, rich edit and tree view (the list box and the edit have files of
// their own). They report mouse input to the parent where the family has a message for it,
// and carry the kind code by which the window framework turns their notifications into
// WM_SWND_ messages; beyond that they are the plain Win32 controls.
#pragma once

#include "toolkit/window/ControlHooks.h"
#include "toolkit/window/Window.h"

class ComboControl : public Window {
public:
    ComboControl();
};

class IpEditControl : public Window {
public:
    IpEditControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class ListViewControl : public Window {
public:
    ListViewControl();
};

class RichEditControl : public Window {
public:
    RichEditControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Loads the rich-edit library once; false when the system has none.
    static bool LoadLibraryOnce();
    // The window class of the loaded library.
    static const char* ClassName() { return "RichEdit20A"; }
};

class TreeControl : public TreeViewHooks {
public:
    TreeControl();
    void OnItemExpanded(HTREEITEM, bool) override {}
    void OnItemActivated(HTREEITEM) override {}
};
