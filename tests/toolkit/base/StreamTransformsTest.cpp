// The block operations of Stream: CopyFrom, ApplyKey and InflateChunks / InflateFile, with
// their progress hooks, block borders, key wrap-around and every way a chunk stream can lie.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"

namespace {

using kvrtest::Bytes;

void Load(MemoryStream& stream, const Bytes& bytes) {
    stream.Close();
    stream.Allocate(0);
    if (!bytes.empty())
        stream.Write(bytes.data(), static_cast<int>(bytes.size()));
    stream.Seek(0);
}

Bytes Content(MemoryStream& stream) {
    return Bytes(stream.Data(), stream.Data() + stream.GetSize());
}

// Records every progress report; answers false at the report numbered stopAt.
struct HookLog {
    std::vector<int> values;
    int stopAt = -1;

    static bool Record(int thousandths, void* context) {
        HookLog* log = static_cast<HookLog*>(context);
        log->values.push_back(thousandths);
        return static_cast<int>(log->values.size()) - 1 != log->stopAt;
    }
};

// A destination that counts what it is given and keeps nothing.
class CountingSink : public MemoryStream {
public:
    int Write(const void*, int count) override {
        total += count;
        return count;
    }
    long long total = 0;
};

// ---- CopyFrom ----

TEST(CopyFrom, CountsAndBlockBorders) {
    const int sizes[] = {0, 1, 999, 1000, 1001, 2500};
    for (const int size : sizes) {
        const Bytes data = kvrtest::PatternBytes(size, size + 1);
        MemoryStream source;
        Load(source, data);
        source.Seek(size / 3);
        FileStream target;
        ASSERT_TRUE(target.OpenTemporary());
        EXPECT_EQ(size - size / 3, target.CopyFrom(&source)) << size;
        EXPECT_TRUE(source.IsEof());
        MemoryStream back;
        target.Seek(0);
        EXPECT_EQ(size - size / 3, back.CopyFrom(&target)) << size;
        EXPECT_EQ(Bytes(data.begin() + size / 3, data.end()), back.GetSize() ? Content(back) : Bytes()) << size;
    }
}

TEST(CopyFrom, CountLimits) {
    MemoryStream source;
    Load(source, kvrtest::BytesOf("0123456789"));
    MemoryStream target;
    EXPECT_EQ(4, target.CopyFrom(&source, 4));
    EXPECT_EQ(4, source.Tell());
    EXPECT_EQ(6, target.CopyFrom(&source, 100));
    EXPECT_EQ(0, target.CopyFrom(&source, 5));
    EXPECT_EQ(0, target.CopyFrom(nullptr, 5));
    source.Seek(0);
    EXPECT_EQ(0, target.CopyFrom(&source, 0));
    EXPECT_EQ(0, source.Tell());
    EXPECT_EQ(kvrtest::BytesOf("0123456789"), Content(target));
}

TEST(CopyFrom, ShortWriteStopsAndCountsWritten) {
    FileStream readOnly;
    kvrtest::ScratchFolder scratch;
    ASSERT_TRUE(kvrtest::WriteFileBytes(scratch.PathOf("ro.bin"), Bytes()));
    ASSERT_TRUE(readOnly.Open(String(scratch.PathOf("ro.bin").c_str()), false, false, true));
    MemoryStream source;
    Load(source, Bytes(3000, 7));
    EXPECT_EQ(0, readOnly.CopyFrom(&source));
}

// ---- ApplyKey ----

struct KeyCase {
    const char* name;
    size_t bodySize;
    Bytes key;
};

TEST(ApplyKey, RemovesKeyAcrossBlocks) {
    const KeyCase cases[] = {
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
    for (const KeyCase& c : cases) {
        const Bytes plain = kvrtest::PatternBytes(c.bodySize, 3);
        MemoryStream data, key, out;
        Load(data, kvrtest::AddKey(plain, c.key));
        Load(key, c.key);
        ASSERT_TRUE(data.ApplyKey(&key, -1, &out, nullptr)) << c.name;
        EXPECT_EQ(plain, Content(out)) << c.name;
        EXPECT_TRUE(data.IsEof()) << c.name;
    }
}

TEST(ApplyKey, ByteArithmeticWraps) {
    MemoryStream data, key, out;
    Load(data, {5, 7, 0, 255});
    Load(key, {6, 7, 1, 255});
    ASSERT_TRUE(data.ApplyKey(&key, -1, &out, nullptr));
    EXPECT_EQ((Bytes{255, 0, 255, 0}), Content(out));
}

TEST(ApplyKey, FromPositionForLengthInPlace) {
    const Bytes key = {3, 4};
    Bytes stored = kvrtest::BytesOf("HEADER");
    const Bytes body = kvrtest::AddKey(kvrtest::PatternBytes(2100, 2), key);
    stored.insert(stored.end(), body.begin(), body.end());
    kvrtest::ScratchFolder scratch;
    const std::string path = scratch.PathOf("inplace.bin");
    ASSERT_TRUE(kvrtest::WriteFileBytes(path, stored));
    FileStream data(String(path.c_str()), true, false, true);
    MemoryStream keyStream;
    Load(keyStream, key);
    data.Seek(6);
    ASSERT_TRUE(data.ApplyKey(&keyStream, 1500, nullptr, nullptr));
    EXPECT_EQ(1506, data.Tell());
    data.Close();
    const Bytes result = kvrtest::ReadFileBytes(path);
    ASSERT_EQ(stored.size(), result.size());
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 6), Bytes(result.begin(), result.begin() + 6));
    const Bytes plain = kvrtest::PatternBytes(2100, 2);
    EXPECT_EQ(Bytes(plain.begin(), plain.begin() + 1500), Bytes(result.begin() + 6, result.begin() + 1506));
    EXPECT_EQ(Bytes(stored.begin() + 1506, stored.end()), Bytes(result.begin() + 1506, result.end()));
}

TEST(ApplyKey, HookReportsBeforeEachBlockAndStops) {
    MemoryStream data, key, out;
    Load(data, Bytes(4000, 1));
    Load(key, {1});
    HookLog log;
    data.keyStageHook = &HookLog::Record;
    ASSERT_TRUE(data.ApplyKey(&key, -1, &out, &log));
    EXPECT_EQ((std::vector<int>{0, 250, 500, 750}), log.values);
    data.Seek(0);
    MemoryStream partial;
    HookLog stopping;
    stopping.stopAt = 2;
    EXPECT_FALSE(data.ApplyKey(&key, -1, &partial, &stopping));
    EXPECT_EQ(3u, stopping.values.size());
    EXPECT_EQ(2000, partial.GetSize());
}

TEST(ApplyKey, RefusesMissingStreams) {
    MemoryStream data, key, out;
    Load(key, {1});
    EXPECT_FALSE(data.ApplyKey(&key, -1, &out, nullptr));  // data closed
    Load(data, {1, 2});
    EXPECT_FALSE(data.ApplyKey(nullptr, -1, &out, nullptr));
    FileStream unopenedKey;
    EXPECT_FALSE(data.ApplyKey(&unopenedKey, -1, &out, nullptr));
    EXPECT_EQ(0, out.GetSize());
}

// ---- InflateChunks ----

TEST(InflateChunks, JoinsChunksInOrder) {
    const size_t sizes[] = {1, 99999, 100000, 100001, 250000};
    for (const size_t size : sizes) {
        const Bytes plain = kvrtest::PatternBytes(size, static_cast<uint32_t>(size));
        MemoryStream packed, out;
        Load(packed, kvrtest::BuildChunkStream(plain, 100000));
        packed.Seek(17);  // the stage reads from the start whatever the position
        ASSERT_TRUE(packed.InflateChunks(&out, nullptr)) << size;
        EXPECT_EQ(plain, Content(out)) << size;
    }
}

Bytes OneChunk(uint32_t plainSize, uint32_t packedSize, const Bytes& packed, uint32_t count = 1) {
    Bytes out;
    kvrtest::AppendU32(out, count);
    kvrtest::AppendChunk(out, plainSize, packedSize, packed);
    return out;
}

TEST(InflateChunks, EmptyResultsAndRefusals) {
    MemoryStream packed, out;
    Load(packed, {0, 0, 0, 0});  // zero chunks
    EXPECT_TRUE(packed.InflateChunks(&out, nullptr));
    EXPECT_EQ(0, out.GetSize());
    const Bytes empty = kvrtest::ZlibCompress(Bytes());
    Load(packed, OneChunk(0, static_cast<uint32_t>(empty.size()), empty));  // one chunk of no bytes
    EXPECT_TRUE(packed.InflateChunks(&out, nullptr));
    EXPECT_EQ(0, out.GetSize());
    EXPECT_FALSE(packed.InflateChunks(nullptr, nullptr));
    packed.Allocate(0);
    EXPECT_FALSE(packed.InflateChunks(&out, nullptr));
}

TEST(InflateChunks, RejectsLyingOrBrokenChunks) {
    const Bytes small = kvrtest::PatternBytes(5000, 1);
    const Bytes packedSmall = kvrtest::ZlibCompress(small);
    const uint32_t packedSize = static_cast<uint32_t>(packedSmall.size());
    Bytes damaged = packedSmall;
    damaged[packedSmall.size() / 2] ^= 0x55;
    Bytes twoGood = kvrtest::BuildChunkStream(kvrtest::PatternBytes(200000, 2));
    struct Case {
        const char* name;
        Bytes stream;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        MemoryStream packed, out;
        Load(packed, c.stream);
        EXPECT_FALSE(packed.InflateChunks(&out, nullptr)) << c.name;
    }
}

TEST(InflateChunks, HookReportsBeforeEachChunkAndStops) {
    const Bytes plain = kvrtest::PatternBytes(400000, 6);
    MemoryStream packed, out;
    Load(packed, kvrtest::BuildChunkStream(plain, 100000));
    HookLog log;
    packed.decompressionHook = &HookLog::Record;
    ASSERT_TRUE(packed.InflateChunks(&out, &log));
    EXPECT_EQ((std::vector<int>{0, 250, 500, 750}), log.values);
    HookLog stopping;
    stopping.stopAt = 1;
    packed.decompressionHook = &HookLog::Record;
    MemoryStream partial;
    EXPECT_FALSE(packed.InflateChunks(&partial, &stopping));
    EXPECT_EQ(100000, partial.GetSize());
}

TEST(InflateChunks, ReadAheadNeverShowsStopsAndFailuresLateOrEarly) {
    // Twelve chunks keep both threads and every slot busy; whatever ran ahead, the output and
    // the reports end exactly where a chunk-by-chunk run would end them.
    const Bytes plain = kvrtest::PatternBytes(12 * 1000, 8);
    const Bytes good = kvrtest::BuildChunkStream(plain, 1000);
    Bytes damagedSeventh;
    kvrtest::AppendU32(damagedSeventh, 12);
    for (int i = 0; i < 12; i++) {
        Bytes packed = kvrtest::ZlibCompress(Bytes(plain.begin() + i * 1000, plain.begin() + (i + 1) * 1000));
        if (i == 7)
            packed[packed.size() / 2] ^= 0x55;
        kvrtest::AppendChunk(damagedSeventh, 1000, static_cast<uint32_t>(packed.size()), packed);
    }
    struct Case {
        const char* name;
        const Bytes& stream;
        int stopAt;
        bool succeeds;
        size_t reports;
        int written;
    };
    const Case cases[] = {
        {"all chunks", good, -1, true, 12, 12000},
        {"stop at the sixth report", good, 5, false, 6, 5000},
        {"stop at the last report", good, 11, false, 12, 11000},
        {"eighth chunk damaged", damagedSeventh, -1, false, 8, 7000},
    };
    for (const Case& c : cases) {
        MemoryStream packed, out;
        Load(packed, c.stream);
        HookLog log;
        log.stopAt = c.stopAt;
        packed.decompressionHook = &HookLog::Record;
        EXPECT_EQ(c.succeeds, packed.InflateChunks(&out, &log)) << c.name;
        ASSERT_EQ(c.reports, log.values.size()) << c.name;
        for (size_t i = 0; i < log.values.size(); i++)
            EXPECT_EQ(static_cast<int>(i * 1000 / 12), log.values[i]) << c.name;
        EXPECT_EQ(c.written, out.GetSize()) << c.name;
        EXPECT_EQ(Bytes(plain.begin(), plain.begin() + c.written), out.GetSize() ? Content(out) : Bytes()) << c.name;
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

// ---- InflateFile ----

TEST(InflateFile, InflatesBetweenFilesAndFailureDeletesPlainFile) {
    kvrtest::ScratchFolder scratch;
    const Bytes plain = kvrtest::PatternBytes(150000, 7);
    const Bytes good = kvrtest::BuildChunkStream(plain);
    const String packedPath(scratch.PathOf("packed.bin").c_str());
    const String plainPath(scratch.PathOf("plain.bin").c_str());
    ASSERT_TRUE(kvrtest::WriteFileBytes(packedPath.Text(), good));
    ASSERT_TRUE(kvrtest::WriteFileBytes(plainPath.Text(), Bytes(500000, 1)));  // truncated by the stage
    HookLog log;
    ASSERT_TRUE(Stream::InflateFile(packedPath, plainPath, &HookLog::Record, &log));
    EXPECT_EQ(plain, kvrtest::ReadFileBytes(plainPath.Text()));
    EXPECT_EQ((std::vector<int>{0, 500}), log.values);

    ASSERT_TRUE(kvrtest::WriteFileBytes(packedPath.Text(), kvrtest::Truncated(good, good.size() - 3)));
    EXPECT_FALSE(Stream::InflateFile(packedPath, plainPath, nullptr, nullptr));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(plainPath.Text()));
    EXPECT_FALSE(Stream::InflateFile(String(scratch.PathOf("missing").c_str()), plainPath, nullptr, nullptr));
}

}  // namespace
