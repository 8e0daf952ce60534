// TrayIcon; see TrayIcon.h.
#include "toolkit/window/TrayIcon.h"

#include <cstring>
#include <cwchar>

#include "toolkit/base/TextCodec.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

namespace {

// The first, 88-byte form of the structure: every shell version accepts it.
constexpr DWORD kIconDataSize = NOTIFYICONDATAW_V1_SIZE;
constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// Event codes of the nine button messages WM_LBUTTONDOWN .. WM_MBUTTONDBLCLK, in order.
constexpr uint32_t kEventCodes[9] = {
    TRAY_LEFT | TRAY_PRESSED,   TRAY_LEFT | TRAY_RELEASED,   TRAY_LEFT | TRAY_DOUBLECLICKED,
    TRAY_RIGHT | TRAY_PRESSED,  TRAY_RIGHT | TRAY_RELEASED,  TRAY_RIGHT | TRAY_DOUBLECLICKED,
    TRAY_MIDDLE | TRAY_PRESSED, TRAY_MIDDLE | TRAY_RELEASED, TRAY_MIDDLE | TRAY_DOUBLECLICKED,
};

// Copies the UTF-8 text into the shell's field of maxLength characters and its end, cut so
// that no character loses half of a surrogate pair.
void CopyWide(wchar_t* field, const char* text, int maxLength) {
    const WideText wide(text ? text : "");
    int length = wide.Length() < maxLength ? wide.Length() : maxLength;
    if (length < wide.Length() && length > 0 && IS_HIGH_SURROGATE(wide.Text()[length - 1]))
        length--;
    wmemcpy(field, wide.Text(), static_cast<size_t>(length));
    field[length] = L'\0';
}

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
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    memset(&iconData_, 0, sizeof(iconData_));
    iconData_.cbSize = kIconDataSize;
    iconData_.hWnd = Handle();
    iconData_.uID = kIconId;
    iconData_.uFlags = kIconFlags;
    iconData_.uCallbackMessage = WM_SWND_TRAYCALLBACK;
    iconData_.hIcon = icon;
    CopyTip(tip);
    if (!Shell_NotifyIconW(NIM_ADD, &iconData_)) {
        Destroy();
        return false;
    }
    added_ = shown_ = true;
    return true;
}

bool TrayIcon::SetTip(const char* tip) {
    return SetText(tip);
}

void TrayIcon::CopyTip(const char* tip) {
    // The version-1 structure holds 64 characters of tip: longer texts are cut, not copied past it.
    CopyWide(iconData_.szTip, tip, kMaxTipLength);
    tip_ = Utf8FromWide(iconData_.szTip);
}

bool TrayIcon::ShowBalloon(const char* title, const char* text, bool quiet) {
    if (!added_)
        return false;
    NOTIFYICONDATAW balloon{};
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.hWnd = Handle();
    balloon.uID = kIconId;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO | (quiet ? NIIF_NOSOUND : 0);
    CopyWide(balloon.szInfoTitle, title, kMaxBalloonTitleLength);
    CopyWide(balloon.szInfo, text, kMaxBalloonTextLength);
    return Shell_NotifyIconW(NIM_MODIFY, &balloon) != FALSE;
}

void TrayIcon::RemoveIcon() {
    if (added_)
        (void)Shell_NotifyIconW(NIM_DELETE, &iconData_);
    added_ = shown_ = false;
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SWND_TRAYCALLBACK:
            OnCallback(static_cast<UINT>(lParam));
            return 1;
        case WM_SETTEXT:
            // A wide window: the text arrives in UTF-16, whichever call set it.
            CopyTip(lParam ? Utf8FromWide(reinterpret_cast<const wchar_t*>(lParam)) : String());
            if (added_) {
                iconData_.uFlags = NIF_TIP;
                (void)Shell_NotifyIconW(NIM_MODIFY, &iconData_);
                iconData_.uFlags = kIconFlags;
            }
            break;
        case WM_DESTROY:
            RemoveIcon();
            break;
        default:
            // The shell restarted and forgot its icons: add ours again.
            if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ && shown_) {
                added_ = Shell_NotifyIconW(NIM_ADD, &iconData_) != FALSE;
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
