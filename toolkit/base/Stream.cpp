// Stream base: the CRC-32 step and the block operations that need only the virtual slots
// (byte reads, fills and copies between streams).
#include "toolkit/base/Stream.h"

#include <zlib.h>

#include <cstring>

namespace {

constexpr int kFillBlock = 100;
constexpr int kStackBlock = 64 * 1024;

}  // namespace

uint32_t Stream::UpdateCrc32(uint32_t crc, const uint8_t* bytes, int count) {
    // zlib's CRC-32 is the same function, computed several bytes at a time instead of one
    // table look-up per byte; it takes and gives the complemented value.
    if (count <= 0)
        return crc;
    return ~static_cast<uint32_t>(crc32(~crc, bytes, static_cast<uInt>(count)));
}

int Stream::ReadByte() {
    uint8_t byte = 0;
    return Read(&byte, 1) == 1 ? byte : -1;
}

int Stream::Fill(uint8_t byte, int count) {
    uint8_t block[kFillBlock];
    memset(block, byte, sizeof block);
    int written = 0;
    while (written < count) {
        const int want = count - written < kFillBlock ? count - written : kFillBlock;
        const int done = Write(block, want);
        if (done > 0)
            written += done;
        if (done < want)
            break;
    }
    return written;
}

int Stream::ReadCrc32(int count, uint32_t& crc) {
    uint8_t block[kStackBlock];
    uint32_t running = 0xFFFFFFFFu;
    int done = 0;
    while (done < count) {
        const int want = count - done < kStackBlock ? count - done : kStackBlock;
        const int got = Read(block, want);
        if (got <= 0)
            break;
        running = UpdateCrc32(running, block, got);
        done += got;
    }
    crc = ~running;
    return done;
}

int Stream::CopyFrom(Stream* source, int count) {
    if (!source || source == this)
        return 0;
    const int available = source->GetSize() - source->Tell();
    if (available <= 0)
        return 0;
    if (count < 0 || count > available)
        count = available;
    // On the stack: callers copy block after block, and a fresh heap block each time would
    // cost its page faults again and again. Aligned to a cache line, so that the system's
    // copies between it and a file block at the same offset in a line run at full speed.
    alignas(64) uint8_t block[kStackBlock];
    int total = 0;
    while (total < count) {
        const int want = count - total < kStackBlock ? count - total : kStackBlock;
        int written = 0;
        if (source->direct_) {
            const int at = source->Tell();
            written = Write(source->DirectBytes() + at, want);
            if (written > 0)
                source->Seek(at + written);
        } else {
            const int got = source->Read(block, want);
            if (got <= 0)
                break;
            written = Write(block, got);
        }
        if (written > 0)
            total += written;
        if (written < want)
            break;
    }
    return total;
}
