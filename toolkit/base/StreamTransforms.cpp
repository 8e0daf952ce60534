// The engine's two block transforms on streams: key removal (ApplyKey) and the chunked
// zlib layer (InflateChunks, InflateFile). Both work through fixed buffers so that memory
// use does not depend on the size of the data, in large blocks so that the data moves at
// about the speed of a plain file copy.
//
// Chunk stream read by InflateChunks (integers unsigned 32-bit little-endian):
//   chunk count
//   per chunk:  plain size (<= 100000) | packed size (<= 110012) | packed size bytes of one zlib stream
// Every header field is checked before it is used: a chunk over the limits, a chunk that
// zlib rejects or that inflates to another length than declared, a source that ends early,
// or output past 2^31 - 1 bytes fails the whole decompression. The chunks are independent
// zlib streams, so two threads inflate them (ChunkInflater).
#include <emmintrin.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "toolkit/base/ByteOrder.h"
#include "toolkit/base/ChunkInflater.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/Progress.h"
#include "toolkit/base/Stream.h"

namespace {

// Keys up to this size are held in memory; longer keys are read from their stream in
// step with the data, so memory use stays bounded whatever the key file's size.
constexpr int kKeyBufferLimit = 65536;
constexpr int kEmptyKeyLength = 100;
constexpr int64_t kMaxInflatedTotal = 0x7FFFFFFF;
// The smallest chunk: two size fields and a zlib stream of its 2-byte header, at least
// 2 bytes of deflate data (an empty fixed block) and its 4-byte checksum.
constexpr uint32_t kMinChunkBytes = 8 + 8;

// One chunk record's sizes and packed data, within the limits of the slot buffers.
bool ReadChunkRecord(Stream& source, ChunkSlot& slot) {
    if (!ReadU32(source, slot.plainSize) || !ReadU32(source, slot.packedSize))
        return false;
    if (slot.plainSize > static_cast<uint32_t>(Stream::kMaxPlainChunk) ||
        slot.packedSize > static_cast<uint32_t>(Stream::kMaxPackedChunk))
        return false;
    const int packedSize = static_cast<int>(slot.packedSize);
    return source.Read(slot.packed.get(), packedSize) == packedSize;
}

__attribute__((target("sse2"))) void SubtractWide(uint8_t* bytes, const uint8_t* key, int count) {
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i data = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i keyBytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(key + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + i), _mm_sub_epi8(data, keyBytes));
    }
    for (; i < count; i++)
        bytes[i] = static_cast<uint8_t>(bytes[i] - key[i]);
}

// bytes[i] -= key[i], modulo 256: sixteen bytes at a time where the processor can.
void Subtract(uint8_t* bytes, const uint8_t* key, int count) {
    static const bool wide = __builtin_cpu_supports("sse2");
    if (wide) {
        SubtractWide(bytes, key, count);
        return;
    }
    for (int i = 0; i < count; i++)
        bytes[i] = static_cast<uint8_t>(bytes[i] - key[i]);
}

// The key, either held in memory or read in step with the data from its stream. A held key
// is laid out end to end over one block's length past its own, so that the key bytes of
// any block, from any key index, are one contiguous run.
class KeySource {
public:
    bool Start(Stream* key) {
        const int size = key->GetSize();
        if (size <= 0) {
            length_ = kEmptyKeyLength;
            held_.reset(new uint8_t[length_ + Stream::kCopyBlock]());
            return true;
        }
        key_ = key;
        length_ = size;
        if (key->Seek(0) != 0)
            return false;
        if (size > kKeyBufferLimit) {
            streamed_.reset(new uint8_t[Stream::kCopyBlock]);
            return true;
        }
        held_.reset(new uint8_t[size + Stream::kCopyBlock]);
        if (key->Read(held_.get(), size) != size)
            return false;
        for (int filled = size; filled < size + Stream::kCopyBlock;) {
            const int copy = std::min(filled, size + Stream::kCopyBlock - filled);
            memcpy(held_.get() + filled, held_.get(), copy);
            filled += copy;
        }
        return true;
    }

    // Subtracts the next count (at most kCopyBlock) key bytes from bytes, modulo 256.
    bool Remove(uint8_t* bytes, int count) {
        if (held_) {
            Subtract(bytes, held_.get() + index_, count);
            index_ = static_cast<int>((static_cast<int64_t>(index_) + count) % length_);
            return true;
        }
        int done = 0;
        while (done < count) {
            const int want = std::min(count - done, length_ - index_);
            if (key_->Read(streamed_.get(), want) != want)
                return false;
            Subtract(bytes + done, streamed_.get(), want);
            done += want;
            index_ += want;
            if (index_ == length_) {
                index_ = 0;
                if (key_->Seek(0) != 0)
                    return false;
            }
        }
        return true;
    }

private:
    Stream* key_ = nullptr;
    std::unique_ptr<uint8_t[]> held_;
    std::unique_ptr<uint8_t[]> streamed_;
    int length_ = 0;
    int index_ = 0;
};

}  // namespace

bool Stream::ApplyKey(Stream* key, int length, Stream* destination, void* context) {
    if (!IsOpen() || !key || !key->IsOpen() || key == this || destination == this)
        return false;
    KeySource keySource;
    if (!keySource.Start(key))
        return false;
    const int start = Tell();
    const int size = GetSize();
    int end = size;
    if (length >= 0 && static_cast<int64_t>(start) + length < size)
        end = start + length;
    const int64_t total = end - start;
    if (total <= 0)
        return true;
    std::unique_ptr<uint8_t[]> block(new uint8_t[std::min<int64_t>(total, kCopyBlock)]);
    for (int p = start; p < end;) {
        const int want = std::min(end - p, kCopyBlock);
        const int got = std::max(0, Read(block.get(), want));
        // The block is reported in progress steps, as if it had been read a step at a time:
        // every step is announced before it counts as done, a stop leaves the steps before it
        // done, and a short read fails within the step it happened in.
        const int announced = got == want ? want : got + 1;
        int done = 0;
        bool stopped = false;
        for (int step = 0; step < announced && !stopped; step += kProgressStep) {
            stopped = keyStageHook && !keyStageHook(ScaleProgress(int64_t{p} + step - start, total, 1000), context);
            const int stepEnd = std::min(step + kProgressStep, want);
            if (!stopped && stepEnd <= got)
                done = stepEnd;
        }
        if (done > 0) {
            if (!keySource.Remove(block.get(), done))
                return false;
            if (destination) {
                if (destination->Write(block.get(), done) != done)
                    return false;
            } else if (Seek(p) != p || Write(block.get(), done) != done) {
                return false;
            }
        }
        if (stopped || done != want)
            return false;
        p += want;
    }
    return true;
}

bool Stream::InflateChunks(Stream* destination, void* context) {
    if (!destination || destination == this || GetSize() <= 0)
        return false;
    if (Seek(0) != 0)
        return false;
    uint32_t count = 0;
    if (!ReadU32(*this, count))
        return false;
    // A count that the remaining data cannot hold (as a wrong key produces) fails at once.
    if (count > static_cast<uint32_t>(Remaining()) / kMinChunkBytes)
        return false;
    // Records are read ahead and inflated on two threads, but every event, write, stop and
    // failure happens here, chunk by chunk in order, as in a run on one thread: a chunk's
    // report comes before its output, and a bad chunk fails only when its turn comes.
    ChunkInflater inflater(kMaxPackedChunk, kMaxPlainChunk);
    uint32_t read = 0;
    bool readFailed = false;
    int64_t inflatedTotal = 0;
    for (uint32_t i = 0; i < count; i++) {
        for (; read < count && !readFailed && inflater.HasFreeSlot(); read++) {
            ChunkSlot& slot = inflater.Claim();
            readFailed = !ReadChunkRecord(*this, slot);
            slot.failed = readFailed;
            inflater.Queue();
        }
        if (decompressionHook && !decompressionHook(ScaleProgress(i, count, 1000), context))
            return false;
        const ChunkSlot& chunk = inflater.Oldest();
        if (chunk.failed)
            return false;
        inflatedTotal += chunk.plainSize;
        if (inflatedTotal > kMaxInflatedTotal)
            return false;
        const int plainSize = static_cast<int>(chunk.plainSize);
        if (destination->Write(chunk.plain.get(), plainSize) != plainSize)
            return false;
        inflater.ReleaseOldest();
    }
    return true;
}

bool Stream::InflateFile(const String& packedPath, const String& plainPath, StreamHook hook, void* context) {
    FileStream packed;
    if (!packed.Open(packedPath, false, false, true))
        return false;
    FileStream plain;
    if (!plain.Open(plainPath, true, true, false))
        return false;
    packed.decompressionHook = hook;
    const bool inflated = packed.InflateChunks(&plain, context);
    packed.Close();
    if (!inflated) {
        plain.CloseAndDelete();
        return false;
    }
    plain.Close();
    return true;
}
