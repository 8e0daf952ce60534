// FileStream against real files in a scratch folder: open modes, temporary files that
// vanish, CloseAndDelete, the common stream contract, its own ReadLine (CR and LF dropped),
// Find across block borders, ComputeCrc32 in 100-byte blocks, SetSize and Fill.
#include "toolkit/base/FileStream.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "tests/toolkit/base/StreamTestData.h"

namespace {

using kvrtest::Bytes;
using kvrtest::ReadFileBytes;
using kvrtest::WriteFileBytes;

bool Exists(const String& path) {
    return GetFileAttributesA(path.Text()) != INVALID_FILE_ATTRIBUTES;
}

std::string Text(const String& text) {
    return std::string(text.Text(), text.Length());
}

class FileStreamTest : public testing::Test {
protected:
    String FileWith(const std::string& name, const std::string& content) {
        const std::string path = scratch_.PathOf(name);
        EXPECT_TRUE(WriteFileBytes(path, Bytes(content.begin(), content.end())));
        return String(path.c_str());
    }

    kvrtest::ScratchFolder scratch_;
};

TEST_F(FileStreamTest, OpenModes) {
    struct Case {
        bool write, create, read;
        bool opens;
        bool keepsOldContent;
        bool canRead;
    };
    const Case cases[] = {
        {false, false, true, true, true, true},     // rb
        {false, true, true, true, true, true},      // rb, create ignored
        {true, true, true, true, false, true},      // w+b
        {true, false, true, true, true, true},      // r+b
        {true, true, false, true, false, false},    // wb
        {true, false, false, true, true, false},    // ab
        {false, false, false, false, true, false},  // nothing
        {false, true, false, false, true, false},   // nothing
    };
    int n = 0;
    for (const Case& c : cases) {
        const String path = FileWith("mode" + std::to_string(n++) + ".bin", "old");
        FileStream stream;
        EXPECT_EQ(c.opens, stream.Open(path, c.write, c.create, c.read)) << n;
        if (!c.opens)
            continue;
        EXPECT_EQ(c.keepsOldContent ? 3 : 0, stream.GetSize()) << n;
        EXPECT_EQ(c.canRead && c.keepsOldContent, stream.ReadText(3) == "old") << n;
        EXPECT_STREQ(path.Text(), stream.Name().Text());
    }
    FileStream stream;
    EXPECT_FALSE(stream.Open(String(""), false, false, true));
    EXPECT_FALSE(stream.Open(String(scratch_.PathOf("missing.bin").c_str()), false, false, true));
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_TRUE(stream.IsEof());
    EXPECT_TRUE(stream.Name().IsEmpty());
}

TEST_F(FileStreamTest, CreatingOverAnEmptyFileKeepsTheMode) {
    // An existing empty file (as a fresh temporary name is) is opened without truncation;
    // the stream must behave exactly as after a truncating open.
    for (const bool read : {false, true}) {
        const String path = FileWith(read ? "empty-rw.bin" : "empty-w.bin", "");
        FileStream stream;
        ASSERT_TRUE(stream.Open(path, true, true, read)) << read;
        EXPECT_EQ(5, stream.Write("hello", 5));
        EXPECT_EQ(5, stream.GetSize());
        stream.Seek(1);
        EXPECT_TRUE(stream.ReadText(4) == (read ? "ello" : "")) << read;
        stream.Close();
        EXPECT_EQ(kvrtest::BytesOf("hello"), kvrtest::ReadFileBytes(path.Text())) << read;
    }
}

TEST_F(FileStreamTest, TemporaryAndDeletedFiles) {
    const String other = FileWith("other.bin", "xyz");
    String first;
    {
        FileStream stream;
        ASSERT_TRUE(stream.OpenTemporary());
        first = stream.Name();
        EXPECT_TRUE(Exists(first));
        const std::string full = Text(first);
        EXPECT_EQ(0u, full.substr(full.rfind('\\') + 1).find("tmp")) << full;
        EXPECT_EQ(4, stream.WriteText("data"));
        stream.CloseAndDelete();  // a temporary stream ignores it
        EXPECT_TRUE(stream.IsOpen());
        EXPECT_TRUE(Exists(first));
        // Reopening (as another file or another temporary) deletes the temporary file, as does the destructor.
        ASSERT_TRUE(stream.Open(other, false, false, true));
        EXPECT_FALSE(Exists(first));
        EXPECT_FALSE(stream.IsTemporary());
        ASSERT_TRUE(stream.OpenTemporary());
        first = stream.Name();
        ASSERT_TRUE(stream.OpenTemporary());
        EXPECT_FALSE(Exists(first));
        first = stream.Name();
    }
    EXPECT_FALSE(Exists(first));
    EXPECT_TRUE(Exists(other));

    FileStream temporary;
    ASSERT_TRUE(temporary.OpenTemporary());
    const String path = temporary.Name();
    temporary.Close();
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(temporary.Name().IsEmpty());

    FileStream named(other, false, false, true);
    ASSERT_TRUE(named.IsOpen());
    named.CloseAndDelete();
    EXPECT_FALSE(named.IsOpen());
    EXPECT_FALSE(Exists(other));
}

TEST_F(FileStreamTest, KeepsTheStreamContract) {
    FileStream stream;
    ASSERT_TRUE(stream.OpenTemporary());
    CheckStreamContract(stream);
}

TEST_F(FileStreamTest, ReadLineCases) {
    int n = 0;
    for (const LineCase& c : kFileLineCases) {
        FileStream stream(FileWith("line" + std::to_string(n++) + ".txt", c.input), false, false, true);
        String line;
        bool complete = !c.complete;
        stream.ReadLine(line, c.keepBlanks, c.limit, &complete);
        EXPECT_EQ(c.line, Text(line)) << c.name;
        EXPECT_EQ(c.complete, complete) << c.name;
        EXPECT_EQ(c.rest, Text(stream.ReadText(-1))) << c.name;
    }
}

TEST_F(FileStreamTest, FindAcrossBlockBorders) {
    // The search reads 1024-byte blocks: patterns placed on both sides of and across the border.
    const int positions[] = {0, 1019, 1020, 1021, 1022, 1023, 1024, 2046, 2995};
    for (const int at : positions) {
        std::string data(3000, '.');
        data.replace(at, 5, "NEEDL");
        FileStream stream(FileWith("find" + std::to_string(at) + ".bin", data), false, false, true);
        EXPECT_EQ(at, stream.Find("NEEDL", 5)) << at;
        EXPECT_EQ(0, stream.Tell());
        stream.Seek(at + 1);
        EXPECT_EQ(-1, stream.Find("NEEDL", 5)) << at;
        EXPECT_EQ(at + 1, stream.Tell());
    }
    std::string pattern(1500, 'p');  // longer than a block
    pattern[0] = 'P';
    std::string data(5000, 'p');
    data.replace(2100, pattern.size(), pattern);
    FileStream stream(FileWith("long.bin", data), false, false, true);
    EXPECT_EQ(2100, stream.Find(pattern.data(), static_cast<int>(pattern.size())));
    EXPECT_EQ(-1, stream.Find("", 0));
}

TEST_F(FileStreamTest, Crc32InBlocksRestoresPositionAndNeedsReading) {
    const size_t sizes[] = {0, 1, 99, 100, 101, 999, 1000, 1001, 12345, 600001};
    for (const size_t size : sizes) {
        const Bytes data = kvrtest::PatternBytes(size, static_cast<uint32_t>(size));
        const std::string path = scratch_.PathOf("crc" + std::to_string(size) + ".bin");
        ASSERT_TRUE(WriteFileBytes(path, data));
        FileStream stream(String(path.c_str()), false, false, true);
        stream.Seek(static_cast<int>(size / 2));
        uint32_t crc = 1;
        ASSERT_TRUE(stream.ComputeCrc32(crc)) << size;
        EXPECT_EQ(kvrtest::Crc32Of(data), crc) << size;
        EXPECT_EQ(static_cast<int>(size / 2), stream.Tell());
    }
    uint32_t crc = 0;
    FileStream writeOnly(FileWith("wo.txt", "123456789"), true, false, false);
    EXPECT_FALSE(writeOnly.ComputeCrc32(crc));
    FileStream closed;
    EXPECT_FALSE(closed.ComputeCrc32(crc));
}

TEST_F(FileStreamTest, SetSizeAndFill) {
    FileStream stream(FileWith("size.bin", "0123456789"), true, false, true);
    EXPECT_TRUE(stream.SetSize(4));
    EXPECT_EQ(4, stream.GetSize());
    EXPECT_TRUE(stream.SetSize(20));
    EXPECT_EQ(20, stream.GetSize());
    EXPECT_FALSE(stream.SetSize(-1));
    stream.Close();
    const Bytes bytes = ReadFileBytes(scratch_.PathOf("size.bin"));
    ASSERT_EQ(20u, bytes.size());
    EXPECT_EQ('3', bytes[3]);
    EXPECT_EQ(0, bytes[10]);

    FileStream filled;
    ASSERT_TRUE(filled.OpenTemporary());
    EXPECT_EQ(250, filled.Fill(0xAB, 250));  // written in hundreds
    EXPECT_EQ(0, filled.Fill(0xAB, 0));
    EXPECT_EQ(250, filled.GetSize());
    filled.Seek(249);
    EXPECT_EQ(0xAB, filled.ReadByte());
    FileStream readOnly(FileWith("ro.bin", ""), false, false, true);
    EXPECT_EQ(0, readOnly.Fill(1, 300));
}

}  // namespace
