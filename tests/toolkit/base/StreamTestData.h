// The contract every stream keeps alike, checked on a file and on a memory stream.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "toolkit/base/Stream.h"

// From an empty open stream: writes, CRC-32 before any seek (unflushed bytes count), seeks
// outside the content, unsigned bytes, NUL-ended texts, Find from the position, and
// switching from reading to writing and back.
inline void CheckStreamContract(Stream& stream) {
    const auto text = [](const String& s) { return std::string(s.Text(), s.Length()); };
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
    EXPECT_EQ("abc\r\nxy", text(stream.ReadText(7)));
    EXPECT_EQ(255, stream.ReadByte());
    EXPECT_EQ(128, stream.ReadByte());
    EXPECT_EQ(0, stream.ReadByte());
    EXPECT_EQ("ab", text(stream.ReadString0()));
    EXPECT_EQ(13, stream.Tell());  // the NUL is consumed
    EXPECT_EQ("cd", text(stream.ReadString0()));
    EXPECT_TRUE(stream.IsEof());
    EXPECT_TRUE(stream.ReadString0().IsEmpty());
    stream.Seek(11);
    EXPECT_EQ(std::string("b\0cd", 4), text(stream.ReadText(12)));

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
    EXPECT_EQ("c\r", text(stream.ReadText(2)));
    EXPECT_EQ(2, stream.WriteText("XY"));
    EXPECT_EQ('y', stream.ReadByte());
    stream.Seek(0);
    EXPECT_EQ("abc\rXYy", text(stream.ReadText(7)));
    crc = 0;
    ASSERT_TRUE(stream.ComputeCrc32(crc));
    EXPECT_EQ(7, stream.Tell());  // the position stays
}
