// The engine's two block transforms on streams: key removal (ApplyKey) and the chunked
// zlib layer (InflateChunks, InflateFile). Both work through fixed buffers so that memory
// use does not depend on the size of the data.
//
// Chunk stream read by InflateChunks (integers unsigned 32-bit little-endian):
//   chunk count
//   per chunk:  plain size (<= 100000) | packed size (<= 110012) | packed size bytes of one zlib stream
// Every header field is checked before it is used: a chunk over the limits, a chunk that
// zlib rejects or that inflates to another length than declared, a source that ends early,
// or output past 2^31 - 1 bytes fails the whole decompression.
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "toolkit/base/ByteOrder.h"
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

// The key, either held whole in memory or read in step with the data from its stream.
class KeySource {
public:
    bool Start(Stream* key) {
        const int size = key->GetSize();
        if (size <= 0) {
            length_ = kEmptyKeyLength;
            held_.reset(new uint8_t[length_]());
            return true;
        }
        key_ = key;
        length_ = size;
        if (key->Seek(0) != 0)
            return false;
        if (size > kKeyBufferLimit)
            return true;
        held_.reset(new uint8_t[size]);
        return key->Read(held_.get(), size) == size;
    }

    // Subtracts the next count key bytes from bytes, modulo 256.
    bool Remove(uint8_t* bytes, int count) {
        if (held_) {
            for (int i = 0; i < count; i++) {
                bytes[i] = static_cast<uint8_t>(bytes[i] - held_[index_]);
                if (++index_ == length_)
                    index_ = 0;
            }
            return true;
        }
        uint8_t keyBlock[Stream::kBlockSize];
        int done = 0;
        while (done < count) {
            int want = count - done;
            if (want > length_ - index_)
                want = length_ - index_;
            if (key_->Read(keyBlock, want) != want)
                return false;
            for (int i = 0; i < want; i++)
                bytes[done + i] = static_cast<uint8_t>(bytes[done + i] - keyBlock[i]);
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
    uint8_t block[kBlockSize];
    for (int p = start; p < end; p += kBlockSize) {
        if (keyStageHook && !keyStageHook(ScaleProgress(p - start, total, 1000), context))
            return false;
        const int want = end - p < kBlockSize ? end - p : kBlockSize;
        const int got = Read(block, want);
        if (got != want)
            return false;
        if (!keySource.Remove(block, got))
            return false;
        if (destination) {
            if (destination->Write(block, got) != got)
                return false;
            continue;
        }
        if (Seek(p) != p || Write(block, got) != got)
            return false;
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
    std::unique_ptr<uint8_t[]> plain(new uint8_t[kMaxPlainChunk]);
    std::unique_ptr<uint8_t[]> packed(new uint8_t[kMaxPackedChunk]);
    int64_t inflatedTotal = 0;
    for (uint32_t i = 0; i < count; i++) {
        if (decompressionHook && !decompressionHook(ScaleProgress(i, count, 1000), context))
            return false;
        uint32_t plainSize = 0, packedSize = 0;
        if (!ReadU32(*this, plainSize) || !ReadU32(*this, packedSize))
            return false;
        if (plainSize > static_cast<uint32_t>(kMaxPlainChunk) || packedSize > static_cast<uint32_t>(kMaxPackedChunk))
            return false;
        if (Read(packed.get(), static_cast<int>(packedSize)) != static_cast<int>(packedSize))
            return false;
        uLongf inflated = plainSize;
        if (uncompress(plain.get(), &inflated, packed.get(), packedSize) != Z_OK || inflated != plainSize)
            return false;
        inflatedTotal += plainSize;
        if (inflatedTotal > kMaxInflatedTotal)
            return false;
        if (destination->Write(plain.get(), static_cast<int>(plainSize)) != static_cast<int>(plainSize))
            return false;
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
