// Robustness of DecryptFile against damaged input: deterministic, seeded mutants of small
// valid archives and carriers of every kind (bit flips, truncations, insertions, deletions,
// edited header fields, lying sizes and counts, hostile entry names) and every truncated
// prefix of one valid source of each kind. Only invariants are asserted: the call returns,
// the events are well formed, nothing is written outside the output folder, and the
// temporary folder holds no new file afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "tests/engine/RequestRecorder.h"
#include "tests/engine/TestFolders.h"
#include "tests/support/SeededRandom.h"

namespace kvrtest {
namespace {

testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new EngineEnvironment);

const uint32_t kLyingValues[] = {0, 1, 3, 0xFFFFFFFF, 0xFFFFFFFE, 0x7FFFFFFF, 0x80000000, 100000, 100001, 110013};

// One random damage of the bytes; headBias makes the first bytes (the headers) likelier.
Bytes Mutate(const Bytes& original, SeededRandom& random, size_t headBias = 0) {
    Bytes bytes = original;
    const size_t span = headBias && random.Below(2) ? std::min(headBias, bytes.size()) : bytes.size();
    const size_t at = random.Below(span);
    switch (random.Below(6)) {
        case 0:
            for (size_t n = 1 + random.Below(3); n > 0 && !bytes.empty(); --n)
                bytes[random.Below(span)] ^= static_cast<uint8_t>(1u << random.Below(8));
            break;
        case 1:
            bytes.resize(at);
            break;
        case 2: {
            Bytes run(1 + random.Below(9));
            for (uint8_t& b : run)
                b = static_cast<uint8_t>(random.Next());
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
            break;
        }
        case 3:
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                        bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), at + 1 + random.Below(8))));
            break;
        case 4: {
            const uint32_t value = kLyingValues[random.Below(std::size(kLyingValues))];
            for (size_t k = 0; k < 4 && at + k < bytes.size(); ++k)
                bytes[at + k] = static_cast<uint8_t>(value >> (8 * k));
            break;
        }
        default:
            if (!bytes.empty())
                bytes[at < bytes.size() ? at : 0] = static_cast<uint8_t>(random.Next());
            break;
    }
    return bytes;
}

ArchiveSpec SmallSpec(bool compressed) {
    ArchiveSpec spec;
    spec.keyName = "k.key";
    spec.key = BytesOf("key");
    spec.compressed = compressed;
    spec.chunkSize = 24;
    spec.entries = {{"a.txt", PatternBytes(20, 3)}, {"docs\\", {}, true}, {"docs\\b.bin", PatternBytes(30, 4)}};
    return spec;
}

// Raw archives damaged inside their layers: header fields, entry records, chunk headers.
std::vector<Bytes> LayerMutants(bool compressed, size_t count, uint32_t seed) {
    SeededRandom random(seed);
    const ArchiveSpec base = SmallSpec(compressed);
    const char* const countLines[] = {"0", "1", "2", "3", "99", "2147483647", "99999999999", "-5", " 3", "abc", "+2"};
    const char* const keyNames[] = {"", "..\\k.key", "C:\\k.key", "CON", "sub/k.key", "\\\\srv\\k.key", "k.key:x"};
    const char* const hostileNames[] = {"..\\x",      "..",    "C:\\x",   "\\x",    "a\\..\\..\\x",  "NUL.txt",
                                        "x:stream",   "x.",    "x \\y",   "con\\y", "\\\\srv\\s\\x", "a//b",
                                        "docs\\..\\", "\x01x", "a\\.\\b", "."};
    std::vector<Bytes> mutants;
    while (mutants.size() < count) {
        ArchiveSpec spec = base;
        const size_t what = random.Below(6);
        if (what == 0)
            spec.countLine = countLines[random.Below(std::size(countLines))];
        if (what == 1)
            spec.keyName = keyNames[random.Below(std::size(keyNames))];
        if (what == 2)
            spec.entries[random.Below(spec.entries.size())].name = hostileNames[random.Below(std::size(hostileNames))];
        if (what == 3) {
            spec.flagByte = static_cast<int>(random.Below(3)) * 127;
            spec.announcedCount = static_cast<int>(random.Below(6));
        }
        if (what < 4) {
            mutants.push_back(BuildRawArchive(spec));
            continue;
        }
        // Damaged records in sound chunks, or damaged chunks.
        const Bytes damaged = Mutate(BuildEntryStream(spec), random);
        mutants.push_back(BuildRawArchiveFromBody(
            spec, !compressed       ? damaged
                  : random.Below(2) ? BuildChunkStream(damaged, spec.chunkSize)
                                    : Mutate(BuildChunkStream(BuildEntryStream(spec), spec.chunkSize), random, 16)));
    }
    return mutants;
}

class MutationTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.IsValid());
        tempBefore_ = TempNames();
    }

    // Decrypts each source in a work folder of its own and checks the invariants.
    void CheckAll(const std::vector<Bytes>& sources, SourceKind kind, const std::string& what) {
        const std::string work = scratch_.PathOf("w\\");
        const std::string fileName = std::string("m") + ExtensionOf(kind);
        for (size_t i = 0; i < sources.size() && !HasFatalFailure(); ++i) {
            const std::string label = what + " #" + std::to_string(i);
            for (const char* folder : {"", "out", "keys"})
                ASSERT_TRUE(CreateDirectoryA((work + folder).c_str(), nullptr)) << label;
            ASSERT_TRUE(WriteFileBytes(work + "keys\\k.key", BytesOf("key")));
            ASSERT_TRUE(WriteFileBytes(work + fileName, sources[i]));
            RequestRecorder recorder;
            recorder.request.keyFolder = (work + "keys\\").c_str();
            recorder.request.sourcePath = (work + fileName).c_str();
            recorder.request.outputFolder = (work + "out\\").c_str();
            const bool result = recorder.Run();
            EXPECT_EQ(recorder.Problem(), "") << label;
            EXPECT_EQ(ListNames(work), (std::set<std::string>{"keys\\", "out\\", fileName})) << label;
            const std::set<std::string> outside = ListNames(work + "out\\");
            EXPECT_TRUE(outside.empty() || outside == std::set<std::string>{"m\\"}) << label;
            EXPECT_EQ(ListNames(work + "keys\\"), (std::set<std::string>{"k.key"})) << label;
            EXPECT_TRUE(ScratchFolder::RemoveTree(work)) << label;
            EXPECT_EQ(ListNames(scratch_.Path()), std::set<std::string>()) << label;
            EXPECT_EQ(TempNames(), tempBefore_) << label;
            ++checked_;
            succeeded_ += result ? 1 : 0;
        }
    }

    ScratchFolder scratch_;
    std::set<std::string> tempBefore_;
    int checked_ = 0;
    int succeeded_ = 0;
};

TEST_F(MutationTest, DamagedArchivesAndCarriers) {
    // PNG sources take a GDI+ decode each: fewer of them.
    const struct {
        SourceKind kind;
        bool compressed;
        int mutants;      // of the source's bytes
        int layered;      // of the archive's layers, wrapped as the source
        size_t headBias;  // the bytes of the headers
    } cases[] = {{SourceKind::kArchive, false, 500, 500, 24},      {SourceKind::kArchive, true, 500, 500, 24},
                 {SourceKind::kWave, false, 300, 150, 64},         {SourceKind::kBitmapBytes, false, 300, 150, 64},
                 {SourceKind::kBitmapWords, true, 300, 150, 64},   {SourceKind::kPngHandWritten, true, 60, 30, 64},
                 {SourceKind::kPngThroughImage, false, 60, 30, 64}};
    for (uint32_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SeededRandom random(100 + i);
        const Bytes source = SourceOf(c.kind, BuildRawArchive(SmallSpec(c.compressed)), 7);
        std::vector<Bytes> mutants;
        for (int k = 0; k < c.mutants; ++k)
            mutants.push_back(Mutate(source, random, c.headBias));
        for (const Bytes& raw : LayerMutants(c.compressed, c.layered, 200 + i))
            mutants.push_back(SourceOf(c.kind, raw, 7));
        CheckAll(mutants, c.kind, ExtensionOf(c.kind) + std::string(c.compressed ? " compressed" : ""));
    }
    // Some mutants still decrypt and some do not: the damage is neither harmless nor always caught first.
    EXPECT_GT(succeeded_, 0);
    EXPECT_LT(succeeded_, checked_);
}

TEST_F(MutationTest, EveryTruncatedPrefix) {
    ArchiveSpec spec = SmallSpec(true);
    spec.entries.resize(1);
    for (SourceKind kind : {SourceKind::kArchive, SourceKind::kWave, SourceKind::kBitmapBytes, SourceKind::kBitmapWords,
                            SourceKind::kPngHandWritten}) {
        const Bytes whole = SourceOf(kind, BuildRawArchive(spec), 7);
        std::vector<Bytes> prefixes;
        for (size_t n = 0; n < whole.size(); ++n)
            prefixes.push_back(Truncated(whole, n));
        CheckAll(prefixes, kind, std::string("prefix of ") + ExtensionOf(kind));
    }
}

}  // namespace
}  // namespace kvrtest
