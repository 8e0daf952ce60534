// MainWindow: the skinned 130 x 175 drive the user drops files on (96-DPI units: every size,
// place and picture follows the window's DPI, and changes with it). It owns the tray icon, the
// two popup menus, the drop target, the help window, the pictures and sounds, and the
// animation queue with its 10 ms timer (running only while something animates). Everything
// here runs on the user-interface thread; the worker reaches it only by posted messages.
//
// A dropped archive or key starts a hand-over that lasts until the worker reports the
// request's end: meanwhile new drags are refused and closing is refused, so no second file
// can replace the one being worked on and the window cannot go away under a question.
#pragma once

#include "app/AnimationQueue.h"
#include "app/DropTarget.h"
#include "app/FileKind.h"
#include "app/HelpWindow.h"
#include "toolkit/base/Array.h"
#include "toolkit/base/Com.h"
#include "toolkit/base/String.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/Sound.h"
#include "toolkit/window/PopupMenu.h"
#include "toolkit/window/TrayIcon.h"
#include "toolkit/window/Window.h"

class Application;
struct DecryptOutcome;
struct TrayEvent;

// Menu command ids.
enum : UINT {
    CMD_MAIN_KEY_FOLDER = 1001,
    CMD_USER_KEY_FOLDER = 1002,
    CMD_APPEARANCE = 1003,
    CMD_SOUNDS = 1004,
    CMD_HIDE_SHOW = 1005,
    CMD_ALWAYS_ON_TOP = 1006,
    CMD_LAUNCH_ON_STARTUP = 1007,
    CMD_HELP = 1008,
    CMD_WEB_SITE = 1009,
    CMD_QUIT = 1010,
    CMD_CANCEL = 1011,
    CMD_OPEN_LAST_FOLDER = 1012,
    CMD_NOTIFY_WHEN_DONE = 1013,
    CMD_DECRYPT_FILE = 1014,
};

class MainWindow : public Window, public DropSink {
public:
    static constexpr UINT_PTR kAnimationTimer = 1;
    static constexpr UINT kAnimationTickMs = 10;
    // How long the end of the session waits for a cancelled decryption to clean up.
    static constexpr DWORD kSessionEndWaitMs = 4000;

    explicit MainWindow(Application& application);
    ~MainWindow() override;

    // Creates the window (no taskbar button); setup runs on the creation notification.
    bool Create();

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // DropSink
    bool AcceptsDrags() const override;
    void OnDragEnter(const String& path) override;
    void OnDragLeave(const String& path) override;
    void OnDrop(const String& path) override;

    // A file opened other than by a drag (named on the command line, handed over by a later
    // start, chosen in the open-file dialog): brought forward, then handled exactly as a drop
    // of it. False when it is refused, as a drop would be now.
    bool OpenFile(const String& path);

    // Appends an animation (its frame count is looked up here); an empty queue starts it at
    // once and starts the timer.
    void Queue(AnimationRequest request);
    void SetOpacity(uint32_t opacity);

    // A decryption runs (its working animation plays).
    bool IsBusy() const { return busy_; }
    // Nothing runs, nothing is handed over, nothing animates: a new drop starts afresh.
    bool IsIdle() const { return !busy_ && !handingOver_ && queue_.IsEmpty(); }

private:
    // Setup and closing (MainWindow.cpp).
    bool Setup();
    void LoadIcons();
    void LoadPictures();
    void PlaceFromSettings();
    void OnDpiChanged(int dpi, const RECT& suggested);
    bool OnClose();
    void CancelForSessionEnd();
    void SaveSettings();

    // Animation (MainWindowAnimation.cpp).
    void OnTimerTick();
    void ShowFrame(int frameIndex);
    void ShowSkin();
    void ShowCurrent();
    bool LoadDial(int index);
    void StartCurrent(bool fromTimer);
    void OnAnimationFinished(const AnimationRequest& finished);
    void LoadFrames(int id);
    void UnloadFrames();
    void PlaySound(DriveSound sound);
    bool PostRequest(UINT message);
    void QueueFinish();
    void OnRequestEnded(UINT request);

    // Menus and tray (MainWindowCommands.cpp).
    bool BuildMenus();
    void ShowMenu(int x, int y);
    void ShowMenuFromKeyboard();
    void ChooseFileToDecrypt();
    void OnCommand(UINT id);
    void OnTrayEvent(const TrayEvent& event);
    void SwitchToMainKeyFolder();
    void ChooseUserKeyFolder();
    void UpdateKeyFolderMarks();
    void ToggleSounds();
    void ToggleAlwaysOnTop();
    void ToggleLaunchOnStartup();
    void ToggleVisible();
    void ShowHelp();
    void ShowAppearance();
    void RaiseWindow();
    void BringForward();

    // The notice of a success and the last output folder (MainWindowSuccess.cpp).
    void OnDecryptSucceeded(const DecryptOutcome& outcome);
    void UpdateLastFolderItem();
    void OpenFolder(const String& folder);
    void ToggleNotifyDone();

    Application& application_;
    TrayIcon trayIcon_;
    IconHandle windowIcon_;
    IconHandle windowIconSmall_;
    IconHandle trayIconPicture_;
    ComPtr<DropTarget> dropTarget_;
    bool alwaysOnTop_ = false;
    bool notifyDone_ = true;
    uint32_t opacity_ = 255;
    PopupMenu mainMenu_;
    PopupMenu busyMenu_;
    HelpWindow helpWindow_;
    int dpi_ = 96;  // the window's; every picture below is loaded at it
    Image skin_;
    OwnedArray<Image> frames_;  // of the playing animation only
    Image dial_;                // the dial picture shown last, kept until the progress moves on
    int dialIndex_ = -1;
    Sound sounds_[kDriveSoundCount];
    AnimationQueue queue_;
    bool timerRunning_ = false;
    bool busy_ = false;
    bool handingOver_ = false;
    bool finishQueued_ = false;
    bool menuOpen_ = false;
    bool sessionEnding_ = false;
    String currentFile_;
    String lastFolder_;     // of the last success of this run; empty before one
    String balloonFolder_;  // the folder the balloon on show names
    FileKind currentKind_ = FileKind::kOther;
};
