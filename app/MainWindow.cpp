// MainWindow: creation, setup, message dispatch and closing. The animation is in
// MainWindowAnimation.cpp, the menus and tray in MainWindowCommands.cpp.
#include "app/MainWindow.h"

#include <windowsx.h>

#include "app/Application.h"
#include "app/ShellMessages.h"
#include "resources/ResourceIds.h"
#include "settings/Settings.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

MainWindow::MainWindow(Application& application) : application_(application) {}

MainWindow::~MainWindow() {
    if (dropTarget_) {
        dropTarget_->Revoke();
        dropTarget_->Release();
        dropTarget_ = nullptr;
    }
    UnloadFrames();
    if (windowIcon_)
        DestroyIcon(windowIcon_);
    if (trayIconPicture_)
        DestroyIcon(trayIconPicture_);
}

bool MainWindow::Create() {
    // A tool window: no taskbar button.
    return Window::Create("", 0, WS_EX_TOOLWINDOW, nullptr, nullptr, 0, nullptr, GetInstance());
}

bool MainWindow::Setup() {
    LoadIcons();
    // The icon comes back by itself when the shell starts again.
    (void)trayIcon_.Create(trayIconPicture_, "KVR Decryptor", Handle());
    LoadPictures();
    SetWindowPos(Handle(), nullptr, 0, 0, resource::kSkinWidth, resource::kSkinHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    dragMove = true;
    opacity_ = ReadWindowOpacity();
    SetLayered(true);
    SetSkin(&skin_, Image::kNoColor, nullptr, true);
    UpdateLayered(opacity_);
    soundsOn_ = ReadSoundsOn();
    application_.SetSoundsOn(soundsOn_);
    if (!BuildMenus())
        return false;
    PlaceFromSettings();
    ShowWindow(Handle(), SW_SHOW);
    dropTarget_ = new DropTarget(*this);
    (void)dropTarget_->Register(Handle());
    return true;
}

void MainWindow::LoadIcons() {
    HINSTANCE instance = GetInstance();
    windowIcon_ = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(resource::kWindowIcon), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    trayIconPicture_ = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(resource::kTrayIcon), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (!windowIcon_)
        return;
    SetClassLongPtrA(Handle(), GCLP_HICON, reinterpret_cast<LONG_PTR>(windowIcon_));
    SetClassLongPtrA(Handle(), GCLP_HICONSM, reinterpret_cast<LONG_PTR>(windowIcon_));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_));
}

void MainWindow::LoadPictures() {
    HINSTANCE instance = GetInstance();
    (void)skin_.LoadFromResource(resource::kBinaryType, resource::kSkin, instance);
    for (int i = 0; i < 4; i++)
        (void)sounds_[i].LoadWaveResource(resource::kSoundFirst + i, instance);
}

void MainWindow::PlaceFromSettings() {
    const POINT place = ReadWindowPosition();
    SetWindowPos(Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The layered picture is positioned by the layered update, so hand it over again.
    UpdateLayered(opacity_);
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
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void MainWindow::SaveSettings() {
    RECT frame{};
    if (GetWindowRect(frame))
        WriteWindowPosition(frame.left, frame.top);
    WriteSoundsOn(soundsOn_);
}

void MainWindow::SetOpacity(uint32_t opacity) {
    opacity_ = opacity & 0xFF;
    UpdateLayered(opacity_);
}
