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

constexpr char kWebSite[] = "https://www.quillmont.com/decryptor/";

struct MenuEntry {
    UINT id;  // 0: separator
    const char* text;
};

constexpr MenuEntry kMainMenu[] = {
    {CMD_DECRYPT_FILE, "Decrypt a File..."},
    {0, nullptr},
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
    {CMD_OPEN_LAST_FOLDER, "Open Last Folder"},
    {CMD_NOTIFY_WHEN_DONE, "Notify When Done"},
    {0, nullptr},
    {CMD_WEB_SITE, "Visit Web Site"},
    {0, nullptr},
    {CMD_QUIT, "Quit"},
};

// What the open-file dialog offers: every kind a drop takes first, then each alone.
constexpr const char* kOpenFilters[] = {
    "All supported files|*.enc;*.wav;*.bmp;*.png;*.key",
    "Encrypted archives (*.enc)|*.enc",
    "WAV sounds (*.wav)|*.wav",
    "BMP pictures (*.bmp)|*.bmp",
    "PNG pictures (*.png)|*.png",
    "Key files (*.key)|*.key",
};

}  // namespace

bool MainWindow::BuildMenus() {
    if (!mainMenu_.Create(Handle(), true, false) || !busyMenu_.Create(Handle(), true, false))
        return false;
    for (const MenuEntry& entry : kMainMenu) {
        if (entry.id == 0)
            mainMenu_.AddSeparator();
        else
            mainMenu_.AddItem(entry.text, entry.id);
    }
    busyMenu_.AddItem("Cancel", CMD_CANCEL);
    UpdateKeyFolderMarks();
    mainMenu_.Check(CMD_SOUNDS, application_.SoundsOn());
    alwaysOnTop_ = ReadAlwaysOnTop();
    mainMenu_.Check(CMD_ALWAYS_ON_TOP, alwaysOnTop_);
    if (alwaysOnTop_)
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    mainMenu_.Check(CMD_LAUNCH_ON_STARTUP, IsAutostartOn(RunningProgramPath()));
    notifyDone_ = ReadNotifyDone();
    mainMenu_.Check(CMD_NOTIFY_WHEN_DONE, notifyDone_);
    UpdateLastFolderItem();
    return true;
}

void MainWindow::ShowMenu(int x, int y) {
    // Never a menu over a modal window of the program, nor a menu inside a menu.
    if (menuOpen_ || application_.AnyModalOpen())
        return;
    PopupMenu& menu = busy_ ? busyMenu_ : mainMenu_;
    if (busy_)
        busyMenu_.Enable(CMD_CANCEL, !application_.CancelRequested());
    else
        UpdateLastFolderItem();
    // Tracking takes the foreground first, so the menu closes when the user clicks elsewhere.
    menuOpen_ = true;
    (void)menu.Track(x, y, TPM_RIGHTBUTTON);
    menuOpen_ = false;
}

// Under the drive's centre, as the keyboard names no place.
void MainWindow::ShowMenuFromKeyboard() {
    RECT frame{};
    if (GetWindowRect(frame))
        ShowMenu((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
}

void MainWindow::OnCommand(UINT id) {
    switch (id) {
        case CMD_DECRYPT_FILE:
            ChooseFileToDecrypt();
            break;
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
        case CMD_OPEN_LAST_FOLDER:
            OpenFolder(lastFolder_);
            break;
        case CMD_NOTIFY_WHEN_DONE:
            ToggleNotifyDone();
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
        case TRAY_LEFT | TRAY_PRESSED:
            RaiseWindow();
            break;
        case TRAY_RIGHT | TRAY_RELEASED:
            ShowMenu(event.x, event.y);
            break;
        case TRAY_LEFT | TRAY_DOUBLECLICKED:
            ToggleVisible();
            break;
        case TRAY_BALLOON_CLICKED:
            OpenFolder(balloonFolder_);
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

void MainWindow::ChooseFileToDecrypt() {
    // A command posted while another dialog of the program runs would open this one over it.
    if (application_.AnyModalOpen())
        return;
    CommonDialog dialog;
    dialog.owner = Handle();
    StringList filters;
    for (const char* filter : kOpenFilters)
        filters.AddString(filter);
    bool chosen = false;
    {
        ModalScope modal(application_);
        chosen = dialog.OpenFiles(filters, nullptr, 0, "Decrypt a File", nullptr);
    }
    if (chosen && dialog.files.Count() == 1)
        (void)OpenFile(dialog.files.At(0));
}

void MainWindow::UpdateKeyFolderMarks() {
    const bool userActive = IsUserKeyFolderActive(application_.KeyFolder(), GetProgramFolder());
    mainMenu_.Check(CMD_MAIN_KEY_FOLDER, !userActive);
    mainMenu_.Check(CMD_USER_KEY_FOLDER, userActive);
}

void MainWindow::ToggleSounds() {
    const bool on = !application_.SoundsOn();
    application_.SetSoundsOn(on);
    mainMenu_.Check(CMD_SOUNDS, on);
}

void MainWindow::ToggleVisible() {
    ShowWindow(Handle(), IsWindowVisible(Handle()) ? SW_HIDE : SW_SHOW);
}

void MainWindow::ToggleAlwaysOnTop() {
    alwaysOnTop_ = !alwaysOnTop_;
    mainMenu_.Check(CMD_ALWAYS_ON_TOP, alwaysOnTop_);
    SetWindowPos(Handle(), alwaysOnTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    WriteAlwaysOnTop(alwaysOnTop_);
}

void MainWindow::ToggleLaunchOnStartup() {
    // What is stored decides, so a value another program removed is simply put back.
    const String program = RunningProgramPath();
    mainMenu_.Check(CMD_LAUNCH_ON_STARTUP, SetAutostart(!IsAutostartOn(program), program));
}

void MainWindow::ShowHelp() {
    if (!helpWindow_.IsOpen())
        (void)helpWindow_.Open();
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

// For a file opened from outside: the user is looking for the drive now.
void MainWindow::BringForward() {
    if (!IsWindowVisible(Handle()))
        ShowWindow(Handle(), SW_SHOW);
    RaiseWindow();
    (void)SetForegroundWindow(Handle());
}

void MainWindow::RaiseWindow() {
    if (alwaysOnTop_)
        return;
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
