// MainWindow: creation, setup, message dispatch and closing. The animation is in
// MainWindowAnimation.cpp, the menus and tray in MainWindowCommands.cpp.
#include "app/MainWindow.h"

#include <windowsx.h>

#include <memory>

#include "app/Application.h"
#include "app/ShellMessages.h"
#include "app/SingleInstance.h"
#include "resources/ResourceIds.h"
#include "settings/Settings.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

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
    LoadIcons();
    // The icon comes back by itself when the shell starts again.
    (void)trayIcon_.Create(trayIconPicture_.Get(), kProgramTitle, Handle());
    LoadPictures();
    SetWindowPos(Handle(), nullptr, 0, 0, resource::kSkinWidth, resource::kSkinHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    windowIcon_.Reset(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(resource::kWindowIcon), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    trayIconPicture_.Reset(
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(resource::kTrayIcon), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    if (!windowIcon_)
        return;
    const LONG_PTR icon = reinterpret_cast<LONG_PTR>(windowIcon_.Get());
    SetClassLongPtrA(Handle(), GCLP_HICON, icon);
    SetClassLongPtrA(Handle(), GCLP_HICONSM, icon);
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, icon);
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, icon);
}

void MainWindow::LoadPictures() {
    HINSTANCE instance = GetInstance();
    (void)skin_.LoadFromResource(resource::kBinaryType, resource::kSkin, instance);
    for (int i = 0; i < kDriveSoundCount; i++)
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
