// FileStream against real files in a scratch folder: temporary files that vanish,
// CloseAndDelete, the common stream contract, its own ReadLine (CR and LF dropped) and
// ComputeCrc32 in 100-byte blocks.
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
        EXPECT_TRUE(kvrtest::Exists(first.Text()));
        const std::string full = Text(first);
        EXPECT_EQ(0u, full.substr(full.rfind('\\') + 1).find("tmp")) << full;
        EXPECT_EQ(4, stream.WriteText("data"));
        stream.CloseAndDelete();  // a temporary stream ignores it
        EXPECT_TRUE(stream.IsOpen());
        EXPECT_TRUE(kvrtest::Exists(first.Text()));
        // Reopening (as another file or another temporary) deletes the temporary file, as does the destructor.
        ASSERT_TRUE(stream.Open(other, false, false, true));
        EXPECT_FALSE(kvrtest::Exists(first.Text()));
        ASSERT_TRUE(stream.OpenTemporary());
        first = stream.Name();
        ASSERT_TRUE(stream.OpenTemporary());
        EXPECT_FALSE(kvrtest::Exists(first.Text()));
        first = stream.Name();
    }
    EXPECT_FALSE(kvrtest::Exists(first.Text()));
    EXPECT_TRUE(kvrtest::Exists(other.Text()));

    FileStream temporary;
    ASSERT_TRUE(temporary.OpenTemporary());
    const String path = temporary.Name();
    temporary.Close();
    EXPECT_FALSE(kvrtest::Exists(path.Text()));
    EXPECT_TRUE(temporary.Name().IsEmpty());

    FileStream named(other, false, false, true);
    ASSERT_TRUE(named.IsOpen());
    named.CloseAndDelete();
    EXPECT_FALSE(named.IsOpen());
    EXPECT_FALSE(kvrtest::Exists(other.Text()));
}

TEST_F(FileStreamTest, KeepsTheStreamContract) {
    FileStream stream;
    ASSERT_TRUE(stream.OpenTemporary());
    CheckStreamContract(stream);
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

struct LineCase {
    const char* name;
    std::string input;
    bool keepBlanks;
    int limit;
    std::string line;
    bool complete;
    std::string rest;
};

// FileStream: CR and LF bytes are dropped wherever they stand; only CR LF ends the line.
const LineCase kFileLineCases[] = {
    {"plain", "abc\r\ndef", true, -1, "abc", true, "def"},
    {"lone CR and LF dropped", std::string("a\rb\nc\r\n", 7), true, -1, "abc", true, ""},
    {"limit stops at once", "abcdef\r\n", true, 3, "abc", false, "def\r\n"},
    {"limit equal to line", "abc\r\nx", true, 3, "abc", false, "\r\nx"},
    {"limit zero", "abc\r\n", true, 0, "", false, "abc\r\n"},
    {"end without CR LF", "tail", true, -1, "tail", false, ""},
    {"empty line", "\r\nnext", true, -1, "", true, "next"},
    {"blanks trimmed", "  a b \t\r\nz", false, -1, "a b", true, "z"},
    {"blanks kept", "  a b \t\r\nz", true, 1024, "  a b \t", true, "z"},
    {"LF CR is not an end", "a\n\rb\r\n", true, -1, "ab", true, ""},
    {"CR CR LF", "a\r\r\nb", true, -1, "a", true, "b"},
    {"empty input", "", true, -1, "", false, ""},
};

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

}  // namespace
