// Reads whole encrypted archive files, written by the test-support writer, through the
// toolkit's streams the way the engine does: header fields, ApplyKey into a key-free file,
// InflateFile when compressed, then entry records with each file's CRC-32 computed by
// ComputeCrc32 over the bytes copied out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"

namespace {

using kvrtest::ArchiveEntry;
using kvrtest::ArchiveSpec;
using kvrtest::Bytes;

struct ReadEntry {
    std::string name;
    bool folder = false;
    Bytes data;
    uint32_t storedCrc = 0;
    uint32_t computedCrc = 0;
};

struct ReadArchive {
    bool magicOk = false;
    int flag = 0;
    std::string keyName;
    int count = 0;
    bool bodyOk = false;
    std::vector<ReadEntry> entries;
};

bool ReadU32(Stream& stream, uint32_t& value) {
    uint8_t b[4];
    if (stream.Read(b, 4) != 4)
        return false;
    value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return true;
}

class ArchiveLayersTest : public testing::Test {
protected:
    // Writes the archive and the key to files, then reads them back layer by layer.
    ReadArchive Read(const ArchiveSpec& spec) {
        const std::string archivePath = scratch_.PathOf("archive.enc");
        EXPECT_TRUE(kvrtest::WriteFileBytes(archivePath, kvrtest::BuildRawArchive(spec)));
        ReadArchive result;
        FileStream raw;
        EXPECT_TRUE(raw.OpenTemporary());
        FileStream source(String(archivePath.c_str()), false, false, true);
        raw.CopyFrom(&source);
        source.Close();
        raw.Seek(0);
        result.magicOk = raw.ReadText(12) == "KVR-ENC-1.00";
        result.flag = raw.ReadByte();
        String line;
        raw.ReadLine(line, true, 1024);
        result.keyName = line.Text();
        raw.ReadLine(line, true, 1024);
        result.count = atoi(line.Text());

        MemoryStream key;
        key.Allocate(0);
        if (!spec.key.empty())
            key.Write(spec.key.data(), static_cast<int>(spec.key.size()));
        FileStream keyFree;
        if (!keyFree.OpenTemporary() || !raw.ApplyKey(&key, -1, &keyFree, nullptr))
            return result;
        FileStream* body = &keyFree;
        FileStream inflated;
        if (result.flag != 0) {
            keyFree.Seek(0);
            const String packedCopy(scratch_.PathOf("packed.bin").c_str());
            FileStream packedFile(packedCopy, true, true, false);
            packedFile.CopyFrom(&keyFree);
            packedFile.Close();
            const String plainPath(scratch_.PathOf("inflated.bin").c_str());
            if (!Stream::InflateFile(packedCopy, plainPath, nullptr, nullptr))
                return result;
            if (!inflated.Open(plainPath, false, false, true))
                return result;
            body = &inflated;
        }
        result.bodyOk = true;
        body->Seek(0);
        ReadEntries(*body, result);
        return result;
    }

    void ReadEntries(FileStream& body, ReadArchive& result) {
        for (int i = 0; i < result.count && !body.IsEof(); i++) {
            ReadEntry entry;
            String name;
            body.ReadLine(name, true, 1024);
            entry.name = name.Text();
            uint32_t size = 0;
            if (!ReadU32(body, size))
                break;
            entry.folder = size == 0xFFFFFFFFu;
            if (!entry.folder) {
                ReadU32(body, entry.storedCrc);
                FileStream target(String(scratch_.PathOf("entry.bin").c_str()), true, true, true);
                target.CopyFrom(&body, static_cast<int>(size));
                target.ComputeCrc32(entry.computedCrc);
                target.Seek(0);
                const String bytes = target.ReadText(-1);
                entry.data.assign(bytes.Text(), bytes.Text() + bytes.Length());
            }
            result.entries.push_back(entry);
        }
    }

    kvrtest::ScratchFolder scratch_;
};

ArchiveSpec SampleSpec() {
    ArchiveSpec spec;
    spec.keyName = "keys\\k1.key";
    spec.key = kvrtest::BytesOf("KEYBYTES");
    spec.entries.push_back({"a.txt", kvrtest::BytesOf("abc")});
    spec.entries.push_back({"empty\\", {}, true});
    spec.entries.push_back({"docs\\big.bin", kvrtest::PatternBytes(250001, 3)});
    spec.entries.push_back({"docs\\zero.bin", {}});
    return spec;
}

void ExpectEntries(const ArchiveSpec& spec, const ReadArchive& read) {
    ASSERT_EQ(spec.entries.size(), read.entries.size());
    for (size_t i = 0; i < spec.entries.size(); i++) {
        EXPECT_EQ(spec.entries[i].name, read.entries[i].name);
        EXPECT_EQ(spec.entries[i].folder, read.entries[i].folder);
        if (spec.entries[i].folder)
            continue;
        EXPECT_EQ(spec.entries[i].data, read.entries[i].data) << spec.entries[i].name;
        EXPECT_EQ(read.entries[i].storedCrc, read.entries[i].computedCrc) << spec.entries[i].name;
    }
}

TEST_F(ArchiveLayersTest, PlainArchive) {
    const ArchiveSpec spec = SampleSpec();
    const ReadArchive read = Read(spec);
    EXPECT_TRUE(read.magicOk);
    EXPECT_EQ(0, read.flag);
    EXPECT_EQ("keys\\k1.key", read.keyName);
    EXPECT_EQ(4, read.count);
    ASSERT_TRUE(read.bodyOk);
    ExpectEntries(spec, read);
    EXPECT_EQ(0u, read.entries[3].computedCrc);  // an empty file has CRC 0
}

TEST_F(ArchiveLayersTest, CompressedArchiveInSeveralChunks) {
    ArchiveSpec spec = SampleSpec();
    spec.compressed = true;
    spec.key = kvrtest::PatternBytes(1001, 12);
    const ReadArchive read = Read(spec);
    EXPECT_EQ(1, read.flag);
    ASSERT_TRUE(read.bodyOk);
    ExpectEntries(spec, read);
}

TEST_F(ArchiveLayersTest, FlagTwoCountsAsCompressedAndEmptyKeyChangesNothing) {
    ArchiveSpec spec = SampleSpec();
    spec.compressed = true;
    spec.flagByte = 2;
    spec.key.clear();
    spec.keyName.clear();
    const ReadArchive read = Read(spec);
    EXPECT_EQ(2, read.flag);
    EXPECT_EQ("", read.keyName);
    ASSERT_TRUE(read.bodyOk);
    ExpectEntries(spec, read);
}

TEST_F(ArchiveLayersTest, CorruptedCrcIsSeen) {
    ArchiveSpec spec = SampleSpec();
    spec.corruptCrcOf = 2;
    const ReadArchive read = Read(spec);
    ASSERT_EQ(4u, read.entries.size());
    EXPECT_EQ(read.entries[0].storedCrc, read.entries[0].computedCrc);
    EXPECT_NE(read.entries[2].storedCrc, read.entries[2].computedCrc);
}

TEST_F(ArchiveLayersTest, WrongKeyBreaksDecompression) {
    ArchiveSpec spec = SampleSpec();
    spec.compressed = true;
    const Bytes raw = kvrtest::BuildRawArchive(spec);
    spec.key = kvrtest::BytesOf("OTHERKEY");  // the reader now removes a different key
    const std::string path = scratch_.PathOf("archive.enc");
    ASSERT_TRUE(kvrtest::WriteFileBytes(path, raw));
    FileStream rawFile(String(path.c_str()), false, false, true);
    rawFile.Seek(static_cast<int>(kvrtest::BuildHeader(spec).size()));
    MemoryStream key, keyFree;
    key.Write(spec.key.data(), static_cast<int>(spec.key.size()));
    ASSERT_TRUE(rawFile.ApplyKey(&key, -1, &keyFree, nullptr));  // a wrong key is not detected here
    MemoryStream out;
    EXPECT_FALSE(keyFree.InflateChunks(&out, nullptr));
}

TEST_F(ArchiveLayersTest, FewerEntriesThanAnnouncedEndAtTheData) {
    ArchiveSpec spec = SampleSpec();
    spec.announcedCount = 7;
    const ReadArchive read = Read(spec);
    EXPECT_EQ(7, read.count);
    ExpectEntries(spec, read);
}

TEST_F(ArchiveLayersTest, BadMagicAndOddCountLines) {
    ArchiveSpec spec = SampleSpec();
    spec.magic = "KVR-ENC-1.01";
    EXPECT_FALSE(Read(spec).magicOk);
    spec = SampleSpec();
    const struct {
        const char* line;
        int count;
    } counts[] = {{"abc", 0}, {" 2", 2}, {"-1", -1}, {"3x", 3}, {"0", 0}};
    for (const auto& c : counts) {
        spec.countLine = c.line;
        EXPECT_EQ(c.count, Read(spec).count) << c.line;
    }
}

TEST_F(ArchiveLayersTest, KeyNameWithLoneLineFeed) {
    ArchiveSpec spec = SampleSpec();
    spec.keyName = "ke\nys.key";
    const ReadArchive read = Read(spec);
    EXPECT_EQ("keys.key", read.keyName);
    ExpectEntries(spec, read);
}

}  // namespace
