// BitmapCarrier: row-by-row decoding of the low bits of a 24-bit bitmap's pixels. Rows are
// read in pieces of at most kPiecePixels so that a lying width never makes a huge buffer.
#include "engine/BitmapCarrier.h"

#include <algorithm>
#include <cstdint>

#include "engine/RequestEvents.h"
#include "toolkit/base/ByteOrder.h"
#include "toolkit/base/FileStream.h"

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kPixelsOffset = kFileHeaderBytes + kInfoHeaderBytes;
constexpr int kPiecePixels = 1000;
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

class BitmapReader {
public:
    BitmapReader(FileStream& file, Stream& raw, int width) : file_(file), raw_(raw), width_(width) {}

    // Walks one row; false when the raw file refused a write. Sets endOfData at a short read.
    bool WalkRow(int row, bool& endOfData) {
        int pixel = 0;
        while (pixel < width_ && !walk_.Done()) {
            const int count = std::min(kPiecePixels, width_ - pixel);
            const int got = file_.Read(piece_, count * 3) / 3;
            int emitted = 0;
            for (int k = 0; k < got && !walk_.Done(); ++k)
                TakePixel(row, pixel + k, piece_ + 3 * k, emitted);
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
        walk_.Take(static_cast<uint8_t>((bgr[1] & 15) | (bgr[2] & 15) << 4), output_, emitted);
        walk_.Take(static_cast<uint8_t>((bgr[0] & 63) | (bgr[1] & 16) << 2 | (bgr[2] & 16) << 3), output_, emitted);
    }

    void SkipPadding() {
        const int padding = (4 - (width_ * 3) % 4) % 4;
        uint8_t pad[3];
        file_.Read(pad, padding);
    }

    FileStream& file_;
    Stream& raw_;
    const int width_;
    bool byteMode_ = false;
    PayloadWalk walk_;
    uint8_t piece_[kPiecePixels * 3];
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
