// The entry copy must never take a short write for a success: a target that stops accepting
// bytes (a full disk, a locked range) is reported, whatever CRC the data would have had.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/EntryWriter.h"
#include "tests/support/ArchiveWriter.h"
#include "toolkit/base/MemoryStream.h"

namespace kvrtest {
namespace {

// A memory stream that accepts only `room` bytes in all, like a disk that fills up.
class FillingStream : public MemoryStream {
public:
    explicit FillingStream(int room) : room_(room) {}
    int Write(const void* bytes, int count) override {
        const int taken = std::max(0, std::min(count, room_));
        room_ -= taken;
        return taken > 0 ? MemoryStream::Write(bytes, taken) : 0;
    }

private:
    int room_;
};

TEST(EntryWriterTest, CopyEntryDataCatchesShortWritesAndKeepsExactCopies) {
    const struct {
        int dataSize;
        uint32_t entrySize;
        int room;
        bool ok;
    } cases[] = {
        {2500, 2500, 1 << 20, true}, {2500, 1200, 1 << 20, true},
        {2500, 9000, 1 << 20, true},  // cut short by the data: the CRC check downstream tells
        {2500, 2500, 1999, false},   {2500, 2500, 0, false},
        {10, 10, 9, false},
    };
    for (const auto& c : cases) {
        const Bytes data = PatternBytes(static_cast<size_t>(c.dataSize), 9);
        MemoryStream entries;
        entries.Write(data.data(), static_cast<int>(data.size()));
        entries.Seek(0);
        FillingStream target(c.room);
        uint32_t crc = 0;
        EXPECT_EQ(CopyEntryData(entries, target, c.entrySize, crc), c.ok)
            << c.dataSize << " " << c.entrySize << " " << c.room;
        if (c.ok) {
            const size_t copied = std::min<size_t>(data.size(), c.entrySize);
            EXPECT_EQ(crc, Crc32Of(Truncated(data, copied)));
            EXPECT_EQ(entries.Tell(), static_cast<int>(copied));
        }
    }
}

}  // namespace
}  // namespace kvrtest
