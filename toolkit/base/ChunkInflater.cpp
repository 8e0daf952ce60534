// ChunkInflater: the slot ring, the helper thread and the hand-over between the two; see
// ChunkInflater.h. Every state change happens under the one lock; inflation runs outside it.
#include "toolkit/base/ChunkInflater.h"

#include <process.h>
#include <zlib.h>

namespace {

// A scoped hold of an SRW lock in exclusive mode.
class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

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
    // _beginthreadex rather than CreateThread: the helper calls into the C runtime (zlib's
    // allocations). Without it the caller simply inflates alone.
    helper_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ChunkInflater::HelperMain, this, 0, nullptr));
}

ChunkInflater::~ChunkInflater() {
    if (!helper_)
        return;
    {
        ExclusiveLock hold(lock_);
        stopping_ = true;
    }
    WakeAllConditionVariable(&workQueued_);
    WaitForSingleObject(helper_, INFINITE);
    CloseHandle(helper_);
}

ChunkSlot& ChunkInflater::Claim() {
    const int index = (head_ + used_) % kSlots;
    ++used_;
    ExclusiveLock hold(lock_);
    states_[index] = State::kClaimed;
    order_[index] = nextOrder_++;
    slots_[index].failed = false;
    return slots_[index];
}

void ChunkInflater::Queue() {
    const int index = (head_ + used_ - 1) % kSlots;
    {
        ExclusiveLock hold(lock_);
        states_[index] = slots_[index].failed ? State::kDone : State::kQueued;
    }
    WakeConditionVariable(&workQueued_);
}

const ChunkSlot& ChunkInflater::Oldest() {
    ExclusiveLock hold(lock_);
    while (states_[head_] != State::kDone) {
        const int queued = OldestQueued();
        if (queued >= 0)
            InflateLocked(queued);
        else
            SleepConditionVariableSRW(&workDone_, &lock_, INFINITE, 0);
    }
    return slots_[head_];
}

void ChunkInflater::ReleaseOldest() {
    {
        ExclusiveLock hold(lock_);
        states_[head_] = State::kFree;
    }
    head_ = (head_ + 1) % kSlots;
    --used_;
}

unsigned __stdcall ChunkInflater::HelperMain(void* self) {
    static_cast<ChunkInflater*>(self)->HelperLoop();
    return 0;
}

void ChunkInflater::HelperLoop() {
    ExclusiveLock hold(lock_);
    while (!stopping_) {
        const int queued = OldestQueued();
        if (queued >= 0)
            InflateLocked(queued);
        else
            SleepConditionVariableSRW(&workQueued_, &lock_, INFINITE, 0);
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
    ReleaseSRWLockExclusive(&lock_);
    Inflate(slots_[index]);
    AcquireSRWLockExclusive(&lock_);
    states_[index] = State::kDone;
    WakeAllConditionVariable(&workDone_);
}
