// AnimationQueue: the main window's list of animations to play, first entry playing. Only the
// rules live here (which frame comes next, when a record ends, what starts after it); the
// window loads the frames, draws them and runs the 10 ms timer. A record is never cut short:
// hold and loop keep it alive only while nothing waits behind it, and a waiting record begins
// once the current pass has reached its end. Used by the user-interface thread alone.
#pragma once

#include <cstdint>

#include "toolkit/base/Array.h"

// The drive's sounds, in the order of their resources from resource::kSoundFirst on.
enum DriveSound : int32_t {
    kNoSound = -1,
    kSoundArchiveOver,
    kSoundKeyOver,
    kSoundKeyDropped,
    kSoundOtherOver,
    kDriveSoundCount,
};

struct AnimationRequest {
    int32_t id = 0;
    int32_t frameCount = 0;
    bool hold = false;            // at the pass's end with nothing queued: stay on the end frame
    bool reverse = false;         // play from the last frame down to the first
    bool loop = false;            // at the pass's end with nothing queued: play again
    DriveSound sound = kNoSound;  // started with the record's first frame
};

class AnimationQueue {
public:
    bool IsEmpty() const { return records_.Count() == 0; }
    int Count() const { return records_.Count(); }
    // The playing record; only while not empty.
    const AnimationRequest& Current() const { return records_[0]; }
    // Index of the frame of the playing record to show at the next tick.
    int FrameIndex() const { return frameIndex_; }

    // Appends; true when the queue was empty, so the record starts playing now.
    bool Append(const AnimationRequest& request);

    // Steps past the frame just shown. True when the playing record finished: it is copied to
    // `finished` and removed, and the next record (if any) is now current at its first frame.
    bool Advance(AnimationRequest& finished);

    void Clear();

private:
    void StartCurrent();

    Array<AnimationRequest> records_;
    int frameIndex_ = 0;
};
