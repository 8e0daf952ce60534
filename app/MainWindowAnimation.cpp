// MainWindow: the animation queue's timer, the frames and the dial, the drag feedback and the
// hand-over of a dropped file to the worker.
#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ProgressDial.h"
#include "app/ShellMessages.h"
#include "resources/ResourceIds.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/window/Toolkit.h"

namespace {

// Sound indices of the queued records.
constexpr int kSoundArchiveOver = 0;
constexpr int kSoundKeyOver = 1;
constexpr int kSoundKeyDropped = 2;
constexpr int kSoundOtherOver = 3;

const resource::AnimationFrames* FindAnimation(int id) {
    for (const resource::AnimationFrames& animation : resource::kAnimations) {
        if (animation.id == id)
            return &animation;
    }
    return nullptr;
}

struct KindFeedback {
    int overAnimation;
    int overSound;
};

KindFeedback FeedbackFor(FileKind kind) {
    switch (kind) {
        case FileKind::kArchive:
            return {resource::kAnimationArchiveOver, kSoundArchiveOver};
        case FileKind::kKey:
            return {resource::kAnimationKeyOver, kSoundKeyOver};
        default:
            return {resource::kAnimationOtherOver, kSoundOtherOver};
    }
}

}  // namespace

void MainWindow::Queue(int id, bool hold, bool reverse, bool loop, int sound) {
    AnimationRequest request;
    request.id = id;
    const resource::AnimationFrames* const animation = FindAnimation(id);
    request.frameCount = animation ? animation->frameCount : 0;
    request.hold = hold;
    request.reverse = reverse;
    request.loop = loop;
    request.sound = sound;
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
    Image dial;
    const int dialId = resource::kDialFirst + DialPictureIndex(application_.Progress());
    if (composed.CopyFrom(frame) && dial.LoadFromResource(resource::kBinaryType, dialId, GetInstance())) {
        dial.SetBackground(Image::kNoColor);
        Gdiplus::Graphics graphics(composed.Bitmap());
        dial.Draw(&graphics,
                  Gdiplus::Rect(resource::kDialX, resource::kDialY, resource::kDialSize, resource::kDialSize));
        SetSkinImage(composed, false);
    } else {
        SetSkinImage(frame, false);
    }
    UpdateLayered(opacity_);
}

void MainWindow::ShowSkin() {
    SetSkinImage(skin_, false);
    UpdateLayered(opacity_);
}

void MainWindow::StartCurrent(bool fromTimer) {
    const AnimationRequest& current = queue_.Current();
    LoadFrames(current.id);
    if (current.sound >= 0)
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
        (void)frame->LoadFromResource(resource::kBinaryType, animation->firstFrame + i, instance);
        frames_.Append(frame);
    }
    framesId_ = id;
}

void MainWindow::UnloadFrames() {
    for (int i = 0; i < frames_.Count(); i++)
        delete frames_[i];
    frames_.Free();
    framesId_ = 0;
}

void MainWindow::PlaySound(int index) {
    if (soundsOn_ && index >= 0 && index < 4)
        (void)sounds_[index].Play();
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
    Queue(feedback.overAnimation, true, false, false, feedback.overSound);
}

void MainWindow::OnDragLeave(const String& path) {
    Queue(FeedbackFor(ClassifyFile(path)).overAnimation, false, true, false, -1);
}

void MainWindow::OnDrop(const String& path) {
    currentFile_ = path;
    currentKind_ = ClassifyFile(path);
    finishQueued_ = false;
    switch (currentKind_) {
        case FileKind::kArchive:
            handingOver_ = true;
            Queue(resource::kAnimationArchiveIn, false, false, false, -1);
            Queue(resource::kAnimationWorking, false, false, true, -1);
            break;
        case FileKind::kKey:
            handingOver_ = true;
            Queue(resource::kAnimationKeyIn, false, false, false, kSoundKeyDropped);
            Queue(resource::kAnimationKeyImport, false, false, false, -1);
            break;
        default:
            Queue(resource::kAnimationOtherOver, false, true, false, -1);
            break;
    }
}

// The closing animations of a decryption, once per request.
void MainWindow::QueueFinish() {
    if (finishQueued_ || currentKind_ != FileKind::kArchive)
        return;
    finishQueued_ = true;
    Queue(resource::kAnimationArchiveIn, false, true, false, -1);
    Queue(resource::kAnimationArchiveOver, false, true, false, -1);
}

void MainWindow::OnRequestEnded(UINT request) {
    // The driver ends every request with its last event; should it ever not, the closing
    // animations still play, or the working animation would loop (and stay busy) for ever.
    if (request == WM_DECRYPT_REQUEST)
        QueueFinish();
    handingOver_ = false;
}
