// MainWindow: what a user sees of a success. The worker reports each decryption that wrote
// all its entries; the window remembers its folder for "Open Last Folder" and, unless
// "Notify When Done" is off, shows the tray icon's information balloon, whose click opens the
// folder. Failures have their message windows and a cancel shows nothing, so neither reaches
// this file.
#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ShellMessages.h"
#include "settings/Settings.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/PathName.h"

namespace {

// "5 files in letters\": the count and the output folder's own name.
String BalloonText(const DecryptOutcome& outcome) {
    String folder = outcome.outputFolder.Left(outcome.outputFolder.Length() - 1);
    folder = folder.Mid(LastPathSeparator(folder) + 1);
    String text;
    text.Format("%d %s in %s\\", outcome.files, outcome.files == 1 ? "file" : "files", folder.Text());
    return text;
}

}  // namespace

void MainWindow::OnDecryptSucceeded(const DecryptOutcome& outcome) {
    lastFolder_ = outcome.outputFolder;
    UpdateLastFolderItem();
    if (!notifyDone_)
        return;
    if (trayIcon_.ShowBalloon(outcome.sourceName, BalloonText(outcome), !application_.SoundsOn()))
        balloonFolder_ = outcome.outputFolder;
}

void MainWindow::UpdateLastFolderItem() {
    // A folder deleted or renamed since is no longer offered.
    mainMenu_.Enable(CMD_OPEN_LAST_FOLDER, !lastFolder_.IsEmpty() && FileSystem().FolderExists(lastFolder_));
}

void MainWindow::OpenFolder(const String& folder) {
    if (!folder.IsEmpty() && FileSystem().FolderExists(folder))
        (void)FileSystem().ShellOpen(folder, "", SW_SHOWNORMAL);
}

void MainWindow::ToggleNotifyDone() {
    notifyDone_ = !notifyDone_;
    mainMenu_.Check(CMD_NOTIFY_WHEN_DONE, notifyDone_);
    WriteNotifyDone(notifyDone_);
}
