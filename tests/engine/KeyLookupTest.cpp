// Key lookup against real files: the order of the three candidates, names that try to
// leave the key folder, device names and folders posing as keys.
#include "engine/KeyLookup.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"

namespace {

class KeyLookupTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.IsValid());
        for (const char* folder : {"Keys", "Keys\\mine", "Source", "Outside", "Keys\\folder.key"})
            ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf(folder).c_str(), nullptr)) << folder;
        keyFolder_ = scratch_.PathOf("Keys\\");
        source_ = scratch_.PathOf("Source\\archive.enc");
    }
    void Put(const std::string& relative) {
        ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf(relative), kvrtest::BytesOf("key")));
    }
    std::string Find(const std::string& keyName) const {
        return FindKeyFile(String(keyFolder_.c_str()), String(keyName.c_str()), String(source_.c_str())).Text();
    }

    kvrtest::ScratchFolder scratch_;
    std::string keyFolder_;
    std::string source_;
};

TEST_F(KeyLookupTest, CandidatesInOrder) {
    Put("Keys\\mine\\friend.key");
    Put("Keys\\friend.key");
    Put("Source\\friend.key");
    EXPECT_EQ(keyFolder_ + "mine\\friend.key", Find("mine\\friend.key"));
    DeleteFileA(scratch_.PathOf("Keys\\mine\\friend.key").c_str());
    EXPECT_EQ(keyFolder_ + "friend.key", Find("mine\\friend.key"));
    DeleteFileA(scratch_.PathOf("Keys\\friend.key").c_str());
    EXPECT_EQ(scratch_.PathOf("Source\\friend.key"), Find("mine\\friend.key"));
    DeleteFileA(scratch_.PathOf("Source\\friend.key").c_str());
    EXPECT_EQ("", Find("mine\\friend.key"));
}

TEST_F(KeyLookupTest, EscapingNamesUseOnlyTheFileName) {
    // Each name would reach Outside\k.key if it were joined as a whole.
    Put("Outside\\k.key");
    const std::string outside = scratch_.PathOf("Outside\\k.key");
    const std::string escaping[] = {
        "..\\Outside\\k.key", "mine\\..\\..\\Outside\\k.key", "../Outside/k.key", outside,
        outside.substr(2),  // leading separator, no drive
        "\\\\?\\" + outside,
    };
    for (const std::string& name : escaping)
        EXPECT_EQ("", Find(name)) << name;
    Put("Keys\\k.key");
    for (const std::string& name : escaping)
        EXPECT_EQ(keyFolder_ + "k.key", Find(name)) << name;
}

TEST_F(KeyLookupTest, DeviceNamesColonsAndFoldersAreNeverKeys) {
    // The last three are folders that exist.
    const char* const refused[] = {"CON",     "con.key",      "Nul",         "nul.txt",    "AUX",
                                   "PRN.x.y", "COM1",         "lpt9.key",    "mine\\COM3", "NUL ",
                                   "a:b",     "k.key:stream", "C:k.key",     "folder.key", "mine",
                                   "mine\\",  "conin$",       "CONOUT$.key", "k.key.",     "a\tb"};
    for (const char* name : refused)
        EXPECT_EQ("", Find(name)) << name;
    for (const char* name : {"CONSOLE.key", "COM10", "LPT0", "nulls", "auxiliary.key"}) {
        Put(std::string("Keys\\") + name);
        EXPECT_EQ(keyFolder_ + name, Find(name)) << name;
    }
}

}  // namespace
