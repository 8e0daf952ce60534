// TrayIcon: one icon with a tooltip in the Windows notification area. Its own hidden window
// receives the notification area's callbacks and turns each mouse button action on the icon
// into one TrayEvent, sent to the owner window as WM_SWND_TRAYEVENT. When the shell restarts
// (the "TaskbarCreated" broadcast) the icon is added again. The shell's information balloon
// can be shown over the icon; a click on it is one more TrayEvent.
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
    TRAY_BALLOON_CLICKED = 128,  // alone: the user clicked the balloon
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
    // The tip as the shell shows it (cut), in UTF-8.
    const char* Tip() const { return tip_.Text(); }

    static constexpr int kMaxBalloonTitleLength = 63;
    static constexpr int kMaxBalloonTextLength = 255;
    // Shows the shell's information balloon over the icon (longer texts are cut); quiet asks
    // the shell for no sound of its own. False when the icon is not there or the shell refused.
    bool ShowBalloon(const char* title, const char* text, bool quiet);

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CopyTip(const char* tip);
    void RemoveIcon();
    void OnCallback(UINT mouseMessage);

    // The balloon needs the longer, version-2 form of the structure; the icon itself keeps the
    // first form every shell accepts.
    NOTIFYICONDATAW iconData_{};
    String tip_;
    bool added_ = false;
    bool shown_ = false;
    UINT taskbarCreatedMessage_ = 0;
};
