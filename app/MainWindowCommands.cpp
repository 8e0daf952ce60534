// MainWindow: the two popup menus, their commands and the tray icon's events.
#include "app/AppearanceDialog.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "settings/Autostart.h"
#include "settings/KeyFolders.h"
#include "settings/Settings.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/PathName.h"
#include "toolkit/window/CommonDialog.h"
#include "toolkit/window/Toolkit.h"

namespace {

constexpr char kTitle[] = "KVR Decryptor";
constexpr char kWebSite[] = "https://www.quillmont.com/decryptor/";

// Tray event codes: button bit plus action bit.
constexpr uint32_t kTrayLeftDown = 9;
constexpr uint32_t kTrayRightUp = 20;
constexpr uint32_t kTrayLeftDoubleClick = 65;

struct MenuEntry {
    UINT id;  // 0: separator
    const char* text;
};

constexpr MenuEntry kMainMenu[] = {
    {CMD_MAIN_KEY_FOLDER, "Main Key Folder"},
    {CMD_USER_KEY_FOLDER, "User Key Folder..."},
    {0, nullptr},
    {CMD_APPEARANCE, "Appearance"},
    {CMD_SOUNDS, "Sounds"},
    {0, nullptr},
    {CMD_HIDE_SHOW, "Hide/Show Window"},
    {CMD_ALWAYS_ON_TOP, "Always On Top"},
    {CMD_LAUNCH_ON_STARTUP, "Launch On Startup"},
    {0, nullptr},
    {CMD_HELP, "Help"},
    {0, nullptr},
    {CMD_WEB_SITE, "Visit Web Site"},
    {0, nullptr},
    {CMD_QUIT, "Quit"},
};

}  // namespace

bool MainWindow::BuildMenus() {
    if (!mainMenu_.Create(Handle(), true, false) || !busyMenu_.Create(Handle(), true, false))
        return false;
    for (const MenuEntry& entry : kMainMenu) {
        if (entry.id == 0)
            mainMenu_.AddSeparator(-1);
        else
            mainMenu_.AddItem(entry.text, entry.id, nullptr, nullptr, -1, nullptr);
    }
    busyMenu_.AddItem("Cancel", CMD_CANCEL, nullptr, nullptr, -1, nullptr);
    UpdateKeyFolderMarks();
    mainMenu_.Check(CMD_SOUNDS, soundsOn_);
    const bool onTop = ReadAlwaysOnTop();
    mainMenu_.Check(CMD_ALWAYS_ON_TOP, onTop);
    if (onTop)
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    mainMenu_.Check(CMD_LAUNCH_ON_STARTUP, IsAutostartOn(RunningProgramPath()));
    return true;
}

void MainWindow::ShowMenu(int x, int y) {
    // Never a menu over a modal window of the program, nor a menu inside a menu.
    if (menuOpen_ || application_.AnyModalOpen())
        return;
    PopupMenu& menu = busy_ ? busyMenu_ : mainMenu_;
    if (busy_)
        busyMenu_.Enable(CMD_CANCEL, !application_.CancelRequested());
    // Tracking takes the foreground first, so the menu closes when the user clicks elsewhere.
    menuOpen_ = true;
    (void)menu.Track(x, y, TPM_RIGHTBUTTON);
    menuOpen_ = false;
}

void MainWindow::OnCommand(UINT id) {
    switch (id) {
        case CMD_MAIN_KEY_FOLDER:
            SwitchToMainKeyFolder();
            break;
        case CMD_USER_KEY_FOLDER:
            ChooseUserKeyFolder();
            break;
        case CMD_APPEARANCE:
            ShowAppearance();
            break;
        case CMD_SOUNDS:
            ToggleSounds();
            break;
        case CMD_HIDE_SHOW:
            ToggleVisible();
            break;
        case CMD_ALWAYS_ON_TOP:
            ToggleAlwaysOnTop();
            break;
        case CMD_LAUNCH_ON_STARTUP:
            ToggleLaunchOnStartup();
            break;
        case CMD_HELP:
            ShowHelp();
            break;
        case CMD_WEB_SITE:
            (void)FileSystem().ShellOpen(kWebSite, "", SW_SHOWNORMAL);
            break;
        case CMD_QUIT:
            (void)Close();
            break;
        case CMD_CANCEL:
            if (busy_)
                application_.SetCancelRequested(true);
            break;
        default:
            break;
    }
}

void MainWindow::OnTrayEvent(const TrayEvent& event) {
    if (menuOpen_ || application_.AnyModalOpen())
        return;
    switch (event.code) {
        case kTrayLeftDown:
            RaiseWindow();
            break;
        case kTrayRightUp:
            ShowMenu(event.x, event.y);
            break;
        case kTrayLeftDoubleClick:
            ToggleVisible();
            break;
        default:
            break;
    }
}

void MainWindow::SwitchToMainKeyFolder() {
    UseMainKeyFolder(application_.KeyFolderStore(), GetProgramFolder());
    UpdateKeyFolderMarks();
}

void MainWindow::ChooseUserKeyFolder() {
    // A command posted while a modal window runs would open the browser over it.
    if (application_.AnyModalOpen())
        return;
    CommonDialog dialog;
    dialog.owner = Handle();
    String chosen;
    {
        ModalScope modal(application_);
        chosen = dialog.BrowseFolder("", PathName(application_.KeyFolder()).GetFolderPath(), false);
    }
    // What start-up would not accept (a drive or share root, a virtual folder) counts as a
    // cancel, so the next start finds the same folder active.
    if (UseUserKeyFolder(application_.KeyFolderStore(), chosen))
        UpdateKeyFolderMarks();
}

void MainWindow::UpdateKeyFolderMarks() {
    const bool userActive = IsUserKeyFolderActive(application_.KeyFolder(), GetProgramFolder());
    mainMenu_.Check(CMD_MAIN_KEY_FOLDER, !userActive);
    mainMenu_.Check(CMD_USER_KEY_FOLDER, userActive);
}

void MainWindow::ToggleSounds() {
    soundsOn_ = !soundsOn_;
    mainMenu_.Check(CMD_SOUNDS, soundsOn_);
    application_.SetSoundsOn(soundsOn_);
}

void MainWindow::ToggleVisible() {
    ShowWindow(Handle(), IsWindowVisible(Handle()) ? SW_HIDE : SW_SHOW);
}

void MainWindow::ToggleAlwaysOnTop() {
    const bool on = !mainMenu_.IsChecked(CMD_ALWAYS_ON_TOP);
    mainMenu_.Check(CMD_ALWAYS_ON_TOP, on);
    SetWindowPos(Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    WriteAlwaysOnTop(on);
}

void MainWindow::ToggleLaunchOnStartup() {
    const bool wanted = !mainMenu_.IsChecked(CMD_LAUNCH_ON_STARTUP);
    mainMenu_.Check(CMD_LAUNCH_ON_STARTUP, SetAutostart(wanted, RunningProgramPath()));
}

void MainWindow::ShowHelp() {
    if (!helpWindow_.IsOpen())
        (void)helpWindow_.Open(kTitle);
}

void MainWindow::ShowAppearance() {
    // The menu cannot ask twice while the dialog runs, but a command posted meanwhile still
    // reaches this (disabled) window and would open a second dialog over the first.
    if (application_.AnyModalOpen())
        return;
    {
        ModalScope modal(application_);
        AppearanceDialog dialog(*this);
        // A definition that cannot be built (a damaged program file) opens nothing.
        if (dialog.Build())
            (void)dialog.DoModal();
    }
    // Whatever the outcome: confirmed, this is the new value; cancelled, it undoes the preview.
    SetOpacity(ReadWindowOpacity());
}

void MainWindow::RaiseWindow() {
    if (mainMenu_.IsChecked(CMD_ALWAYS_ON_TOP))
        return;
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
