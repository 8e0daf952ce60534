// AnimationQueue: see AnimationQueue.h.
#include "app/AnimationQueue.h"

bool AnimationQueue::Append(const AnimationRequest& request) {
    records_.Append(request);
    if (records_.Count() != 1)
        return false;
    StartCurrent();
    return true;
}

bool AnimationQueue::Advance(AnimationRequest& finished) {
    if (IsEmpty())
        return false;
    const AnimationRequest& current = records_[0];
    const int last = current.frameCount - 1;
    const bool alone = records_.Count() == 1;
    if (!current.reverse) {
        if (++frameIndex_ <= last)
            return false;
    } else {
        if (--frameIndex_ >= 0)
            return false;
    }
    // The pass has ended. Loop and hold only matter while nothing waits behind this record.
    if (alone && current.loop) {
        frameIndex_ = current.reverse ? last : 0;
        return false;
    }
    if (alone && current.hold) {
        frameIndex_ = current.reverse ? 0 : last;
        return false;
    }
    finished = current;
    records_.RemoveAt(0);
    if (!IsEmpty())
        StartCurrent();
    return true;
}

void AnimationQueue::Clear() {
    records_.Free();
    frameIndex_ = 0;
}

void AnimationQueue::StartCurrent() {
    const AnimationRequest& current = records_[0];
    frameIndex_ = current.reverse ? current.frameCount - 1 : 0;
    if (frameIndex_ < 0)
        frameIndex_ = 0;
}
