// BitmapCarrier: row-by-row decoding of the low bits of a 24-bit bitmap's pixels. The file is
// read and the payload written in large blocks, whole multiples of the runtime's file buffer
// so that no byte is copied through that buffer; rows are walked in pieces of at most
// kPiecePixels so that a lying width never makes a huge buffer.
#include "engine/BitmapCarrier.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "engine/CarrierDecode.h"
#include "engine/RequestEvents.h"
#include "toolkit/base/ByteOrder.h"
#include "toolkit/base/FileStream.h"

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kPixelsOffset = kFileHeaderBytes + kInfoHeaderBytes;
constexpr int kPiecePixels = 4096;
constexpr uint32_t kCarrierResolution = 2835;

bool HasCarrierHeader(const uint8_t* info) {
    return LoadU16(info + 12) == 1 && LoadU16(info + 14) == 24 && LoadU32(info + 16) == 0 && LoadU32(info + 20) == 0 &&
           LoadU32(info + 24) == kCarrierResolution && LoadU32(info + 28) == kCarrierResolution &&
           LoadU32(info + 32) == 0 && LoadU32(info + 36) == 0;
}

uint8_t ByteValue(const uint8_t* bgr) {
    return static_cast<uint8_t>((bgr[0] & 3) | (bgr[1] & 7) << 2 | (bgr[2] & 7) << 5);
}

// The carried-byte walk: the first four values form L, the next L are the payload.
class PayloadWalk {
public:
    bool Done() const { return lengthBytesSeen_ == 4 && produced_ >= length_; }
    // Payload values still to come once the length is known; 0 while it is being read.
    uint32_t Room() const { return lengthBytesSeen_ == 4 ? length_ - produced_ : 0; }
    // Counts values that the caller emitted itself, at most Room().
    void Emitted(uint32_t count) { produced_ += count; }
    void Take(uint8_t value, uint8_t* out, int& emitted) {
        if (lengthBytesSeen_ < 4) {
            length_ |= static_cast<uint32_t>(value) << (8 * lengthBytesSeen_++);
            return;
        }
        if (produced_ < length_) {
            out[emitted++] = value;
            ++produced_;
        }
    }

private:
    int lengthBytesSeen_ = 0;
    uint32_t length_ = 0;
    uint32_t produced_ = 0;
};

constexpr int kPage = 4096;

// The start of a page inside block, which has kPage bytes more than its use needs.
uint8_t* PageStart(uint8_t* block) {
    return block + (kPage - reinterpret_cast<uintptr_t>(block) % kPage) % kPage;
}

// Hands out the file's bytes from one large block, read straight from the file, so that
// pixels are decoded where they landed instead of being copied piece by piece first. Each
// read lands at the same offset within a page as it has in the file: the system's copy from
// its file cache is fastest between equal offsets, on some processors markedly so.
class ByteCursor {
public:
    ByteCursor(FileStream& file, int fileOffset)
        : file_(file),
          memory_(new uint8_t[kCapacity + kPage]),
          block_(PageStart(memory_.get())),
          fileOffset_(fileOffset) {}

    // Up to wanted (at most kMaxWanted) bytes; fewer only at the end of the file.
    const uint8_t* Take(int wanted, int& got) {
        if (held_ - at_ < wanted) {
            const int left = held_ - at_;
            const int readAt = left + ((fileOffset_ - left) % kPage + kPage) % kPage;
            memmove(block_ + readAt - left, block_ + at_, left);
            at_ = readAt - left;
            const int read = std::max(0, file_.Read(block_ + readAt, kReadBlock));
            held_ = readAt + read;
            fileOffset_ = (fileOffset_ + read) % kPage;
        }
        got = std::min(wanted, held_ - at_);
        const uint8_t* bytes = block_ + at_;
        at_ += got;
        return bytes;
    }

    static constexpr int kMaxWanted = kPiecePixels * 3;

private:
    // A refill comes when less than kMaxWanted bytes are left, so a read block always fits
    // behind them and the page offset.
    static constexpr int kReadBlock = 4 * FileStream::kBufferSize;
    static constexpr int kCapacity = kMaxWanted + kPage + kReadBlock;

    FileStream& file_;
    std::unique_ptr<uint8_t[]> memory_;
    uint8_t* const block_;
    int fileOffset_;  // page offset of the next read in the file
    int held_ = 0;
    int at_ = 0;
};

class BitmapReader {
public:
    BitmapReader(FileStream& file, Stream& raw, int width)
        : bytes_(file, kPixelsOffset),
          raw_(raw),
          width_(width),
          memory_(new uint8_t[kOutputCapacity + kPage]),
          output_(PageStart(memory_.get())) {}

    // Walks one row; false when the raw file refused a write. Sets endOfData at a short read.
    bool WalkRow(int row, bool& endOfData) {
        int pixel = 0;
        while (pixel < width_ && !walk_.Done()) {
            const int count = std::min(kPiecePixels, width_ - pixel);
            int gotBytes = 0;
            const uint8_t* piece = bytes_.Take(count * 3, gotBytes);
            const int got = gotBytes / 3;
            for (int k = 0; k < got && !walk_.Done();) {
                const int straight = row > 0 || pixel + k >= 2 ? TakeStraight(piece + 3 * k, got - k) : 0;
                if (straight > 0) {
                    k += straight;
                    continue;
                }
                TakePixel(row, pixel + k, piece + 3 * k);
                ++k;
            }
            if (!WriteIfFull())
                return false;
            if (got < count) {
                endOfData = true;
                return true;
            }
            pixel += count;
        }
        SkipPadding();
        return true;
    }
    bool Done() const { return walk_.Done(); }
    // Writes what is still held; false when the raw file refused it.
    bool Finish() { return WriteHeld(); }
    bool ByteMode() const { return byteMode_; }

private:
    // The payload is written in blocks of kOutputBlock bytes; the values of the piece that
    // filled a block wait for the next one.
    static constexpr int kOutputBlock = 4 * FileStream::kBufferSize;
    static constexpr int kOutputCapacity = kOutputBlock + 2 * kPiecePixels;

    bool WriteIfFull() {
        if (held_ < kOutputBlock)
            return true;
        if (raw_.Write(output_, kOutputBlock) != kOutputBlock)
            return false;
        held_ -= kOutputBlock;
        memmove(output_, output_ + kOutputBlock, held_);
        return true;
    }
    bool WriteHeld() {
        const int count = held_;
        held_ = 0;
        return count == 0 || raw_.Write(output_, count) == count;
    }

    void TakePixel(int row, int pixel, const uint8_t* bgr) {
        if (row == 0 && pixel == 0) {
            byteMode_ = ByteValue(bgr) == 1;
            return;
        }
        if (byteMode_) {
            if (row > 0 || pixel >= 2)
                walk_.Take(ByteValue(bgr), output_, held_);
            return;
        }
        uint8_t values[2];
        DecodeWordPixels(bgr, 1, values);
        walk_.Take(values[0], output_, held_);
        walk_.Take(values[1], output_, held_);
    }

    // Past the marker and the length, pixels whose values all belong to the payload are
    // decoded in one tight loop. Gives the pixels taken (0: leave this pixel to TakePixel).
    int TakeStraight(const uint8_t* bgr, int pixels) {
        const int perPixel = byteMode_ ? 1 : 2;
        const int count = static_cast<int>(std::min<uint32_t>(pixels, walk_.Room() / perPixel));
        uint8_t* out = output_ + held_;
        if (byteMode_) {
            for (int k = 0; k < count; ++k, bgr += 3)
                out[k] = ByteValue(bgr);
        } else {
            DecodeWordPixels(bgr, count, out);
        }
        held_ += count * perPixel;
        walk_.Emitted(static_cast<uint32_t>(count * perPixel));
        return count;
    }

    void SkipPadding() {
        const int padding = (4 - (width_ * 3) % 4) % 4;
        int skipped = 0;
        bytes_.Take(padding, skipped);
    }

    ByteCursor bytes_;
    Stream& raw_;
    const int width_;
    bool byteMode_ = false;
    PayloadWalk walk_;
    std::unique_ptr<uint8_t[]> memory_;
    // Page-aligned, as the raw file's blocks start at page offset 0.
    uint8_t* const output_;
    int held_ = 0;
};

}  // namespace

bool ExtractBitmapPayload(Stream& raw,
                          const String& bitmapPath,
                          const RequestCallbackBlock& block,
                          bool pngMessages,
                          int64_t* capacity) {
    const char* const notCarrier = pngMessages ? messages::kPngCarrier : messages::kBitmapCarrier;
    FileStream file;
    if (!file.Open(bitmapPath, false, false, true))
        return FailRequest(block, messages::kUnknownError);
    if (file.ReadText(2) != "BM")
        return FailRequest(block, notCarrier);
    uint8_t info[kInfoHeaderBytes];
    file.Seek(kFileHeaderBytes);
    if (file.Read(info, kInfoHeaderBytes) != kInfoHeaderBytes || !HasCarrierHeader(info))
        return FailRequest(block, notCarrier);
    const int32_t width = static_cast<int32_t>(LoadU32(info + 4));
    const int32_t height = static_cast<int32_t>(LoadU32(info + 8));
    if (height <= 0)
        return true;
    // A row wider than the whole file cannot be a carrier (and would overflow the row length).
    if (width <= 0 || width > (file.GetSize() - kPixelsOffset) / 3)
        return FailRequest(block, notCarrier);

    // Back to the first pixel row through a seek, which empties the runtime's buffer of the
    // header's bytes: the pixel blocks are then read straight into the reader's block.
    if (file.Seek(kPixelsOffset) != kPixelsOffset)
        return FailRequest(block, notCarrier);
    BitmapReader reader(file, raw, width);
    ChangedProgress progress(block);
    bool endOfData = false;
    for (int row = 0; row < height && !endOfData && !reader.Done(); ++row) {
        if (!progress.Report(row, height))
            return StopRequest(block);
        if (!reader.WalkRow(row, endOfData))
            return FailRequest(block, messages::kUnknownError);
    }
    if (!reader.Finish())
        return FailRequest(block, messages::kUnknownError);
    if (capacity) {
        // Byte mode starts at pixel 2, word mode at pixel 1; four values hold the length.
        const int64_t pixels = int64_t{width} * height;
        const int64_t values = reader.ByteMode() ? pixels - 2 : 2 * (pixels - 1);
        *capacity = std::max<int64_t>(0, values - 4);
    }
    return true;
}
