// Stream base: the shared CRC-32 table and the block operations that need only the
// virtual slots (byte reads, fills and copies between streams).
#include "toolkit/base/Stream.h"

#include <cstring>

namespace {

struct CrcTableData {
    uint32_t entries[256];
};

constexpr CrcTableData MakeCrcTable() {
    CrcTableData table{};
    for (uint32_t n = 0; n < 256; n++) {
        uint32_t c = n;
        for (int k = 0; k < 8; k++)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table.entries[n] = c;
    }
    return table;
}

// Built at compile time: read-only, so sharing it between threads needs nothing.
constexpr CrcTableData kCrcTable = MakeCrcTable();

constexpr int kFillBlock = 100;

}  // namespace

const uint32_t* Stream::CrcTable() {
    return kCrcTable.entries;
}

uint32_t Stream::UpdateCrc32(uint32_t crc, const uint8_t* bytes, int count) const {
    for (int i = 0; i < count; i++)
        crc = (crc >> 8) ^ crcTable_[(crc ^ bytes[i]) & 0xFF];
    return crc;
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

int Stream::CopyFrom(Stream* source, int count) {
    if (!source || source == this)
        return 0;
    const int available = source->GetSize() - source->Tell();
    if (available <= 0)
        return 0;
    if (count < 0 || count > available)
        count = available;
    uint8_t block[kBlockSize];
    int total = 0;
    while (total < count) {
        const int want = count - total < kBlockSize ? count - total : kBlockSize;
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
