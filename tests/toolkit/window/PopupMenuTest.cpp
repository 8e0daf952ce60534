// Tests of PopupMenu: items placed and removed by id, sub-menus kept by their own objects, and commands delivered to
// the owner exactly once through a real TrackPopupMenuEx closed by posted keys, in both notification forms.
#include <gtest/gtest.h>

#include <memory>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/PopupMenu.h"

namespace {

enum { kOpen = 1001, kSave = 1002, kQuit = 1003, kDeep = 1004, kBranch = 1005 };
// Menus choose on the character that Enter produces, not on its key-down.
constexpr WPARAM kEnter = 0x10000;

TEST(PopupMenu, ChosenCommandReachesTheOwnerOnce) {
    struct Case {
        const char* name;
        bool byPosition;           // the menu notifies with WM_MENUCOMMAND
        std::vector<WPARAM> keys;  // posted before the menu opens
        int expectedId;            // 0: no command
        bool fromSubMenu;
    } const cases[] = {
        {"first item", false, {VK_DOWN, kEnter}, kOpen, false},
        {"second item", false, {VK_DOWN, VK_DOWN, kEnter}, kSave, false},
        {"sub-menu item", false, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, kEnter}, kDeep, true},
        {"by position", true, {VK_DOWN, VK_DOWN, kEnter}, kSave, false},
        {"cancelled", false, {VK_DOWN, VK_ESCAPE}, 0, false},
    };
    for (const Case& c : cases) {
        RecordingWindow owner;
        ASSERT_TRUE(CreateAt(owner, 100, 100, 50, 50, WS_POPUP | WS_VISIBLE));
        // Open, Save, separator, Branch (sub-menu: Deep), Quit; menus made before and after it
        // have an Open too, but the command comes from the menu shown.
        PopupMenu before, sub, after;
        auto main = std::make_unique<PopupMenu>();
        ASSERT_TRUE(before.Create(owner.Handle(), true, false) && before.AddItem("Open", kOpen));
        ASSERT_TRUE(sub.Create(owner.Handle(), true, false) && sub.AddItem("Deep", kDeep));
        MenuItemExtras branch;
        branch.subMenu = &sub;
        ASSERT_TRUE(main->Create(owner.Handle(), true, false) && main->AddItem("Open", kOpen) &&
                    main->AddItem("Save", kSave) && main->AddSeparator() && main->AddItem("Branch", kBranch, branch) &&
                    main->AddItem("Quit", kQuit));
        EXPECT_FALSE(main->Create(owner.Handle(), true, false));
        ASSERT_TRUE(after.Create(owner.Handle(), true, false) && after.AddItem("Open", kOpen));
        if (c.byPosition) {
            MENUINFO info{sizeof(info), MIM_STYLE | MIM_APPLYTOSUBMENUS, MNS_NOTIFYBYPOS | MNS_CHECKORBMP};
            ASSERT_TRUE(SetMenuInfo(main->Handle(), &info));
        }
        for (WPARAM key : c.keys)
            PostMessageA(owner.Handle(), key == kEnter ? WM_CHAR : WM_KEYDOWN, key == kEnter ? '\r' : key, 0);
        // A stray Escape closes the menu should the keys not land as planned.
        PostMessageA(owner.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(main->Track(120, 120)) << c.name;
        Settle();
        ASSERT_EQ(owner.Count(WM_SWND_COMMAND), c.expectedId ? 1 : 0) << c.name;
        if (c.expectedId) {
            const MSG* command = owner.Last(WM_SWND_COMMAND);
            EXPECT_EQ(command->lParam, c.expectedId) << c.name;
            PopupMenu* const expectedMenu = c.fromSubMenu ? &sub : main.get();
            EXPECT_EQ(command->wParam, reinterpret_cast<WPARAM>(static_cast<MenuItemOwner*>(expectedMenu))) << c.name;
        }
        main.reset();
        EXPECT_TRUE(IsMenu(sub.Handle())) << c.name;  // the sub-menu stays its own object's
    }
}

TEST(PopupMenu, InsertsAtAPositionAndRemovesById) {
    RecordingWindow owner;
    ASSERT_TRUE(CreateAt(owner, 0, 0, 50, 50));
    PopupMenu menu;
    MenuItemExtras first, late;
    first.position = 0;
    late.position = 99;  // out of range: appended
    ASSERT_TRUE(menu.Create(owner.Handle(), true, false) && menu.AddItem("Open", kOpen) &&
                menu.AddItem("Save", kSave) && menu.AddItem("Late", kQuit, late) &&
                menu.AddItem("First", kDeep, first));
    EXPECT_EQ(menu.IndexOf(kDeep), 0);
    EXPECT_EQ(menu.IndexOf(kQuit), 3);
    EXPECT_TRUE(menu.Remove(kDeep));
    EXPECT_FALSE(menu.Remove(kDeep));
    EXPECT_EQ(menu.IndexOf(kOpen), 0);
    menu.RemoveAll();
    EXPECT_EQ(menu.Count(), 0);
}

// Item data of a menu the toolkit did not build is never called through as a menu object
// (here it points at zeros: a call through it would crash).
TEST(PopupMenu, ForeignMenuDataIsNeverCalled) {
    RecordingWindow owner;
    ASSERT_TRUE(CreateAt(owner, 0, 0, 50, 50));
    static const uintptr_t zeros[8] = {};
    const ULONG_PTR foreign = reinterpret_cast<ULONG_PTR>(zeros);
    HMENU menu = CreatePopupMenu();
    // Size, mask, type, state, id, sub-menu, check pictures, data, text.
    MENUITEMINFOA item{sizeof(item), MIIM_ID | MIIM_DATA | MIIM_STRING, 0, 0, 555, nullptr, nullptr, nullptr,
                       foreign,      const_cast<char*>("Foreign")};
    ASSERT_TRUE(InsertMenuItemA(menu, 0, TRUE, &item));
    SendMessageA(owner.Handle(), WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(menu));
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 555, 0, 0, foreign};
    SendMessageA(owner.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    DRAWITEMSTRUCT draw{ODT_MENU, 0, 555, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(menu), GetDC(nullptr), {}, foreign};
    SendMessageA(owner.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    ReleaseDC(nullptr, draw.hDC);
    DestroyMenu(menu);
    // The choice still reaches the window, with no menu object, from either route; an
    // accelerator's command is no menu's.
    SendMessageA(owner.Handle(), WM_COMMAND, MAKEWPARAM(556, 0), 0);
    SendMessageA(owner.Handle(), WM_COMMAND, MAKEWPARAM(557, 1), 0);
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    for (const MSG& r : owner.received) {
        if (r.message == WM_SWND_COMMAND)
            commands.emplace_back(r.wParam, r.lParam);
    }
    EXPECT_EQ(commands, (std::vector<std::pair<WPARAM, LPARAM>>{{0, 555}, {0, 556}}));
}

}  // namespace
