// ChunkInflater: a small ring of chunk slots shared by the thread that reads and writes a
// chunked zlib stream (the caller) and one helper thread; both inflate. The caller claims
// a free slot, reads a chunk record into it and queues it; either thread takes the oldest
// queued chunk and inflates it; the caller takes finished chunks back strictly in the order
// it queued them. Only slot buffers cross threads, never a Stream. If the helper cannot be
// started, the caller inflates every chunk itself and the results are the same.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/base/Threads.h"

struct ChunkSlot {
    std::unique_ptr<uint8_t[]> packed;
    std::unique_ptr<uint8_t[]> plain;
    uint32_t plainSize = 0;
    uint32_t packedSize = 0;
    // Set by the caller when the record could not be read (the chunk then fails unread);
    // set by the inflating thread when zlib did not give exactly plainSize bytes.
    bool failed = false;
};

class ChunkInflater {
public:
    // Slots of packedCapacity and plainCapacity bytes each.
    ChunkInflater(int packedCapacity, int plainCapacity);
    // Stops the helper (a chunk it is inflating is finished first) and waits for it.
    ~ChunkInflater();
    ChunkInflater(const ChunkInflater&) = delete;
    ChunkInflater& operator=(const ChunkInflater&) = delete;

    bool HasFreeSlot() const { return used_ < kSlots; }
    // The next free slot, for the caller to read a record into (only when HasFreeSlot).
    ChunkSlot& Claim();
    // Hands the claimed slot over for inflation; a failed slot counts as finished at once.
    void Queue();
    // Waits until the oldest queued chunk is finished, inflating queued ones meanwhile.
    const ChunkSlot& Oldest();
    // Gives the oldest slot back for reuse.
    void ReleaseOldest();

private:
    // A few chunks in flight keep both threads busy; memory stays fixed at that many slots.
    static constexpr int kSlots = 4;
    enum class State { kFree, kClaimed, kQueued, kInflating, kDone };

    static void HelperMain(void* self);
    void HelperLoop();
    // The queued slot with the lowest order, or -1. Call with the lock held.
    int OldestQueued() const;
    // Inflates slot index, releasing the lock meanwhile. Call with the lock held.
    void InflateLocked(int index);

    ChunkSlot slots_[kSlots];
    State states_[kSlots] = {};
    uint32_t order_[kSlots] = {};
    int head_ = 0;  // oldest slot in use; head_, used_ and nextOrder_ belong to the caller
    int used_ = 0;
    uint32_t nextOrder_ = 0;
    bool stopping_ = false;
    Lock lock_;
    Condition workQueued_;
    Condition workDone_;
    HelperThread helper_;
};
