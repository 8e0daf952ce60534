// MainWindow: the animation queue's timer, the frames and the dial, the drag feedback and the
// hand-over of a dropped file to the worker.
#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ProgressDial.h"
#include "app/ScaledPictures.h"
#include "app/ShellMessages.h"
#include "resources/ResourceIds.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/window/DisplayScale.h"
#include "toolkit/window/Toolkit.h"

namespace {

const resource::AnimationFrames* FindAnimation(int id) {
    for (const resource::AnimationFrames& animation : resource::kAnimations) {
        if (animation.id == id)
            return &animation;
    }
    return nullptr;
}

// An animation played once, forwards, without a sound; callers change what differs.
AnimationRequest Once(int id) {
    AnimationRequest request;
    request.id = id;
    return request;
}

AnimationRequest Backwards(int id) {
    AnimationRequest request = Once(id);
    request.reverse = true;
    return request;
}

struct KindFeedback {
    int overAnimation;
    DriveSound overSound;
};

KindFeedback FeedbackFor(FileKind kind) {
    switch (kind) {
        case FileKind::kDecryptable:
            return {resource::kAnimationArchiveOver, kSoundArchiveOver};
        case FileKind::kKey:
            return {resource::kAnimationKeyOver, kSoundKeyOver};
        default:
            return {resource::kAnimationOtherOver, kSoundOtherOver};
    }
}

}  // namespace

void MainWindow::Queue(AnimationRequest request) {
    const resource::AnimationFrames* const animation = FindAnimation(request.id);
    request.frameCount = animation ? animation->frameCount : 0;
    if (!queue_.Append(request))
        return;
    StartCurrent(false);
    if (!timerRunning_)
        timerRunning_ = SetTimer(Handle(), kAnimationTimer, kAnimationTickMs, nullptr) != 0;
}

void MainWindow::OnTimerTick() {
    if (queue_.IsEmpty()) {
        KillTimer(Handle(), kAnimationTimer);
        timerRunning_ = false;
        ShowSkin();
        return;
    }
    ShowFrame(queue_.FrameIndex());
    AnimationRequest finished;
    if (!queue_.Advance(finished))
        return;
    OnAnimationFinished(finished);
    if (queue_.IsEmpty()) {
        KillTimer(Handle(), kAnimationTimer);
        timerRunning_ = false;
        ShowSkin();
        return;
    }
    StartCurrent(true);
}

void MainWindow::ShowFrame(int frameIndex) {
    if (frameIndex < 0 || frameIndex >= frames_.Count() || !frames_[frameIndex] || frames_[frameIndex]->IsEmpty())
        return;
    const Image& frame = *frames_[frameIndex];
    if (queue_.Current().id != resource::kAnimationWorking) {
        SetSkinImage(frame, false);
        UpdateLayered(opacity_);
        return;
    }
    Image composed;
    if (composed.CopyFrom(frame) && LoadDial(DialPictureIndex(application_.Progress()))) {
        Gdiplus::Graphics graphics(composed.Bitmap());
        const int size = ScaleToDpi(resource::kDialSize, dpi_);
        dial_.Draw(&graphics,
                   Gdiplus::Rect(ScaleToDpi(resource::kDialX, dpi_), ScaleToDpi(resource::kDialY, dpi_), size, size));
        SetSkinImage(composed, false);
    } else {
        SetSkinImage(frame, false);
    }
    UpdateLayered(opacity_);
}

// The dial picture changes only when the progress moves to the next step: loaded (and at
// an odd scale resampled) then, not on every tick.
bool MainWindow::LoadDial(int index) {
    if (index == dialIndex_ && !dial_.IsEmpty())
        return true;
    dialIndex_ = -1;
    if (!LoadPictureAtDpi(dial_, resource::kDialFirst + index, dpi_, GetInstance()))
        return false;
    dial_.SetBackground(Image::kNoColor);
    dialIndex_ = index;
    return true;
}

void MainWindow::ShowSkin() {
    SetSkinImage(skin_, false);
    UpdateLayered(opacity_);
}

// What the window shows now, shown again: the skin when idle, else the playing frame.
void MainWindow::ShowCurrent() {
    if (queue_.IsEmpty())
        ShowSkin();
    else
        ShowFrame(queue_.FrameIndex());
}

void MainWindow::StartCurrent(bool fromTimer) {
    const AnimationRequest& current = queue_.Current();
    LoadFrames(current.id);
    PlaySound(current.sound);
    // Requests go out only from the timer: a record started by Queue is a drag's feedback.
    if (!fromTimer)
        return;
    if (current.id == resource::kAnimationWorking) {
        application_.SetCancelRequested(false);
        busy_ = true;
        application_.SetProgress(0);
        if (!PostRequest(WM_DECRYPT_REQUEST))
            QueueFinish();
    } else if (current.id == resource::kAnimationKeyImport) {
        (void)PostRequest(WM_IMPORT_KEY_REQUEST);
    }
}

void MainWindow::OnAnimationFinished(const AnimationRequest& finished) {
    UnloadFrames();
    if (finished.id == resource::kAnimationWorking) {
        busy_ = false;
        currentFile_.Empty();
    }
}

void MainWindow::LoadFrames(int id) {
    UnloadFrames();
    const resource::AnimationFrames* const animation = FindAnimation(id);
    if (!animation)
        return;
    HINSTANCE instance = GetInstance();
    for (int i = 0; i < animation->frameCount; i++) {
        Image* const frame = new Image();
        (void)LoadPictureAtDpi(*frame, animation->firstFrame + i, dpi_, instance);
        frames_.Append(frame);
    }
}

void MainWindow::UnloadFrames() {
    frames_.Free();
}

void MainWindow::PlaySound(DriveSound sound) {
    if (application_.SoundsOn() && sound >= 0 && sound < kDriveSoundCount)
        (void)sounds_[sound].Play();
}

// A request carries its own copy of the path. When it cannot be posted (no worker, the
// session ending), the hand-over ends here, as if the worker had reported its end.
bool MainWindow::PostRequest(UINT message) {
    HWND worker = sessionEnding_ ? nullptr : application_.WorkerHandle();
    String* const path = new String(currentFile_);
    if (worker && PostMessageA(worker, message, 0, reinterpret_cast<LPARAM>(path)))
        return true;
    delete path;
    handingOver_ = false;
    return false;
}

bool MainWindow::AcceptsDrags() const {
    // Without a worker a dropped file would animate and come to nothing (the user was told).
    return !busy_ && !handingOver_ && !application_.AnyModalOpen() && application_.WorkerHandle() != nullptr;
}

void MainWindow::OnDragEnter(const String& path) {
    const KindFeedback feedback = FeedbackFor(ClassifyFile(path));
    AnimationRequest over = Once(feedback.overAnimation);
    over.hold = true;
    over.sound = feedback.overSound;
    Queue(over);
}

void MainWindow::OnDragLeave(const String& path) {
    Queue(Backwards(FeedbackFor(ClassifyFile(path)).overAnimation));
}

bool MainWindow::OpenFile(const String& path) {
    BringForward();
    // A file too long for a drop, or one that came while a menu is open, is refused as well.
    if (path.IsEmpty() || path.Length() >= MAX_PATH || menuOpen_ || !AcceptsDrags())
        return false;
    OnDragEnter(path);
    OnDrop(path);
    return true;
}

void MainWindow::OnDrop(const String& path) {
    currentFile_ = path;
    currentKind_ = ClassifyFile(path);
    finishQueued_ = false;
    switch (currentKind_) {
        case FileKind::kDecryptable: {
            handingOver_ = true;
            Queue(Once(resource::kAnimationArchiveIn));
            AnimationRequest working = Once(resource::kAnimationWorking);
            working.loop = true;  // until the closing animations are queued behind it
            Queue(working);
            break;
        }
        case FileKind::kKey: {
            handingOver_ = true;
            AnimationRequest keyIn = Once(resource::kAnimationKeyIn);
            keyIn.sound = kSoundKeyDropped;
            Queue(keyIn);
            Queue(Once(resource::kAnimationKeyImport));
            break;
        }
        default:
            Queue(Backwards(resource::kAnimationOtherOver));
            break;
    }
}

// The closing animations of a decryption, once per request.
void MainWindow::QueueFinish() {
    if (finishQueued_ || currentKind_ != FileKind::kDecryptable)
        return;
    finishQueued_ = true;
    Queue(Backwards(resource::kAnimationArchiveIn));
    Queue(Backwards(resource::kAnimationArchiveOver));
}

void MainWindow::OnRequestEnded(UINT request) {
    // The driver ends every request with its last event; should it ever not, the closing
    // animations still play, or the working animation would loop (and stay busy) for ever.
    if (request == WM_DECRYPT_REQUEST)
        QueueFinish();
    handingOver_ = false;
}
