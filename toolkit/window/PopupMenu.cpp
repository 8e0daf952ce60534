// PopupMenu; see PopupMenu.h. Live menus are listed process-wide so that a plain WM_COMMAND,
// which names only the command id, can be traced back to the menu object that owns the item.
#include "toolkit/window/PopupMenu.h"

#include "toolkit/base/TextCodec.h"
#include "toolkit/media/GdiplusApi.h"

#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/DisplayScale.h"
#include "toolkit/window/Lock.h"

namespace {

CriticalSection menusLock;
Array<PopupMenu*> liveMenus;

MENUITEMINFOW ItemInfo(UINT mask) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = mask;
    return item;
}

int InsertPosition(HMENU menu, int position) {
    const int count = GetMenuItemCount(menu);
    return position >= 0 && position <= count ? position : count;
}

}  // namespace

PopupMenu::PopupMenu() = default;

PopupMenu::~PopupMenu() {
    {
        ScopedLock lock(menusLock);
        const int at = liveMenus.Find(this);
        if (at >= 0)
            liveMenus.RemoveAt(at);
    }
    if (menu_) {
        // Sub-menus belong to their own objects: detach them so that destroying this menu
        // does not destroy theirs (and their objects never destroy a handle twice).
        for (int i = GetMenuItemCount(menu_) - 1; i >= 0; i--) {
            if (GetSubMenu(menu_, i))
                RemoveMenu(menu_, static_cast<UINT>(i), MF_BYPOSITION);
        }
        DestroyMenu(menu_);
    }
}

bool PopupMenu::Create(HWND owner, bool popup, bool pictures) {
    if (menu_)
        return false;
    owner_ = owner;
    withPictures_ = pictures;
    menu_ = popup ? CreatePopupMenu() : CreateMenu();
    if (!menu_)
        return false;
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_STYLE;
    info.dwStyle = MNS_CHECKORBMP;
    (void)SetMenuInfo(menu_, &info);
    ScopedLock lock(menusLock);
    liveMenus.Append(this);
    return true;
}

bool PopupMenu::AddItem(const char* text, int id, const MenuItemExtras& extras) {
    if (!menu_)
        return false;
    MENUITEMINFOW item = ItemInfo(MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_FTYPE);
    item.fType = MFT_STRING;
    item.wID = static_cast<UINT>(id);
    const WideText wide(text ? text : "");
    item.dwTypeData = const_cast<wchar_t*>(wide.Text());
    item.cch = static_cast<UINT>(wide.Length());
    item.dwItemData = reinterpret_cast<ULONG_PTR>(static_cast<MenuItemOwner*>(this));
    if (withPictures_) {
        item.fMask |= MIIM_BITMAP;
        item.hbmpItem = HBMMENU_CALLBACK;
    }
    if (extras.subMenu && extras.subMenu->menu_) {
        item.fMask |= MIIM_SUBMENU;
        item.hSubMenu = extras.subMenu->menu_;
    }
    if (!InsertMenuItemW(menu_, static_cast<UINT>(InsertPosition(menu_, extras.position)), TRUE, &item))
        return false;
    if (!withPictures_)
        return true;
    Image* picture = nullptr;
    if (extras.bitmap || (extras.image && !extras.image->IsEmpty())) {
        picture = new Image();
        const bool made =
            extras.bitmap ? picture->CreateFromBitmapHandle(extras.bitmap) : picture->CopyFrom(*extras.image);
        if (made) {
            picture->SetKey(kPictureKey);
            picture->SetMode(Image::kModeStretch);
        } else {
            delete picture;
            picture = nullptr;
        }
    }
    itemIds_.Append(id);
    itemPictures_.Append(picture);
    return true;
}

bool PopupMenu::AddSeparator(int position) {
    if (!menu_)
        return false;
    MENUITEMINFOW item = ItemInfo(MIIM_FTYPE);
    item.fType = MFT_SEPARATOR;
    return InsertMenuItemW(menu_, static_cast<UINT>(InsertPosition(menu_, position)), TRUE, &item) != 0;
}

int PopupMenu::Count() const {
    return menu_ ? GetMenuItemCount(menu_) : 0;
}

int PopupMenu::IndexOf(int id) const {
    const int count = Count();
    for (int i = 0; i < count; i++) {
        MENUITEMINFOW item = ItemInfo(MIIM_ID | MIIM_FTYPE);
        if (GetMenuItemInfoW(menu_, static_cast<UINT>(i), TRUE, &item) && !(item.fType & MFT_SEPARATOR) &&
            static_cast<int>(item.wID) == id)
            return i;
    }
    return -1;
}

void PopupMenu::Check(int id, bool on) {
    const int at = IndexOf(id);
    if (at >= 0)
        CheckMenuItem(menu_, static_cast<UINT>(at), MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
}

void PopupMenu::Enable(int id, bool on) {
    const int at = IndexOf(id);
    if (at >= 0)
        EnableMenuItem(menu_, static_cast<UINT>(at), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

bool PopupMenu::Remove(int id) {
    const int at = IndexOf(id);
    if (at < 0 || !RemoveMenu(menu_, static_cast<UINT>(at), MF_BYPOSITION))
        return false;
    if (withPictures_ && id != -1)
        ForgetPicture(PictureIndex(id));
    return true;
}

void PopupMenu::RemoveAll() {
    while (Count() > 0) {
        if (!RemoveMenu(menu_, 0, MF_BYPOSITION))
            break;
    }
    while (itemIds_.Count() > 0)
        ForgetPicture(itemIds_.Count() - 1);
}

bool PopupMenu::Track(int x, int y, UINT flags) {
    if (!menu_ || !owner_)
        return false;
    // The command must reach the owner as a message, so the flags that suppress it are dropped.
    flags &= ~(TPM_RETURNCMD | TPM_NONOTIFY);
    {
        // The command names only its id: the menu shown last goes first in the search.
        ScopedLock lock(menusLock);
        const int at = liveMenus.Find(this);
        if (at > 0) {
            liveMenus.RemoveAt(at);
            liveMenus.InsertAt(this, 0);
        }
    }
    (void)SetForegroundWindow(owner_);
    const BOOL shown = TrackPopupMenuEx(menu_, flags, x, y, owner_, nullptr);
    // Switching tasks right after a menu from the notification area needs one more message.
    (void)PostMessageA(owner_, WM_NULL, 0, 0);
    return shown != 0;
}

int PopupMenu::PictureIndex(int id) const {
    return itemIds_.Find(id);
}

void PopupMenu::ForgetPicture(int at) {
    if (at < 0 || at >= itemIds_.Count())
        return;
    itemPictures_.RemoveAt(at);
    itemIds_.RemoveAt(at);
}

// Item sizes follow the owner's DPI (the system draws the menu's text at it too).
PopupMenu::ItemMetrics PopupMenu::Metrics() const {
    const int dpi = WindowDpi(owner_);
    return ItemMetrics{SystemMetricForDpi(SM_CXMENUCHECK, dpi), SystemMetricForDpi(SM_CYMENUCHECK, dpi),
                       SystemMetricForDpi(SM_CYMENU, dpi), ScaleToDpi(kPictureGap, dpi)};
}

void PopupMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
    if (!withPictures_)
        return;
    const ItemMetrics metrics = Metrics();
    measure.itemWidth = static_cast<UINT>(metrics.gap + metrics.pictureWidth);
    measure.itemHeight =
        static_cast<UINT>(metrics.menuHeight > metrics.pictureHeight ? metrics.menuHeight : metrics.pictureHeight);
}

void PopupMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
    if (!withPictures_ || !IsGraphicsStarted())
        return;
    const int at = PictureIndex(static_cast<int>(draw.itemID));
    if (at < 0 || !itemPictures_[at])
        return;
    const Image& picture = *itemPictures_[at];
    const ItemMetrics metrics = Metrics();
    int top = draw.rcItem.top;
    if (metrics.pictureHeight < metrics.menuHeight)
        top += (draw.rcItem.bottom - draw.rcItem.top - metrics.pictureHeight) / 2;
    const Gdiplus::Rect destination(draw.rcItem.left, top, metrics.pictureWidth, metrics.pictureHeight);
    Gdiplus::Graphics graphics(draw.hDC);
    if (!(draw.itemState & ODS_DISABLED)) {
        picture.Draw(&graphics, destination);
        return;
    }
    // A disabled item shows its picture greyed and lightened; magenta stays transparent.
    Image grey;
    if (!grey.CopyFrom(picture))
        return;
    grey.SetKey(kPictureKey);
    grey.SetMode(Image::kModeStretch);
    grey.Recolor(nullptr, kPictureKey);
    grey.RecolorBy(128, nullptr, kPictureKey);
    grey.Draw(&graphics, destination);
}

void PopupMenu::OnMenuCommand(int, int) {}

MenuItemOwner* PopupMenu::FindByCommand(HWND owner, UINT id, int* position) {
    ScopedLock lock(menusLock);
    for (int i = 0; i < liveMenus.Count(); i++) {
        PopupMenu* const menu = liveMenus[i];
        if (menu->owner_ != owner || !menu->menu_)
            continue;
        // Looked up by command, the system searches the sub-menus too; the item's data names
        // the object whose item it is.
        MENUITEMINFOW item = ItemInfo(MIIM_DATA);
        if (!GetMenuItemInfoW(menu->menu_, id, FALSE, &item) || !item.dwItemData)
            continue;
        // Every item of a listed menu was added by a PopupMenu, so its data is one.
        PopupMenu* const itemMenu = static_cast<PopupMenu*>(reinterpret_cast<MenuItemOwner*>(item.dwItemData));
        if (position)
            *position = itemMenu->IndexOf(static_cast<int>(id));
        return itemMenu;
    }
    return nullptr;
}

MenuItemOwner* PopupMenu::FromItemData(ULONG_PTR data) {
    ScopedLock lock(menusLock);
    for (int i = 0; data && i < liveMenus.Count(); i++) {
        MenuItemOwner* const menu = liveMenus[i];
        if (reinterpret_cast<ULONG_PTR>(menu) == data)
            return menu;
    }
    return nullptr;
}
