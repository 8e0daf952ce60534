// PopupMenu: one Windows menu (a popup or a menu bar) built by command id: text items,
// separators and sub-menus, with check marks, enabling, removal, and an optional small
// picture drawn beside each item. The menu's commands reach the owner window as
// WM_SWND_COMMAND (this object, command id) exactly once, whichever form the system delivers
// them in (WM_COMMAND, or WM_MENUCOMMAND for menus notifying by position).
#pragma once

#include <windows.h>

#include "toolkit/base/Array.h"
#include "toolkit/window/ControlHooks.h"

class Image;
class PopupMenu;

// The optional parts of a menu item; an item without them is plain text appended at the end.
struct MenuItemExtras {
    PopupMenu* subMenu = nullptr;
    int position = -1;  // 0..count inserts there; anything else appends
    // With pictures: the item shows a copy of `image`, or a picture made from `bitmap`.
    const Image* image = nullptr;
    HBITMAP bitmap = nullptr;
};

class PopupMenu : public MenuItemOwner {
public:
    static constexpr uint32_t kPictureKey = 0xFF00FF;  // magenta stays transparent in pictures
    static constexpr int kPictureGap = 4;              // at 96 DPI; pictures and items follow the owner's DPI

    PopupMenu();
    ~PopupMenu() override;
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Fails when the menu already exists.
    bool Create(HWND owner, bool popup, bool pictures);
    bool AddItem(const char* text, int id, const MenuItemExtras& extras = MenuItemExtras());
    bool AddSeparator(int position = -1);
    int Count() const;
    // Position of the first item with the id; -1 when absent or without a menu.
    int IndexOf(int id) const;
    void Check(int id, bool on);
    void Enable(int id, bool on);
    bool Remove(int id);
    void RemoveAll();
    // Shows the menu at a screen point for the owner and returns when it has closed; the chosen
    // command arrives at the owner as WM_SWND_COMMAND. The owner is brought to the foreground
    // first, so that a click elsewhere closes the menu (as the notification area needs).
    bool Track(int x, int y, UINT flags = TPM_RIGHTBUTTON);

    HMENU Handle() const { return menu_; }

    void MeasureItem(MEASUREITEMSTRUCT& measure) override;
    void DrawItem(const DRAWITEMSTRUCT& draw) override;
    void OnMenuCommand(int position, int id) override;

    // The menu object behind a command id of a toolkit menu owned by the window (sub-menus
    // included) and the item's position in it; null when no live menu of that owner has the id.
    // Of menus of one owner that share the id, the one shown last wins: the command came from it.
    static MenuItemOwner* FindByCommand(HWND owner, UINT id, int* position);
    // The menu object that an item's data names, when it is a live toolkit menu; null for the
    // data of a menu the toolkit did not build, which must never be called through.
    static MenuItemOwner* FromItemData(ULONG_PTR data);

private:
    struct ItemMetrics {
        int pictureWidth;
        int pictureHeight;
        int menuHeight;
        int gap;
    };
    ItemMetrics Metrics() const;
    int PictureIndex(int id) const;
    void ForgetPicture(int at);

    HWND owner_ = nullptr;
    HMENU menu_ = nullptr;
    bool withPictures_ = false;
    Array<int> itemIds_;
    OwnedArray<Image> itemPictures_;
};
