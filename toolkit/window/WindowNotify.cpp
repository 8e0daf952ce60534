// Child-control notifications of Window::HandleMessage and OnMessage: each WM_COMMAND,
// WM_NOTIFY, owner-draw and menu command from a toolkit child becomes one WM_SWND_* message
// sent to the parent window itself, so that windows never decode control notifications.
#include <windows.h>

#include <commctrl.h>

#include "toolkit/window/ControlHooks.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/PopupMenu.h"
#include "toolkit/window/Window.h"
#include "toolkit/window/WindowRegistry.h"

namespace {

// Notification codes, as signed numbers (the headers spell some of them as unsigned sums).
constexpr int kClick = -2;
constexpr int kDoubleClick = -3;
constexpr int kRightClick = -5;
constexpr int kRightDoubleClick = -6;
constexpr int kListColumnClick = -108;
constexpr int kListKeyDown = -155;
constexpr int kTabSelChange = -551;
constexpr int kTreeSelChanged = -402;
constexpr int kTreeItemExpanded = -406;

uint32_t MouseFlags(int code) {
    switch (code) {
        case kClick:
            return MOUSE_EVENT_LEFT | MOUSE_EVENT_SINGLE;
        case kDoubleClick:
            return MOUSE_EVENT_LEFT | MOUSE_EVENT_DOUBLE;
        case kRightClick:
            return MOUSE_EVENT_RIGHT | MOUSE_EVENT_SINGLE;
        case kRightDoubleClick:
            return MOUSE_EVENT_RIGHT | MOUSE_EVENT_DOUBLE;
        default:
            return 0;
    }
}

WPARAM AsParam(Window* child) {
    return reinterpret_cast<WPARAM>(child);
}

}  // namespace

void Window::HandleCommand(WPARAM wParam, LPARAM lParam) {
    if (!lParam) {
        // A menu's command (an accelerator's has 1 in the high word). Menus that notify by
        // position send WM_MENUCOMMAND instead, never both, so each choice arrives once.
        if (HIWORD(wParam) == 0)
            HandleMenuChoice(LOWORD(wParam));
        return;
    }
    Window* const child = FromHandle(reinterpret_cast<HWND>(lParam));
    if (!child)
        return;
    const int code = HIWORD(wParam);
    HWND childHandle = child->Handle();
    if (child->kind == KIND_BUTTON && code == BN_CLICKED) {
        SendMessageA(handle_, WM_SWND_BUTTONCLICKED, AsParam(child), 0);
    } else if (child->kind == KIND_CHECKBOX && code == BN_CLICKED) {
        const LRESULT checked = SendMessageA(childHandle, BM_GETCHECK, 0, 0);
        SendMessageA(childHandle, BM_SETCHECK, checked == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        SendMessageA(handle_, WM_SWND_CHECKCLICKED, AsParam(child), 0);
    } else if (child->kind == KIND_COMBOBOX && code == CBN_SELCHANGE) {
        SendMessageA(handle_, WM_SWND_COMBOSELCHANGE, AsParam(child), 0);
    } else if (child->kind == KIND_EDIT && code == EN_CHANGE && GetFocus() == childHandle) {
        SendMessageA(handle_, WM_SWND_EDITCHANGE, AsParam(child), 0);
    } else if (child->kind == KIND_LISTBOX && code == LBN_SELCHANGE) {
        SendMessageA(handle_, WM_SWND_LISTSELCHANGE, AsParam(child), 0);
    } else if (child->kind == KIND_RADIO && code == BN_CLICKED) {
        SelectRadioButton(*child);
        SendMessageA(handle_, WM_SWND_RADIOCLICKED, AsParam(child), 0);
    }
}

void Window::HandleNotify(const NMHDR& header) {
    Window* const child = FromHandle(header.hwndFrom);
    if (!child)
        return;
    const int code = static_cast<int>(header.code);
    if (child->kind == KIND_LISTVIEW) {
        if (const uint32_t flags = MouseFlags(code)) {
            const NMITEMACTIVATE& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
            MouseEvent event{flags, activate.ptAction.x, activate.ptAction.y};
            SendMessageA(handle_, WM_SWND_LISTVIEWMOUSE, AsParam(child), reinterpret_cast<LPARAM>(&event));
        } else if (code == kListColumnClick) {
            const NMLISTVIEW& list = reinterpret_cast<const NMLISTVIEW&>(header);
            SendMessageA(handle_, WM_SWND_LISTVIEWCOLUMN, AsParam(child), list.iSubItem);
        } else if (code == kListKeyDown) {
            const NMLVKEYDOWN& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
            SendMessageA(handle_, WM_SWND_LISTVIEWKEY, AsParam(child), key.wVKey);
        }
    } else if (child->kind == KIND_TABCONTROL && code == kTabSelChange) {
        static_cast<TabControlHooks*>(child)->ShowSelectedPage();
        const LRESULT selected = SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0);
        SendMessageA(handle_, WM_SWND_TABSELCHANGE, AsParam(child), selected);
    } else if (child->kind == KIND_TREEVIEW) {
        HandleTreeNotify(*child, header);
    }
}

void Window::HandleTreeNotify(Window& tree, const NMHDR& header) {
    const int code = static_cast<int>(header.code);
    TreeViewHooks& hooks = static_cast<TreeViewHooks&>(tree);
    if (const uint32_t flags = MouseFlags(code)) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ::ScreenToClient(header.hwndFrom, &cursor);
        MouseEvent event{flags, cursor.x, cursor.y};
        SendMessageA(handle_, WM_SWND_TREEMOUSE, AsParam(&tree), reinterpret_cast<LPARAM>(&event));
        if (code != kDoubleClick)
            return;
        HTREEITEM selected = TreeView_GetSelection(header.hwndFrom);
        RECT itemRect{};
        if (!selected || !TreeView_GetItemRect(header.hwndFrom, selected, &itemRect, TRUE))
            return;
        if (!PtInRect(&itemRect, cursor))
            return;
        hooks.OnItemActivated(selected);
        SendMessageA(handle_, WM_SWND_TREEITEMDBLCLK, AsParam(&tree), reinterpret_cast<LPARAM>(selected));
    } else if (code == kTreeSelChanged) {
        const NMTREEVIEWA& change = reinterpret_cast<const NMTREEVIEWA&>(header);
        SendMessageA(handle_, WM_SWND_TREESELCHANGE, AsParam(&tree), reinterpret_cast<LPARAM>(change.itemNew.hItem));
    } else if (code == kTreeItemExpanded) {
        const NMTREEVIEWA& change = reinterpret_cast<const NMTREEVIEWA&>(header);
        hooks.OnItemExpanded(change.itemNew.hItem, (change.itemNew.state & TVIS_EXPANDED) != 0);
    }
}

bool Window::HandleItemMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
    if (message == WM_MEASUREITEM) {
        MEASUREITEMSTRUCT& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        MenuItemOwner* const menu = measure.CtlType == ODT_MENU ? PopupMenu::FromItemData(measure.itemData) : nullptr;
        if (menu) {
            menu->MeasureItem(measure);
            result = TRUE;
            return true;
        }
        // List boxes are not answered here (see ListBoxHooks): their Win32 id, all the
        // request carries, is 0 for every control and would find the first child of all.
        return false;
    }
    const DRAWITEMSTRUCT& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    MenuItemOwner* const menu = draw.CtlType == ODT_MENU ? PopupMenu::FromItemData(draw.itemData) : nullptr;
    if (menu) {
        menu->DrawItem(draw);
        result = TRUE;
        return true;
    }
    Window* const list = FromHandle(draw.hwndItem);
    if (draw.CtlType != ODT_LISTBOX || !list || list->kind != KIND_LISTBOX || draw.itemID == static_cast<UINT>(-1))
        return false;
    if (!static_cast<ListBoxHooks*>(list)->DrawListItem(draw))
        return false;
    result = 1;
    return true;
}

void Window::HandleMenuCommand(WPARAM position, LPARAM menu) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_DATA | MIIM_ID;
    if (!GetMenuItemInfoA(reinterpret_cast<HMENU>(menu), static_cast<UINT>(position), TRUE, &item))
        return;
    MenuItemOwner* const owner = PopupMenu::FromItemData(item.dwItemData);
    if (owner)
        owner->OnMenuCommand(static_cast<int>(position), static_cast<int>(item.wID));
    SendMessageA(handle_, WM_SWND_COMMAND, reinterpret_cast<WPARAM>(owner), item.wID);
}

void Window::HandleMenuChoice(UINT id) {
    int position = -1;
    MenuItemOwner* const owner = PopupMenu::FindByCommand(handle_, id, &position);
    if (owner)
        owner->OnMenuCommand(position, static_cast<int>(id));
    // A menu the toolkit did not build still reaches the window, with no menu object.
    SendMessageA(handle_, WM_SWND_COMMAND, reinterpret_cast<WPARAM>(owner), id);
}

void SelectRadioButton(Window& radio) {
    SendMessageA(radio.Handle(), BM_SETCHECK, BST_CHECKED, 0);
    const RadioHooks* const grouped = dynamic_cast<const RadioHooks*>(&radio);
    if (grouped && grouped->group == -1)
        return;
    Array<Window*> siblings;
    radio.GetSiblings(siblings, nullptr, KIND_RADIO);
    for (int i = 0; i < siblings.Count(); i++)
        SendMessageA(siblings[i]->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
}
