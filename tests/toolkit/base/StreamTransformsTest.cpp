// The block operations of Stream: ApplyKey across block borders with key wrap-around, and
// InflateChunks against every way a chunk stream can lie.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/ArchiveWriter.h"
#include "toolkit/base/MemoryStream.h"

namespace {

using kvrtest::Bytes;

// Open and at the start even when empty.
void Load(MemoryStream& stream, const Bytes& bytes) {
    stream.Allocate(0);
    stream.Write(bytes.data(), static_cast<int>(bytes.size()));
    stream.Seek(0);
}

// Records each progress report; answers stop at report number stopAt.
struct HookLog {
    int stopAt;
    std::vector<int> values;

    static bool Record(int thousandths, void* context) {
        HookLog* log = static_cast<HookLog*>(context);
        log->values.push_back(thousandths);
        return static_cast<int>(log->values.size()) - 1 != log->stopAt;
    }
};

// A destination that counts what it is given and keeps nothing.
struct CountingSink : MemoryStream {
    int Write(const void*, int count) override {
        total += count;
        return count;
    }
    long long total = 0;
};

// ---- ApplyKey ----

TEST(ApplyKey, RemovesKeyAcrossBlocks) {
    const struct {
        const char* name;
        size_t bodySize;
        Bytes key;
    } cases[] = {
        {"one byte key", 10, {200}},
        {"three byte key over a block border", 2001, {1, 2, 250}},
        {"key longer than a block", 2500, kvrtest::PatternBytes(1500, 9)},
        {"key of 999", 3000, kvrtest::PatternBytes(999, 4)},
        {"key held by stream, not memory", 150000, kvrtest::PatternBytes(70001, 5)},
        {"body 999", 999, {9, 8, 7}},
        {"body 1000", 1000, {9, 8, 7}},
        {"body 1001", 1001, {9, 8, 7}},
        {"empty key changes nothing", 1234, {}},
    };
    for (const auto& c : cases) {
        const Bytes plain = kvrtest::PatternBytes(c.bodySize, 3);
        MemoryStream data, key, out;
        Load(data, kvrtest::AddKey(plain, c.key));
        Load(key, c.key);
        ASSERT_TRUE(data.ApplyKey(&key, -1, &out, nullptr)) << c.name;
        EXPECT_EQ(plain, Bytes(out.Data(), out.Data() + out.GetSize())) << c.name;
        EXPECT_TRUE(data.IsEof()) << c.name;
    }
}

// ---- InflateChunks ----

Bytes OneChunk(uint32_t plainSize, uint32_t packedSize, const Bytes& packed, uint32_t count = 1) {
    Bytes out;
    kvrtest::AppendU32(out, count);
    kvrtest::AppendChunk(out, plainSize, packedSize, packed);
    return out;
}

TEST(InflateChunks, RejectsLyingOrBrokenChunks) {
    const Bytes packedSmall = kvrtest::ZlibCompress(kvrtest::PatternBytes(5000, 1));
    const uint32_t packedSize = static_cast<uint32_t>(packedSmall.size());
    Bytes damaged = packedSmall;
    damaged[packedSmall.size() / 2] ^= 0x55;
    const Bytes twoGood = kvrtest::BuildChunkStream(kvrtest::PatternBytes(200000, 2));
    const std::pair<const char*, Bytes> cases[] = {
        {"plain size over 100000", OneChunk(100001, packedSize, packedSmall)},
        {"packed size over 110012", OneChunk(5000, 110013, Bytes(110013, 0))},
        {"plain size larger than the data inflates to", OneChunk(5001, packedSize, packedSmall)},
        {"plain size smaller than the data inflates to", OneChunk(4999, packedSize, packedSmall)},
        {"damaged zlib data", OneChunk(5000, packedSize, damaged)},
        {"packed size past the end", OneChunk(5000, packedSize + 20, packedSmall)},
        {"packed data cut short", kvrtest::Truncated(OneChunk(5000, packedSize, packedSmall), 30)},
        {"chunk header cut short", kvrtest::Truncated(OneChunk(5000, packedSize, packedSmall), 10)},
        {"count cut short", Bytes{1, 0}},
        {"count larger than the chunks", OneChunk(5000, packedSize, packedSmall, 2)},
        {"huge count", OneChunk(5000, packedSize, packedSmall, 0xFFFFFFFFu)},
        {"zero packed size", OneChunk(0, 0, Bytes())},
        {"second of two chunks cut", kvrtest::Truncated(twoGood, twoGood.size() - 1)},
    };
    for (const auto& [name, stream] : cases) {
        MemoryStream packed, out;
        Load(packed, stream);
        EXPECT_FALSE(packed.InflateChunks(&out, nullptr)) << name;
    }
}

TEST(InflateChunks, ReadAheadNeverShowsStopsAndFailuresLateOrEarly) {
    // Twelve chunks keep both threads and every slot busy; whatever ran ahead, the output and
    // the reports end exactly where a chunk-by-chunk run would end them.
    const Bytes plain = kvrtest::PatternBytes(12 * 1000, 8);
    const Bytes good = kvrtest::BuildChunkStream(plain, 1000);
    Bytes damagedSeventh = good;  // counted from zero; each chunk is its two sizes and its packed data
    size_t at = 4;
    for (int i = 0; i < 7; i++)
        at += 8 + (damagedSeventh[at + 4] | damagedSeventh[at + 5] << 8);
    damagedSeventh[at + 8 + 20] ^= 0x55;
    const struct {
        const char* name;
        const Bytes& stream;
        int stopAt;
        bool succeeds;
        size_t reports;
        int written;
    } cases[] = {
        {"all chunks", good, -1, true, 12, 12000},
        {"stop at the sixth report", good, 5, false, 6, 5000},
        {"stop at the last report", good, 11, false, 12, 11000},
        {"eighth chunk damaged", damagedSeventh, -1, false, 8, 7000},
    };
    for (const auto& c : cases) {
        MemoryStream packed, out;
        Load(packed, c.stream);
        HookLog log{c.stopAt, {}};
        packed.decompressionHook = &HookLog::Record;
        EXPECT_EQ(c.succeeds, packed.InflateChunks(&out, &log)) << c.name;
        ASSERT_EQ(c.reports, log.values.size()) << c.name;
        for (size_t i = 0; i < log.values.size(); i++)
            EXPECT_EQ(static_cast<int>(i * 1000 / 12), log.values[i]) << c.name;
        EXPECT_EQ(Bytes(plain.begin(), plain.begin() + c.written), Bytes(out.Data(), out.Data() + out.GetSize()))
            << c.name;
    }
}

TEST(InflateChunks, OutputCappedBelowTwoGigabytes) {
    // 21475 chunks of 100000 bytes would make 2147500000 bytes: one chunk too many.
    const Bytes packedZeros = kvrtest::ZlibCompress(Bytes(100000, 0));
    Bytes stream;
    const uint32_t count = 21475;
    kvrtest::AppendU32(stream, count);
    for (uint32_t i = 0; i < count; i++)
        kvrtest::AppendChunk(stream, 100000, static_cast<uint32_t>(packedZeros.size()), packedZeros);
    MemoryStream packed;
    Load(packed, stream);
    CountingSink sink;
    EXPECT_FALSE(packed.InflateChunks(&sink, nullptr));
    EXPECT_EQ(21474LL * 100000, sink.total);
}

}  // namespace
