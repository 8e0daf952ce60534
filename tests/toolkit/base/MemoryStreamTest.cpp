// MemoryStream: capacity steps, reads and writes at the ends, its own ReadLine (lone CR and
// LF kept), ReadString0, Find, CRC-32 and loading a resource of the test program.
#include "toolkit/base/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/toolkit/base/StreamTestData.h"

namespace {

MemoryStream& Filled(MemoryStream& stream, const std::string& bytes) {
    stream.Write(bytes.data(), static_cast<int>(bytes.size()));
    stream.Seek(0);
    return stream;
}

std::string Bytes(const String& text) {
    return std::string(text.Text(), text.Length());
}

TEST(MemoryStream, CapacityGrowsInSteps) {
    struct Case {
        int size;
        int capacity;
    };
    const Case cases[] = {{0, 1024}, {1, 1024}, {1023, 1024}, {1024, 2048}, {1500, 2048}, {2047, 2048}, {5000, 5120}};
    for (const Case& c : cases) {
        MemoryStream stream;
        EXPECT_TRUE(stream.SetLength(c.size, false));
        EXPECT_EQ(c.capacity, stream.Capacity()) << c.size;
        EXPECT_EQ(c.size, stream.GetSize());
    }
}

TEST(MemoryStream, ShrinkingKeepsLeadingBytes) {
    MemoryStream stream;
    std::string data(1500, 0);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = static_cast<char>(i * 7);
    EXPECT_EQ(1500, stream.Write(data.data(), 1500));
    EXPECT_EQ(2048, stream.Capacity());
    EXPECT_TRUE(stream.SetLength(100, true));
    EXPECT_EQ(1024, stream.Capacity());
    ASSERT_EQ(100, stream.GetSize());
    EXPECT_EQ(0, memcmp(stream.Data(), data.data(), 100));
}

TEST(MemoryStream, SetSizePullsPositionBack) {
    MemoryStream stream;
    Filled(stream, "0123456789");
    stream.Seek(8);
    EXPECT_TRUE(stream.SetSize(4));
    EXPECT_EQ(4, stream.Tell());
    EXPECT_TRUE(stream.IsEof());
    EXPECT_TRUE(stream.SetSize(-5));
    EXPECT_EQ(0, stream.GetSize());
}

TEST(MemoryStream, WriteInsideAndPastTheEnd) {
    MemoryStream stream;
    Filled(stream, "abcdef");
    stream.Seek(4);
    EXPECT_EQ(4, stream.Write("WXYZ", 4));
    EXPECT_EQ(8, stream.GetSize());
    EXPECT_EQ(8, stream.Tell());
    stream.Seek(0);
    EXPECT_EQ("abcdWXYZ", Bytes(stream.ReadText(-1)));
    EXPECT_EQ(0, stream.Write("x", 0));
    EXPECT_EQ(0, stream.Write("x", -3));
    EXPECT_EQ(8, stream.GetSize());
}

TEST(MemoryStream, ClosedStreamAllocatesOnWrite) {
    MemoryStream stream;
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(3, stream.WriteText("abc"));
    EXPECT_TRUE(stream.IsOpen());
    stream.Close();
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(0, stream.GetSize());
    EXPECT_EQ(0, stream.Capacity());
    uint32_t crc = 0;
    EXPECT_FALSE(stream.ComputeCrc32(crc));
}

TEST(MemoryStream, SeekOutsideMovesToEnd) {
    MemoryStream stream;
    Filled(stream, "hello");
    EXPECT_EQ(5, stream.Seek(-1));
    EXPECT_EQ(2, stream.Seek(2));
    EXPECT_EQ(5, stream.Seek(6));
    EXPECT_EQ(0, stream.Remaining());
}

TEST(MemoryStream, ReadsAreCutToTheRemainder) {
    MemoryStream stream;
    Filled(stream, "0123456789");
    stream.Seek(5);
    EXPECT_EQ("56789", Bytes(stream.ReadText(12)));
    EXPECT_TRUE(stream.ReadText(3).IsEmpty());
    stream.Seek(8);
    char buffer[10] = {};
    EXPECT_EQ(2, stream.Read(buffer, 10));
    EXPECT_EQ(0, stream.Read(buffer, 10));
    EXPECT_EQ(-1, stream.ReadByte());
    stream.Seek(0);
    EXPECT_EQ('0', stream.ReadByte());
    EXPECT_TRUE(stream.ReadText(0).IsEmpty());
}

TEST(MemoryStream, ReadByteGivesUnsignedValues) {
    MemoryStream stream;
    Filled(stream, std::string("\xFF\x80\x00", 3));
    EXPECT_EQ(255, stream.ReadByte());
    EXPECT_EQ(128, stream.ReadByte());
    EXPECT_EQ(0, stream.ReadByte());
    EXPECT_EQ(-1, stream.ReadByte());
}

TEST(MemoryStream, ReadLineCases) {
    for (const LineCase& c : kMemoryLineCases) {
        MemoryStream stream;
        Filled(stream, c.input);
        String line;
        bool complete = !c.complete;
        stream.ReadLine(line, c.keepBlanks, c.limit, &complete);
        EXPECT_EQ(c.line, Bytes(line)) << c.name;
        EXPECT_EQ(c.complete, complete) << c.name;
        EXPECT_EQ(c.rest, Bytes(stream.ReadText(-1))) << c.name;
    }
}

TEST(MemoryStream, ReadString0StopsAtNul) {
    MemoryStream stream;
    Filled(stream, std::string("ab\0cd", 5));
    const String first = stream.ReadString0();
    EXPECT_EQ("ab", Bytes(first));
    EXPECT_EQ(3, stream.Tell());
    EXPECT_EQ("cd", Bytes(stream.ReadString0()));
    EXPECT_TRUE(stream.IsEof());
    EXPECT_TRUE(stream.ReadString0().IsEmpty());
}

TEST(MemoryStream, FindFromThePosition) {
    MemoryStream stream;
    Filled(stream, "abcabcabc");
    EXPECT_EQ(0, stream.Find("abc", 3));
    stream.Seek(1);
    EXPECT_EQ(3, stream.Find("abc", 3));
    EXPECT_EQ(1, stream.Tell());
    EXPECT_EQ(-1, stream.Find("abd", 3));
    EXPECT_EQ(-1, stream.Find("abc", 0));
    stream.Seek(7);
    EXPECT_EQ(-1, stream.Find("abc", 3));
}

TEST(MemoryStream, Crc32OfCheckValueLeavesPosition) {
    MemoryStream stream;
    Filled(stream, "123456789");
    stream.Seek(4);
    uint32_t crc = 0;
    ASSERT_TRUE(stream.ComputeCrc32(crc));
    EXPECT_EQ(0xCBF43926u, crc);
    EXPECT_EQ(4, stream.Tell());
}

TEST(MemoryStream, WriteLineAddsCrLf) {
    MemoryStream stream;
    EXPECT_EQ(5, stream.WriteLine("abc"));
    EXPECT_EQ(2, stream.WriteText("xyz", 2));
    stream.Seek(0);
    EXPECT_EQ("abc\r\nxy", Bytes(stream.ReadText(-1)));
}

TEST(MemoryStream, AllocateDropsContent) {
    MemoryStream stream;
    Filled(stream, "abc");
    stream.Seek(2);
    EXPECT_TRUE(stream.Allocate(10));
    EXPECT_EQ(10, stream.GetSize());
    EXPECT_EQ(0, stream.Tell());
}

TEST(MemoryStream, LoadResourceOfTheProgram) {
    MemoryStream stream;
    stream.WriteText("old content");
    ASSERT_TRUE(stream.LoadResource("BINARY", 301));
    EXPECT_EQ(0, stream.Tell());
    EXPECT_EQ("KVR resource bytes", Bytes(stream.ReadText(-1)).substr(0, 18));
    EXPECT_FALSE(stream.LoadResource("BINARY", 399));
    EXPECT_EQ(0, stream.GetSize());
}

}  // namespace
