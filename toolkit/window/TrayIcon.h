// TrayIcon: one icon with a tooltip in the Windows notification area. Its own hidden window
// receives the notification area's callbacks and turns each mouse button action on the icon
// into one TrayEvent, sent to the owner window as WM_SWND_TRAYEVENT. When the shell restarts
// (the "TaskbarCreated" broadcast) the icon is added again.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdint>

#include "toolkit/window/Window.h"

// Event codes: one button bit and one action bit.
enum : uint32_t {
    TRAY_LEFT = 1,
    TRAY_MIDDLE = 2,
    TRAY_RIGHT = 4,
    TRAY_PRESSED = 8,
    TRAY_RELEASED = 16,
    TRAY_DOUBLECLICKED = 64,
};

// Sent with WM_SWND_TRAYEVENT; valid only while the owner handles the message.
struct TrayEvent {
    uint32_t code;
    int32_t x;  // cursor position on the screen at the event
    int32_t y;
};

class TrayIcon : public Window {
public:
    static constexpr UINT kIconId = 100;
    static constexpr int kMaxTipLength = 63;

    TrayIcon();
    ~TrayIcon() override;

    // Adds the icon; the tip is cut to 63 characters. False (and no window) when the shell
    // refused the icon.
    bool Create(HICON icon, const char* tip, HWND owner);
    // Changes the tooltip of the shown icon (through the window text).
    bool SetTip(const char* tip);
    const char* Tip() const { return iconData_.szTip; }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CopyTip(const char* tip);
    void RemoveIcon();
    void OnCallback(UINT mouseMessage);

    NOTIFYICONDATAA iconData_{};
    bool added_ = false;
    bool shown_ = false;
    UINT taskbarCreatedMessage_ = 0;
};
