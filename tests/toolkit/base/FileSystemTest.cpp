// FileSystem against the real kernel32 calls in a scratch folder: existence tests, nested
// folder creation, the temporary folder and files, copying and listing.
#include "toolkit/base/FileSystem.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"

namespace {

class FileSystemTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf("file.txt"), kvrtest::BytesOf("abc")));
        ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("sub").c_str(), nullptr));
    }
    String At(const std::string& relative) const { return String(scratch_.PathOf(relative).c_str()); }

    kvrtest::ScratchFolder scratch_;
    FileSystem fileSystem_;
};

TEST_F(FileSystemTest, FileAndFolderExist) {
    struct Case {
        std::string relative;
        bool exists;
    };
    const Case files[] = {
        {"file.txt", true}, {"sub", true}, {"sub\\", true}, {"missing.txt", false}, {"sub\\missing", false}};
    for (const Case& c : files)
        EXPECT_EQ(c.exists, fileSystem_.FileExists(At(c.relative))) << c.relative;
    EXPECT_FALSE(fileSystem_.FileExists(String("")));
    EXPECT_TRUE(fileSystem_.FileExists(At("file.txt")));
    EXPECT_STREQ(scratch_.PathOf("file.txt").c_str(), fileSystem_.Buffer());
    // A wildcard names a folder when exactly one folder matches: "sub" is the only one so far.
    const Case folders[] = {{"sub", true},        {"sub\\", true}, {"sub/", true}, {"file.txt", false},
                            {"missing\\", false}, {"su*", true},   {"*", true},    {"x*", false}};
    for (const Case& c : folders)
        EXPECT_EQ(c.exists, fileSystem_.FolderExists(At(c.relative))) << c.relative;
    EXPECT_FALSE(fileSystem_.FolderExists(String("")));
    for (const char* windows : {"C:\\windows\\", "C:\\windows", "C:\\"})
        EXPECT_TRUE(fileSystem_.FolderExists(String(windows))) << windows;
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("sub2").c_str(), nullptr));
    EXPECT_FALSE(fileSystem_.FolderExists(At("sub*")));  // two folders match

    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch_.Path().c_str()));
    EXPECT_TRUE(fileSystem_.FileExists(String("file.txt")));
    EXPECT_FALSE(fileSystem_.FileExists(String("nothing.txt")));
    SetCurrentDirectoryA(saved);
}

TEST_F(FileSystemTest, CreateFolderWithParents) {
    EXPECT_TRUE(fileSystem_.CreateFolder(At("new\\deeper\\deepest\\")));
    EXPECT_TRUE(fileSystem_.FolderExists(At("new\\deeper\\deepest")));
    EXPECT_FALSE(fileSystem_.CreateFolder(At("new\\deeper\\")));  // exists already
    EXPECT_FALSE(fileSystem_.CreateFolder(String("")));
    EXPECT_FALSE(fileSystem_.CreateFolder(At("file.txt\\inside\\")));  // a file in the way
    EXPECT_TRUE(fileSystem_.CreateFolder(At("mixed/slashes\\here\\")));
    EXPECT_TRUE(fileSystem_.FolderExists(At("mixed\\slashes\\here")));
    fileSystem_.SetWithSeparator(false);
    EXPECT_TRUE(fileSystem_.CreateFolder(At("plain\\nested")));
    EXPECT_TRUE(fileSystem_.FolderExists(At("plain\\nested")));
    EXPECT_FALSE(fileSystem_.FolderExists(At("plain\\neste")));  // the last character was not cut
}

TEST_F(FileSystemTest, TempFolderAndFreshEmptyTempFiles) {
    EXPECT_TRUE(fileSystem_.WithSeparator());
    const String with = fileSystem_.TempFolder();
    ASSERT_GT(with.Length(), 1);
    EXPECT_EQ('\\', with.GetAt(with.Length() - 1));
    EXPECT_TRUE(fileSystem_.FolderExists(with));
    const String first = fileSystem_.TempFileName();
    const String second = fileSystem_.TempFileName();
    ASSERT_FALSE(first.IsEmpty());
    EXPECT_STRNE(first.Text(), second.Text());
    for (const String* name : {&first, &second}) {
        EXPECT_TRUE(fileSystem_.FileExists(*name));
        EXPECT_TRUE(kvrtest::ReadFileBytes(name->Text()).empty());
        const std::string path = name->Text();
        EXPECT_EQ(0u, path.substr(path.rfind('\\') + 1).find("tmp")) << path;
        EXPECT_EQ(0, path.find(with.Text())) << path;
        DeleteFileA(name->Text());
    }
    fileSystem_.SetWithSeparator(false);
    EXPECT_EQ(std::string(with.Text(), with.Length() - 1), std::string(fileSystem_.TempFolder().Text()));
}

TEST_F(FileSystemTest, CopyFileOverwriteRuleAndShellOpenFailures) {
    ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf("target.txt"), kvrtest::BytesOf("old")));
    EXPECT_FALSE(fileSystem_.CopyFile(At("file.txt"), At("target.txt"), false));
    EXPECT_EQ(kvrtest::BytesOf("old"), kvrtest::ReadFileBytes(scratch_.PathOf("target.txt")));
    EXPECT_TRUE(fileSystem_.CopyFile(At("file.txt"), At("target.txt"), true));
    EXPECT_EQ(kvrtest::BytesOf("abc"), kvrtest::ReadFileBytes(scratch_.PathOf("target.txt")));
    EXPECT_TRUE(fileSystem_.CopyFile(At("file.txt"), At("sub\\copy.txt"), false));
    EXPECT_FALSE(fileSystem_.CopyFile(At("missing.txt"), At("x.txt"), true));
    EXPECT_FALSE(fileSystem_.ShellOpen(At("no-such-document.xyz"), String(""), SW_HIDE));
    EXPECT_FALSE(fileSystem_.ShellOpen(String(""), String(""), SW_HIDE));
}

std::set<std::string> Names(const StringList& list) {
    std::set<std::string> names;
    for (int i = 0; i < list.Count(); i++)
        names.insert(list.At(i).Text());
    return names;
}

TEST_F(FileSystemTest, ListFolderFlags) {
    ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf("sub\\inner.txt"), kvrtest::BytesOf("x")));
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("sub\\deep").c_str(), nullptr));
    ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf("sub\\deep\\d.dat"), kvrtest::BytesOf("x")));
    struct Case {
        const char* pattern;
        int flags;
        std::set<std::string> names;
    };
    const Case cases[] = {
        {"*.*", FileSystem::kListFiles, {"file.txt"}},
        {"*.*", FileSystem::kListFolders, {"sub\\"}},
        {"*.*", FileSystem::kListFiles | FileSystem::kListFolders, {"file.txt", "sub\\"}},
        {"*.*",
         FileSystem::kListFiles | FileSystem::kListFolders | FileSystem::kListRecurse,
         {"file.txt", "sub\\", "sub\\inner.txt", "sub\\deep\\", "sub\\deep\\d.dat"}},
        {"*.txt", FileSystem::kListFiles | FileSystem::kListRecurse, {"file.txt", "sub\\inner.txt"}},
        {"", FileSystem::kListFiles, {"file.txt"}},
    };
    for (const Case& c : cases) {
        StringList list;
        fileSystem_.ListFolder(At(c.pattern), list, c.flags);
        EXPECT_EQ(c.names, Names(list)) << c.pattern << " " << c.flags;
    }
}

}  // namespace
