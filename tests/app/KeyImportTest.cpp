// Key import into a scratch key folder: the overwrite question declined, a key dropped from the
// key folder itself, and failed copies told to the user.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/KeyImport.h"
#include "tests/app/AppTestSession.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"

namespace {

void WriteText(const std::string& path, const char* text) {
    ASSERT_TRUE(kvrtest::WriteFileBytes(path, kvrtest::BytesOf(text)));
}

std::string ReadText(const std::string& path) {
    const kvrtest::Bytes bytes = kvrtest::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class KeyImportTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_TRUE(CreateDirectoryA(keys_.c_str(), nullptr));
        WriteText(dropped_, "new key");
    }

    kvrtest::ScratchFolder scratch_;
    const std::string keys_ = scratch_.PathOf("Keys\\");
    const std::string dropped_ = scratch_.PathOf("friend.key");
};

// A first import and a replacement the user agrees to are checked with the whole program.
TEST_F(KeyImportTest, ExistingKeyIsKeptWhenTheUserSaysNo) {
    const std::string target = keys_ + "friend.key";
    WriteText(target, "old key");
    apptest::WindowAnswerer answerer(kKeyExistsQuestion, VK_ESCAPE);
    EXPECT_EQ(ImportKeyFile(dropped_.c_str(), keys_.c_str(), nullptr, nullptr), KeyImportResult::kDeclined);
    EXPECT_TRUE(answerer.Seen());
    EXPECT_EQ(ReadText(target), "old key");
    EXPECT_EQ(ReadText(dropped_), "new key");
}

TEST_F(KeyImportTest, KeyDroppedFromTheKeyFolderIsAlreadyInPlace) {
    const std::string inPlace = keys_ + "friend.key";
    WriteText(inPlace, "kept");
    apptest::WindowAnswerer answerer(kKeyExistsQuestion, VK_ESCAPE);
    EXPECT_EQ(ImportKeyFile(inPlace.c_str(), keys_.c_str(), nullptr, nullptr), KeyImportResult::kImported);
    EXPECT_FALSE(answerer.Seen());
    EXPECT_EQ(ReadText(inPlace), "kept");
}

TEST_F(KeyImportTest, FailedCopyShowsAMessageNamingTheKey) {
    const struct {
        std::string source;
        std::string folder;
    } cases[] = {
        {dropped_, scratch_.PathOf("Missing\\")},  // the key folder does not exist
        {scratch_.PathOf("gone.key"), keys_},      // the dropped file went away
    };
    for (const auto& c : cases) {
        const std::string name = c.source.substr(c.source.rfind('\\') + 1);
        apptest::WindowAnswerer answerer(std::string(kKeyCopyFailedMessage) + name, VK_RETURN);
        EXPECT_EQ(ImportKeyFile(c.source.c_str(), c.folder.c_str(), nullptr, nullptr), KeyImportResult::kFailed);
        EXPECT_TRUE(answerer.Seen()) << c.source;
    }
}

}  // namespace
