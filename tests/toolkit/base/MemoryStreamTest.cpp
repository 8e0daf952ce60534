// MemoryStream: the common stream contract, writes past the end and loading a resource of
// the test program.
#include "toolkit/base/MemoryStream.h"

#include <gtest/gtest.h>

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
