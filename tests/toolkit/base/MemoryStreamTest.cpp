// MemoryStream: capacity steps, the common stream contract, writes past the end, its own
// ReadLine (lone CR and LF kept) and loading a resource of the test program.
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

TEST(MemoryStream, CapacityStepsAndSizeChanges) {
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
    MemoryStream stream;
    std::string data(1500, 0);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = static_cast<char>(i * 7);
    EXPECT_EQ(1500, stream.Write(data.data(), 1500));
    EXPECT_EQ(2048, stream.Capacity());
    EXPECT_TRUE(stream.SetLength(100, true));  // shrinks the block, keeps the leading bytes
    EXPECT_EQ(1024, stream.Capacity());
    ASSERT_EQ(100, stream.GetSize());
    EXPECT_EQ(0, memcmp(stream.Data(), data.data(), 100));
    stream.Seek(80);
    EXPECT_TRUE(stream.SetSize(40));
    EXPECT_EQ(40, stream.Tell());
    EXPECT_TRUE(stream.IsEof());
    EXPECT_TRUE(stream.SetSize(-5));
    EXPECT_EQ(0, stream.GetSize());
    Filled(stream, "abc").Seek(2);
    EXPECT_TRUE(stream.Allocate(10));  // drops the content
    EXPECT_EQ(10, stream.GetSize());
    EXPECT_EQ(0, stream.Tell());
}

TEST(MemoryStream, KeepsTheStreamContract) {
    MemoryStream stream;
    EXPECT_FALSE(stream.IsOpen());
    CheckStreamContract(stream);  // a closed stream allocates on its first write
}

TEST(MemoryStream, WritesPastTheEndAndClose) {
    MemoryStream stream;
    Filled(stream, "abcdef");
    stream.Seek(4);
    EXPECT_EQ(4, stream.Write("WXYZ", 4));
    EXPECT_EQ(8, stream.GetSize());
    EXPECT_EQ(8, stream.Tell());
    EXPECT_EQ(0, stream.Write("x", 0));
    EXPECT_EQ(0, stream.Write("x", -3));
    char buffer[10] = {};
    stream.Seek(6);
    EXPECT_EQ(2, stream.Read(buffer, 10));
    EXPECT_EQ(0, stream.Read(buffer, 10));
    EXPECT_EQ("YZ", std::string(buffer));
    stream.Close();
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(0, stream.GetSize());
    EXPECT_EQ(0, stream.Capacity());
    uint32_t crc = 0;
    EXPECT_FALSE(stream.ComputeCrc32(crc));
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
