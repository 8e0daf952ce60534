// MemoryStream: the common stream contract, writes past the end and closing. Loading a
// resource is checked on the program's own pictures and sounds (ResourceEmbedTest).
#include "toolkit/base/MemoryStream.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/base/StreamTestData.h"

namespace {

TEST(MemoryStream, KeepsTheStreamContract) {
    MemoryStream stream;
    EXPECT_FALSE(stream.IsOpen());
    CheckStreamContract(stream);  // a closed stream allocates on its first write
}

TEST(MemoryStream, WritesPastTheEndAndClose) {
    MemoryStream stream;
    stream.Write("abcdef", 6);
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

}  // namespace
