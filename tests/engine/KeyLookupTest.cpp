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
    }
    void Put(const std::string& relative) {
        ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf(relative), kvrtest::BytesOf("key")));
    }
    std::string Find(const std::string& keyName) const {
        return FindKeyFile(String(keyFolder_.c_str()), String(keyName.c_str()), String(source_.c_str())).Text();
    }

    kvrtest::ScratchFolder scratch_;
    const std::string keyFolder_ = scratch_.PathOf("Keys\\");
    const std::string source_ = scratch_.PathOf("Source\\archive.enc");
};

TEST_F(KeyLookupTest, CandidatesInOrder) {
    // The name as given below the key folder, its file name there, its file name beside the source.
    const std::string candidates[] = {keyFolder_ + "mine\\friend.key", keyFolder_ + "friend.key",
                                      scratch_.PathOf("Source\\friend.key")};
    for (const std::string& path : candidates)
        ASSERT_TRUE(kvrtest::WriteFileBytes(path, kvrtest::BytesOf("key")));
    for (const std::string& path : candidates) {
        EXPECT_EQ(path, Find("mine\\friend.key"));
        DeleteFileA(path.c_str());
    }
    EXPECT_EQ("", Find("mine\\friend.key"));
}

TEST_F(KeyLookupTest, EscapingNamesUseOnlyTheFileNameAndDevicesOrFoldersAreNeverKeys) {
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
    // The key name's file part passes the rule of SafeNameTest (a few of its names here, the
    // device with a folder part and a name like a device that is a key); the last three are
    // folders that exist.
    for (const char* name :
         {"CON", "nul.txt", "mine\\COM3", "k.key:stream", "C:k.key", "k.key.", "folder.key", "mine", "mine\\"})
        EXPECT_EQ("", Find(name)) << name;
    Put("Keys\\COM10");
    EXPECT_EQ(keyFolder_ + "COM10", Find("COM10"));
}

}  // namespace
