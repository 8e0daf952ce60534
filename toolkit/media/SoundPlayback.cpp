// Sound playback: Play and Stop, the cursor and frequency, and the 5 ms window-less timer
// that enforces the end position and reports the end. A window-less timer belongs to the
// thread that set it (only that thread's message loop delivers it and only that thread can
// kill it), so each entry of the process-wide playing list remembers its thread. The list is
// shared by sounds on both threads of the program and guarded by one lock, which is never held
// while OnPlaying or OnStopped run (they may play or stop sounds themselves).
#include "toolkit/media/Sound.h"

#include "toolkit/media/DirectSoundApi.h"

#include <mutex>
#include <vector>

namespace {

struct PlayingEntry {
    Sound* sound;
    UINT_PTR timer;
    DWORD thread;
};

std::mutex& PlayingLock() {
    static std::mutex lock;
    return lock;
}

std::vector<PlayingEntry>& PlayingList() {
    static std::vector<PlayingEntry> list;
    return list;
}

}  // namespace

int Sound::PlayingCount() {
    std::lock_guard<std::mutex> guard(PlayingLock());
    return static_cast<int>(PlayingList().size());
}

bool Sound::StartBuffer() {
    const DWORD flags = loop_ ? DSBPLAY_LOOPING : 0;
    HRESULT hr = buffer_->Play(0, 0, flags);
    if (hr == DSERR_BUFFERLOST) {
        // The device took the memory away (another program got exclusive use): restore the
        // buffer, refill it and try once more.
        if (FAILED(buffer_->Restore()) || !FillBuffer()) {
            return false;
        }
        buffer_->SetCurrentPosition(startFrame_ * BlockAlign());
        hr = buffer_->Play(0, 0, flags);
    }
    return SUCCEEDED(hr);
}

bool Sound::Play(uint32_t startFrame, uint32_t endFrame) {
    if (!buffer_) {
        return false;
    }
    Stop();
    const uint32_t frames = FrameCount();
    if (startFrame >= frames) {
        return false;
    }
    startFrame_ = startFrame;
    endFrame_ = (endFrame > startFrame && endFrame < frames) ? endFrame : frames;
    if (FAILED(buffer_->SetCurrentPosition(startFrame * BlockAlign())) || !StartBuffer()) {
        return false;
    }
    ++playGeneration_;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTimerMs, TimerTick);
    if (timer) {
        std::lock_guard<std::mutex> guard(PlayingLock());
        PlayingList().push_back({this, timer, GetCurrentThreadId()});
    }
    return true;
}

void Sound::EndTimer() {
    std::vector<UINT_PTR> timers;
    {
        std::lock_guard<std::mutex> guard(PlayingLock());
        std::vector<PlayingEntry>& list = PlayingList();
        for (size_t i = 0; i < list.size();) {
            if (list[i].sound == this) {
                timers.push_back(list[i].timer);
                list.erase(list.begin() + static_cast<long>(i));
            } else {
                ++i;
            }
        }
        if (list.empty()) {
            list.shrink_to_fit();
        }
    }
    // Fails for a timer of another thread; its next tick finds no entry and kills it there.
    for (UINT_PTR timer : timers) {
        KillTimer(nullptr, timer);
    }
}

void Sound::Stop() {
    if (buffer_) {
        buffer_->Stop();
        buffer_->SetCurrentPosition(0);
    }
    EndTimer();
}

bool Sound::IsPlaying() const {
    DWORD status = 0;
    return buffer_ && SUCCEEDED(buffer_->GetStatus(&status)) && (status & DSBSTATUS_PLAYING);
}

uint32_t Sound::GetPosition() const {
    DWORD play = 0;
    const uint16_t align = BlockAlign();
    if (!buffer_ || !align || FAILED(buffer_->GetCurrentPosition(&play, nullptr))) {
        return 0;
    }
    return play / align;
}

void Sound::SetPosition(uint32_t frame) {
    if (buffer_) {
        buffer_->SetCurrentPosition(frame * BlockAlign());
    }
}

uint32_t Sound::GetFrequency() const {
    DWORD frequency = 0;
    if (!buffer_ || FAILED(buffer_->GetFrequency(&frequency))) {
        return 0;
    }
    return frequency;
}

bool Sound::SetFrequency(uint32_t samplesPerSecond) {
    return buffer_ && SUCCEEDED(buffer_->SetFrequency(samplesPerSecond));
}

void CALLBACK Sound::TimerTick(HWND, UINT, UINT_PTR timerId, DWORD) {
    Sound* sound = nullptr;
    {
        std::lock_guard<std::mutex> guard(PlayingLock());
        const DWORD thread = GetCurrentThreadId();
        for (const PlayingEntry& entry : PlayingList()) {
            if (entry.timer == timerId && entry.thread == thread) {
                sound = entry.sound;
                break;
            }
        }
    }
    if (!sound) {
        KillTimer(nullptr, timerId);  // a timer whose sound stopped from elsewhere
        return;
    }
    sound->OnTick();
}

void Sound::OnTick() {
    const uint32_t generation = playGeneration_;
    const bool playing = IsPlaying();
    const bool endReached = endFrame_ < FrameCount() && playing && GetPosition() >= endFrame_;
    if (endReached && loop_) {
        SetPosition(startFrame_);
        return;
    }
    if (playing && !endReached) {
        if (!loop_) {
            OnPlaying();
        }
        return;
    }
    // Ended by itself: report it once and end the timer, unless OnStopped played again.
    OnStopped();
    if (generation == playGeneration_) {
        Stop();
    }
}
