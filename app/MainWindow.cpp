// MainWindow: creation, setup, message dispatch and closing. The animation is in
// MainWindowAnimation.cpp, the menus and tray in MainWindowCommands.cpp.
#include "app/MainWindow.h"

#include <windowsx.h>

#include <memory>

#include "app/Application.h"
#include "app/ScaledPictures.h"
#include "app/ShellMessages.h"
#include "app/SingleInstance.h"
#include "resources/ResourceIds.h"
#include "settings/Settings.h"
#include "toolkit/window/DisplayScale.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

namespace {

// The icon's image of the size the metric asks for at the DPI (the icons carry 100 % to 200 %).
HICON LoadIconAtDpi(HINSTANCE instance, int id, int widthMetric, int heightMetric, int dpi) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                         SystemMetricForDpi(widthMetric, dpi), SystemMetricForDpi(heightMetric, dpi),
                                         0));
}

}  // namespace

MainWindow::MainWindow(Application& application) : application_(application) {}

MainWindow::~MainWindow() {
    // OLE may still hold references of its own; the window stops naming the target first.
    if (dropTarget_)
        dropTarget_->Revoke();
}

bool MainWindow::Create() {
    WindowArgs args;
    args.exStyle = WS_EX_TOOLWINDOW;  // no taskbar button
    return Window::Create(args);
}

bool MainWindow::Setup() {
    dpi_ = WindowDpi(Handle());
    LoadIcons();
    // The notification area is drawn at the system's DPI, whichever monitor the window is on.
    trayIconPicture_.Reset(LoadIconAtDpi(GetInstance(), resource::kTrayIcon, SM_CXSMICON, SM_CYSMICON, SystemDpi()));
    // The icon comes back by itself when the shell starts again.
    (void)trayIcon_.Create(trayIconPicture_.Get(), kProgramTitle, Handle());
    LoadPictures();
    SetWindowPos(Handle(), nullptr, 0, 0, ScaleToDpi(resource::kSkinWidth, dpi_),
                 ScaleToDpi(resource::kSkinHeight, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetDragMove(true);
    opacity_ = ReadWindowOpacity();
    SetLayered(true);
    SetSkin(&skin_, Image::kNoColor, nullptr, true);
    UpdateLayered(opacity_);
    application_.SetSoundsOn(ReadSoundsOn());
    if (!BuildMenus())
        return false;
    PlaceFromSettings();
    ShowWindow(Handle(), SW_SHOW);
    dropTarget_.Reset(new DropTarget(*this));
    (void)dropTarget_->Register(Handle());
    return true;
}

void MainWindow::LoadIcons() {
    HINSTANCE instance = GetInstance();
    windowIcon_.Reset(LoadIconAtDpi(instance, resource::kWindowIcon, SM_CXICON, SM_CYICON, dpi_));
    windowIconSmall_.Reset(LoadIconAtDpi(instance, resource::kWindowIcon, SM_CXSMICON, SM_CYSMICON, dpi_));
    if (!windowIcon_ || !windowIconSmall_)
        return;
    const LONG_PTR icon = reinterpret_cast<LONG_PTR>(windowIcon_.Get());
    const LONG_PTR smallIcon = reinterpret_cast<LONG_PTR>(windowIconSmall_.Get());
    SetClassLongPtrA(Handle(), GCLP_HICON, icon);
    SetClassLongPtrA(Handle(), GCLP_HICONSM, smallIcon);
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, icon);
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, smallIcon);
}

void MainWindow::LoadPictures() {
    HINSTANCE instance = GetInstance();
    (void)LoadPictureAtDpi(skin_, resource::kSkin, dpi_, instance);
    dial_.Release();
    dialIndex_ = -1;
    for (int i = 0; i < kDriveSoundCount; i++)
        (void)sounds_[i].LoadWaveResource(resource::kSoundFirst + i, instance);
}

void MainWindow::PlaceFromSettings() {
    const POINT place = ReadWindowPosition(dpi_);
    SetWindowPos(Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The layered picture is positioned by the layered update, so hand it over again.
    UpdateLayered(opacity_);
}

// Moved to a monitor of another scale: the pictures of the new DPI are in hand before the
// window takes the system's rectangle, and the new picture goes out at once, so the window is
// never shown at one size with the other's picture.
void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    dpi_ = dpi;
    LoadIcons();
    LoadPictures();
    if (!queue_.IsEmpty())
        LoadFrames(queue_.Current().id);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ShowCurrent();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SWND_CREATED:
            application_.SetMainHandle(Handle());
            return Setup() ? 0 : 1;
        case WM_TIMER:
            if (wParam == kAnimationTimer) {
                OnTimerTick();
                return 0;
            }
            break;
        case WM_DPICHANGED:
            if (lParam)
                OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            if (!OnClose())
                return -1;
            break;
        case WM_ENDSESSION:
            // Logging off ends the process without WM_CLOSE, soon after this returns.
            if (wParam) {
                SaveSettings();
                CancelForSessionEnd();
            }
            return 0;
        case WM_DESTROY:
            if (dropTarget_)
                dropTarget_->Revoke();
            KillTimer(Handle(), kAnimationTimer);
            timerRunning_ = false;
            PostQuitMessage(0);
            break;
        case WM_COPYDATA: {
            String path;
            if (!lParam || !ReadHandedPath(*reinterpret_cast<const COPYDATASTRUCT*>(lParam), path))
                break;
            return OpenFile(path) ? TRUE : FALSE;
        }
        // The menu from the keyboard: Shift+F10 or the menu key. The system's own translation
        // into WM_CONTEXTMENU is swallowed, so the menu never opens twice.
        case WM_KEYDOWN:
            if (wParam == VK_APPS) {
                ShowMenuFromKeyboard();
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
                ShowMenuFromKeyboard();
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            return 0;
        case WM_RBUTTONDOWN: {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(point);
            ShowMenu(point.x, point.y);
            return 0;
        }
        case WM_SWND_COMMAND:
            OnCommand(static_cast<UINT>(lParam));
            return 0;
        case WM_SWND_TRAYEVENT:
            if (lParam)
                OnTrayEvent(*reinterpret_cast<const TrayEvent*>(lParam));
            return 0;
        case WM_DECRYPT_FINISHED:
            QueueFinish();
            return 0;
        case WM_REQUEST_ENDED:
            OnRequestEnded(static_cast<UINT>(wParam));
            return 0;
        case WM_DECRYPT_SUCCEEDED: {
            // The message owns its outcome.
            std::unique_ptr<DecryptOutcome> outcome(reinterpret_cast<DecryptOutcome*>(lParam));
            if (outcome)
                OnDecryptSucceeded(*outcome);
            return 0;
        }
        default:
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

bool MainWindow::OnClose() {
    // Not while a file is handed over or worked on: the worker still uses the window as the
    // owner of its questions and reports to it.
    if (busy_ || handingOver_)
        return false;
    // Nor under a modal window of the program (the Appearance dialog, the folder browser):
    // its run is nested inside this window's command, and the window would go from under it.
    if (application_.AnyModalOpen())
        return false;
    SaveSettings();
    if (dropTarget_)
        dropTarget_->Revoke();
    return true;
}

// A decryption under way is cancelled and waited for, as long as the system lets a program
// take, so the engine removes its temporary files as a cancel does; no new request goes out.
void MainWindow::CancelForSessionEnd() {
    sessionEnding_ = true;
    application_.SetCancelRequested(true);
    const DWORD start = GetTickCount();
    while (handingOver_ && GetTickCount() - start < kSessionEndWaitMs) {
        const DWORD left = kSessionEndWaitMs - (GetTickCount() - start);
        (void)MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void MainWindow::SaveSettings() {
    RECT frame{};
    if (GetWindowRect(frame))
        WriteWindowPosition(frame.left, frame.top);
    WriteSoundsOn(application_.SoundsOn());
}

void MainWindow::SetOpacity(uint32_t opacity) {
    opacity_ = opacity & 0xFF;
    UpdateLayered(opacity_);
}
