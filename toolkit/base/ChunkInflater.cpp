// ChunkInflater: the slot ring, the helper thread and the hand-over between the two; see
// ChunkInflater.h. Every state change happens under the one lock; inflation runs outside it.
#include "toolkit/base/ChunkInflater.h"

#include <zlib.h>

namespace {

void Inflate(ChunkSlot& slot) {
    uLongf inflated = slot.plainSize;
    slot.failed = uncompress(slot.plain.get(), &inflated, slot.packed.get(), slot.packedSize) != Z_OK ||
                  inflated != slot.plainSize;
}

}  // namespace

ChunkInflater::ChunkInflater(int packedCapacity, int plainCapacity) {
    for (ChunkSlot& slot : slots_) {
        slot.packed.reset(new uint8_t[packedCapacity]);
        slot.plain.reset(new uint8_t[plainCapacity]);
    }
    // Without the helper the caller simply inflates alone.
    helper_.Start(&ChunkInflater::HelperMain, this);
}

ChunkInflater::~ChunkInflater() {
    if (!helper_.IsRunning())
        return;
    {
        ScopedLock hold(lock_);
        stopping_ = true;
    }
    workQueued_.WakeAll();
    helper_.Join();
}

ChunkSlot& ChunkInflater::Claim() {
    const int index = (head_ + used_) % kSlots;
    ++used_;
    ScopedLock hold(lock_);
    states_[index] = State::kClaimed;
    order_[index] = nextOrder_++;
    slots_[index].failed = false;
    return slots_[index];
}

void ChunkInflater::Queue() {
    const int index = (head_ + used_ - 1) % kSlots;
    {
        ScopedLock hold(lock_);
        states_[index] = slots_[index].failed ? State::kDone : State::kQueued;
    }
    workQueued_.WakeOne();
}

const ChunkSlot& ChunkInflater::Oldest() {
    ScopedLock hold(lock_);
    while (states_[head_] != State::kDone) {
        const int queued = OldestQueued();
        if (queued >= 0)
            InflateLocked(queued);
        else
            workDone_.Wait(lock_);
    }
    return slots_[head_];
}

void ChunkInflater::ReleaseOldest() {
    {
        ScopedLock hold(lock_);
        states_[head_] = State::kFree;
    }
    head_ = (head_ + 1) % kSlots;
    --used_;
}

void ChunkInflater::HelperMain(void* self) {
    static_cast<ChunkInflater*>(self)->HelperLoop();
}

void ChunkInflater::HelperLoop() {
    ScopedLock hold(lock_);
    while (!stopping_) {
        const int queued = OldestQueued();
        if (queued >= 0)
            InflateLocked(queued);
        else
            workQueued_.Wait(lock_);
    }
}

int ChunkInflater::OldestQueued() const {
    int oldest = -1;
    for (int i = 0; i < kSlots; i++) {
        if (states_[i] == State::kQueued && (oldest < 0 || order_[i] < order_[oldest]))
            oldest = i;
    }
    return oldest;
}

void ChunkInflater::InflateLocked(int index) {
    states_[index] = State::kInflating;
    lock_.Release();
    Inflate(slots_[index]);
    lock_.Acquire();
    states_[index] = State::kDone;
    workDone_.WakeAll();
}
