// TrayIcon; see TrayIcon.h.
#include "toolkit/window/TrayIcon.h"

#include <cstring>

#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

namespace {

// The first, 88-byte form of the structure: every shell version accepts it.
constexpr DWORD kIconDataSize = NOTIFYICONDATAA_V1_SIZE;
constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// Event codes of the nine button messages WM_LBUTTONDOWN .. WM_MBUTTONDBLCLK, in order.
constexpr uint32_t kEventCodes[9] = {
    TRAY_LEFT | TRAY_PRESSED,   TRAY_LEFT | TRAY_RELEASED,   TRAY_LEFT | TRAY_DOUBLECLICKED,
    TRAY_RIGHT | TRAY_PRESSED,  TRAY_RIGHT | TRAY_RELEASED,  TRAY_RIGHT | TRAY_DOUBLECLICKED,
    TRAY_MIDDLE | TRAY_PRESSED, TRAY_MIDDLE | TRAY_RELEASED, TRAY_MIDDLE | TRAY_DOUBLECLICKED,
};

}  // namespace

TrayIcon::TrayIcon() {
    kind = KIND_TRAYICON;
}

TrayIcon::~TrayIcon() {
    // The base destructor no longer reaches this class's handling of WM_DESTROY.
    RemoveIcon();
}

bool TrayIcon::Create(HICON icon, const char* tip, HWND owner) {
    if (Handle())
        return false;
    WindowArgs args;
    args.style = WS_POPUP;
    args.parent = owner;
    if (!Window::Create(args))
        return false;
    taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    memset(&iconData_, 0, sizeof(iconData_));
    iconData_.cbSize = kIconDataSize;
    iconData_.hWnd = Handle();
    iconData_.uID = kIconId;
    iconData_.uFlags = kIconFlags;
    iconData_.uCallbackMessage = WM_SWND_TRAYCALLBACK;
    iconData_.hIcon = icon;
    CopyTip(tip);
    if (!Shell_NotifyIconA(NIM_ADD, &iconData_)) {
        Destroy();
        return false;
    }
    added_ = shown_ = true;
    return true;
}

bool TrayIcon::SetTip(const char* tip) {
    return Handle() && SendMessageA(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tip ? tip : "")) != FALSE;
}

void TrayIcon::CopyTip(const char* tip) {
    // The version-1 structure holds 64 bytes of tip: longer texts are cut, not copied past it.
    lstrcpynA(iconData_.szTip, tip ? tip : "", kMaxTipLength + 1);
}

bool TrayIcon::ShowBalloon(const char* title, const char* text, bool quiet) {
    if (!added_)
        return false;
    NOTIFYICONDATAA balloon{};
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.hWnd = Handle();
    balloon.uID = kIconId;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO | (quiet ? NIIF_NOSOUND : 0);
    lstrcpynA(balloon.szInfoTitle, title ? title : "", kMaxBalloonTitleLength + 1);
    lstrcpynA(balloon.szInfo, text ? text : "", kMaxBalloonTextLength + 1);
    return Shell_NotifyIconA(NIM_MODIFY, &balloon) != FALSE;
}

void TrayIcon::RemoveIcon() {
    if (added_)
        (void)Shell_NotifyIconA(NIM_DELETE, &iconData_);
    added_ = shown_ = false;
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SWND_TRAYCALLBACK:
            OnCallback(static_cast<UINT>(lParam));
            return 1;
        case WM_SETTEXT:
            CopyTip(reinterpret_cast<const char*>(lParam));
            if (added_) {
                iconData_.uFlags = NIF_TIP;
                (void)Shell_NotifyIconA(NIM_MODIFY, &iconData_);
                iconData_.uFlags = kIconFlags;
            }
            break;
        case WM_DESTROY:
            RemoveIcon();
            break;
        default:
            // The shell restarted and forgot its icons: add ours again.
            if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ && shown_) {
                added_ = Shell_NotifyIconA(NIM_ADD, &iconData_) != FALSE;
                return 0;
            }
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void TrayIcon::OnCallback(UINT mouseMessage) {
    const bool balloonClick = mouseMessage == NIN_BALLOONUSERCLICK;
    if (!balloonClick && (mouseMessage < WM_LBUTTONDOWN || mouseMessage > WM_MBUTTONDBLCLK))
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    HWND owner = ::GetParent(Handle());
    if (!owner)
        return;
    const uint32_t code = balloonClick ? TRAY_BALLOON_CLICKED : kEventCodes[mouseMessage - WM_LBUTTONDOWN];
    TrayEvent event{code, static_cast<int16_t>(cursor.x), static_cast<int16_t>(cursor.y)};
    SendMessageA(owner, WM_SWND_TRAYEVENT, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&event));
}
