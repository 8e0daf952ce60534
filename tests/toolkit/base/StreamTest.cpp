// The streams: the contract file and memory streams keep alike (writes past the end and
// closing included); FileStream against real files in a scratch folder: temporary files that vanish,
// CloseAndDelete, its own ReadLine (CR and LF dropped). The CRC-32 in blocks over real files
// is checked on every entry the engine writes (DecryptFileTest).
// Loading a resource is checked on the program's own pictures and sounds (ResourceEmbedTest).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"

namespace {

std::string StdText(const String& text) {
    return std::string(text.Text(), text.Length());
}

// From an empty open stream: writes, CRC-32 before any seek (unflushed bytes count), seeks
// outside the content, unsigned bytes, NUL-ended texts, Find from the position, and
// switching from reading to writing and back.
void CheckStreamContract(Stream& stream) {
    ASSERT_EQ(5, stream.WriteLine("abc"));
    ASSERT_EQ(2, stream.WriteText("xyz", 2));
    ASSERT_EQ(8, stream.Write("\xFF\x80\0ab\0cd", 8));
    uint32_t crc = 0;
    ASSERT_TRUE(stream.ComputeCrc32(crc));
    EXPECT_EQ(0xA82D9934u, crc);  // of the 15 bytes "abc\r\nxy\xFF\x80\0ab\0cd"
    EXPECT_EQ(15, stream.Tell());
    EXPECT_EQ(15, stream.GetSize());
    EXPECT_EQ(15, stream.Seek(-1));
    EXPECT_EQ(15, stream.Seek(16));
    EXPECT_EQ(0, stream.Remaining());
    EXPECT_EQ(-1, stream.ReadByte());
    EXPECT_TRUE(stream.ReadText(3).IsEmpty());

    EXPECT_EQ(0, stream.Seek(0));
    EXPECT_EQ("abc\r\nxy", StdText(stream.ReadText(7)));
    EXPECT_EQ(255, stream.ReadByte());
    EXPECT_EQ(128, stream.ReadByte());
    EXPECT_EQ(0, stream.ReadByte());
    EXPECT_EQ("ab", StdText(stream.ReadString0()));
    EXPECT_EQ(13, stream.Tell());  // the NUL is consumed
    EXPECT_EQ("cd", StdText(stream.ReadString0()));
    EXPECT_TRUE(stream.IsEof());
    EXPECT_TRUE(stream.ReadString0().IsEmpty());
    stream.Seek(11);
    EXPECT_EQ(std::string("b\0cd", 4), StdText(stream.ReadText(12)));

    stream.Seek(0);
    EXPECT_EQ(0, stream.Find("abc", 3));
    stream.Seek(1);
    EXPECT_EQ(10, stream.Find("ab", 2));
    EXPECT_EQ(1, stream.Tell());
    EXPECT_EQ(-1, stream.Find("abd", 3));
    EXPECT_EQ(-1, stream.Find("ab", 0));
    stream.Seek(11);
    EXPECT_EQ(-1, stream.Find("ab", 2));

    stream.Seek(2);
    EXPECT_EQ("c\r", StdText(stream.ReadText(2)));
    EXPECT_EQ(2, stream.WriteText("XY"));
    EXPECT_EQ('y', stream.ReadByte());
    stream.Seek(0);
    EXPECT_EQ("abc\rXYy", StdText(stream.ReadText(7)));
    crc = 0;
    ASSERT_TRUE(stream.ComputeCrc32(crc));
    EXPECT_EQ(7, stream.Tell());  // the position stays

    // A write from inside past the end grows the stream; reads stop at its end.
    stream.Seek(13);
    EXPECT_EQ(4, stream.Write("WXYZ", 4));
    EXPECT_EQ(17, stream.GetSize());
    EXPECT_EQ(17, stream.Tell());
    EXPECT_EQ(0, stream.Write("x", 0));
    EXPECT_EQ(0, stream.Write("x", -3));
    char buffer[10] = {};
    stream.Seek(15);
    EXPECT_EQ(2, stream.Read(buffer, 10));
    EXPECT_EQ(0, stream.Read(buffer, 10));
    EXPECT_EQ("YZ", std::string(buffer));
    stream.Close();
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(0, stream.GetSize());
    EXPECT_FALSE(stream.ComputeCrc32(crc));
}

TEST(Stream, FileAndMemoryStreamsKeepTheContract) {
    MemoryStream memory;
    EXPECT_FALSE(memory.IsOpen());
    CheckStreamContract(memory);      // a closed stream allocates on its first write
    EXPECT_EQ(0, memory.Capacity());  // closing gives the memory back
    FileStream file;
    ASSERT_TRUE(file.OpenTemporary());
    CheckStreamContract(file);
}

class FileStreamTest : public testing::Test {
protected:
    String FileWith(const std::string& name, const std::string& content) {
        const std::string path = scratch_.PathOf(name);
        EXPECT_TRUE(kvrtest::WriteFileBytes(path, kvrtest::BytesOf(content)));
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
        uint32_t crc = 0;  // a CRC-32 needs reading
        EXPECT_EQ(read, stream.ComputeCrc32(crc)) << read;
        stream.Close();
        EXPECT_EQ(kvrtest::BytesOf("hello"), kvrtest::ReadFileBytes(path.Text())) << read;
    }
}

TEST_F(FileStreamTest, TemporaryAndDeletedFiles) {
    const String other = FileWith("other.bin", "xyz");
    String temporary;
    {
        FileStream stream;
        ASSERT_TRUE(stream.OpenTemporary());
        temporary = stream.Name();
        EXPECT_EQ(4, stream.WriteText("data"));
        stream.CloseAndDelete();  // a temporary stream ignores it
        EXPECT_TRUE(stream.IsOpen());
        EXPECT_TRUE(kvrtest::Exists(temporary.Text()));
        // Opening another file, closing, opening another temporary and the destructor each
        // delete the temporary file.
        ASSERT_TRUE(stream.Open(other, false, false, true));
        EXPECT_FALSE(kvrtest::Exists(temporary.Text()));
        ASSERT_TRUE(stream.OpenTemporary());
        temporary = stream.Name();
        stream.Close();
        EXPECT_FALSE(kvrtest::Exists(temporary.Text()));
        ASSERT_TRUE(stream.OpenTemporary());
        temporary = stream.Name();
        ASSERT_TRUE(stream.OpenTemporary());
        EXPECT_FALSE(kvrtest::Exists(temporary.Text()));
        temporary = stream.Name();
    }
    EXPECT_FALSE(kvrtest::Exists(temporary.Text()));

    FileStream named(other, false, false, true);  // still there
    ASSERT_TRUE(named.IsOpen());
    named.CloseAndDelete();
    EXPECT_FALSE(named.IsOpen());
    EXPECT_FALSE(kvrtest::Exists(other.Text()));
}

// FileStream: CR and LF bytes are dropped wherever they stand; only CR LF ends the line.
TEST_F(FileStreamTest, ReadLineCases) {
    const struct {
        std::string input;
        bool keepBlanks;
        int limit;
        std::string line;
        bool complete;
        std::string rest;
    } cases[] = {
        {"abc\r\ndef", true, -1, "abc", true, "def"},
        {std::string("a\rb\nc\r\n", 7), true, -1, "abc", true, ""},  // lone CR and LF dropped
        {"abcdef\r\n", true, 3, "abc", false, "def\r\n"},            // the limit stops at once
        {"abc\r\nx", true, 3, "abc", false, "\r\nx"},
        {"abc\r\n", true, 0, "", false, "abc\r\n"},
        {"tail", true, -1, "tail", false, ""},  // the end without CR LF
        {"\r\nnext", true, -1, "", true, "next"},
        {"  a b \t\r\nz", false, -1, "a b", true, "z"},
        {"  a b \t\r\nz", true, 1024, "  a b \t", true, "z"},
        {"a\n\rb\r\n", true, -1, "ab", true, ""},  // LF CR is not an end
        {"a\r\r\nb", true, -1, "a", true, "b"},
        {"", true, -1, "", false, ""},
    };
    for (const auto& c : cases) {
        FileStream stream(FileWith("line.txt", c.input), false, false, true);
        String line;
        bool complete = !c.complete;
        stream.ReadLine(line, c.keepBlanks, c.limit, &complete);
        EXPECT_EQ(c.line, StdText(line)) << testing::PrintToString(c.input);
        EXPECT_EQ(c.complete, complete) << testing::PrintToString(c.input);
        EXPECT_EQ(c.rest, StdText(stream.ReadText(-1))) << testing::PrintToString(c.input);
    }
}

}  // namespace
