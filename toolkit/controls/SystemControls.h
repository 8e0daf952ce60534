// The remaining wrappers of Win32 controls that dialog definitions can name: combo box,
// edit, IP address edit, list view, list box, rich edit and tree view. They report mouse
// input to the parent where the family has a message for it, and carry the kind code by
// which the window framework turns their notifications into WM_SWND_ messages; beyond
// that they are the plain Win32 controls.
#pragma once

#include <cstdint>

#include "toolkit/base/String.h"
#include "toolkit/window/ControlHooks.h"
#include "toolkit/window/Window.h"

class ComboControl : public Window {
public:
    ComboControl();
};

class EditControl : public Window {
public:
    EditControl();
    ~EditControl() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnEditColor(HDC dc) override;

    uint32_t textColor = 0xFF000000;  // a GDI colour, or 0xFF000000 for the system's

private:
    HBRUSH brush_ = nullptr;
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

// An owner-drawn list box: items are drawn as their text in the system list colours.
class ListControl : public ListBoxHooks {
public:
    ListControl();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int GetListItemHeight() override;
    bool DrawListItem(const DRAWITEMSTRUCT& draw) override;
    int AddItem(const char* text);

private:
    StringList items_;
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
