// BitmapCarrier: row-by-row decoding of the low bits of a 24-bit bitmap's pixels. The file is
// read in large blocks; rows are walked in pieces of at most kPiecePixels so that a lying
// width never makes a huge buffer.
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

// Hands out the file's bytes from one large block, read straight from the file, so that
// pixels are decoded where they landed instead of being copied piece by piece first.
class ByteCursor {
public:
    explicit ByteCursor(FileStream& file) : file_(file), block_(new uint8_t[kCapacity]) {}

    // Up to wanted (at most kCapacity) bytes; fewer only at the end of the file.
    const uint8_t* Take(int wanted, int& got) {
        if (held_ - at_ < wanted) {
            memmove(block_.get(), block_.get() + at_, held_ - at_);
            held_ -= at_;
            at_ = 0;
            held_ += std::max(0, file_.Read(block_.get() + held_, kCapacity - held_));
        }
        got = std::min(wanted, held_ - at_);
        const uint8_t* bytes = block_.get() + at_;
        at_ += got;
        return bytes;
    }

private:
    static constexpr int kCapacity = Stream::kCopyBlock;

    FileStream& file_;
    std::unique_ptr<uint8_t[]> block_;
    int held_ = 0;
    int at_ = 0;
};

class BitmapReader {
public:
    BitmapReader(FileStream& file, Stream& raw, int width) : bytes_(file), raw_(raw), width_(width) {}

    // Walks one row; false when the raw file refused a write. Sets endOfData at a short read.
    bool WalkRow(int row, bool& endOfData) {
        int pixel = 0;
        while (pixel < width_ && !walk_.Done()) {
            const int count = std::min(kPiecePixels, width_ - pixel);
            int gotBytes = 0;
            const uint8_t* piece = bytes_.Take(count * 3, gotBytes);
            const int got = gotBytes / 3;
            int emitted = 0;
            for (int k = 0; k < got && !walk_.Done();) {
                const int straight = row > 0 || pixel + k >= 2 ? TakeStraight(piece + 3 * k, got - k, emitted) : 0;
                if (straight > 0) {
                    k += straight;
                    continue;
                }
                TakePixel(row, pixel + k, piece + 3 * k, emitted);
                ++k;
            }
            if (raw_.Write(output_, emitted) != emitted)
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

private:
    void TakePixel(int row, int pixel, const uint8_t* bgr, int& emitted) {
        if (row == 0 && pixel == 0) {
            byteMode_ = ByteValue(bgr) == 1;
            return;
        }
        if (byteMode_) {
            if (row > 0 || pixel >= 2)
                walk_.Take(ByteValue(bgr), output_, emitted);
            return;
        }
        uint8_t values[2];
        DecodeWordPixels(bgr, 1, values);
        walk_.Take(values[0], output_, emitted);
        walk_.Take(values[1], output_, emitted);
    }

    // Past the marker and the length, pixels whose values all belong to the payload are
    // decoded in one tight loop. Gives the pixels taken (0: leave this pixel to TakePixel).
    int TakeStraight(const uint8_t* bgr, int pixels, int& emitted) {
        const int perPixel = byteMode_ ? 1 : 2;
        const int count = static_cast<int>(std::min<uint32_t>(pixels, walk_.Room() / perPixel));
        uint8_t* out = output_ + emitted;
        if (byteMode_) {
            for (int k = 0; k < count; ++k, bgr += 3)
                out[k] = ByteValue(bgr);
        } else {
            DecodeWordPixels(bgr, count, out);
        }
        emitted += count * perPixel;
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
    uint8_t output_[kPiecePixels * 2];
};

}  // namespace

bool ExtractBitmapPayload(Stream& raw, const String& bitmapPath, const RequestCallbackBlock& block, bool pngMessages) {
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

    BitmapReader reader(file, raw, width);
    ChangedProgress progress(block);
    bool endOfData = false;
    for (int row = 0; row < height && !endOfData && !reader.Done(); ++row) {
        if (!progress.Report(row, height))
            return StopRequest(block);
        if (!reader.WalkRow(row, endOfData))
            return FailRequest(block, messages::kUnknownError);
    }
    return true;
}
