// FileSystem against the real kernel32 calls in a scratch folder: existence tests, nested
// folder creation, names outside the ANSI code page; the pieces of path names.
#include "toolkit/base/FileSystem.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/PathName.h"

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
    using Case = std::pair<std::string, bool>;
    const Case files[] = {
        {"file.txt", true}, {"sub", true}, {"sub\\", true}, {"missing.txt", false}, {"sub\\missing", false}};
    for (const auto& [relative, exists] : files)
        EXPECT_EQ(exists, fileSystem_.FileExists(At(relative))) << relative;
    EXPECT_FALSE(fileSystem_.FileExists(String("")));
    EXPECT_TRUE(fileSystem_.FileExists(At("file.txt")));
    EXPECT_STREQ(scratch_.PathOf("file.txt").c_str(), fileSystem_.Buffer());
    // A wildcard names a folder when exactly one folder matches: "sub" is the only one so far.
    const Case folders[] = {{"sub", true},        {"sub\\", true}, {"sub/", true}, {"file.txt", false},
                            {"missing\\", false}, {"su*", true},   {"*", true},    {"x*", false}};
    for (const auto& [relative, exists] : folders)
        EXPECT_EQ(exists, fileSystem_.FolderExists(At(relative))) << relative;
    EXPECT_FALSE(fileSystem_.FolderExists(String("")));
    for (const char* windows : {"C:\\windows\\", "C:\\windows", "C:\\"})
        EXPECT_TRUE(fileSystem_.FolderExists(String(windows))) << windows;
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("sub2").c_str(), nullptr));
    EXPECT_FALSE(fileSystem_.FolderExists(At("sub*")));  // two folders match
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
    EXPECT_FALSE(fileSystem_.FolderExists(At("plain\\neste")));  // the last character was not cut
}

// Paths are UTF-8 inside and wide at the system: names outside any ANSI code page survive
// every service (the listing converts them back). Names stored in archives convert from the
// ANSI code page as SafeNameTest checks.
TEST_F(FileSystemTest, NamesOutsideTheAnsiCodePage) {
    const String folder = At("日本 – Müller\\Grüße 𝄞\\");
    ASSERT_TRUE(fileSystem_.CreateFolder(folder));
    const String file = folder + "Ça va.txt";
    FileStream stream;
    ASSERT_TRUE(stream.Open(file, true, true, false));
    EXPECT_EQ(3, stream.Write("abc", 3));
    stream.Close();
    EXPECT_TRUE(fileSystem_.FileExists(file));
    EXPECT_EQ(3, FileSystem::FileSize(file));
    StringList names;
    fileSystem_.ListFolder(At("*.*"), names, FileSystem::kListFiles | FileSystem::kListRecurse);
    EXPECT_GE(names.FindText("日本 – Müller\\Grüße 𝄞\\Ça va.txt"), 0);
    EXPECT_TRUE(fileSystem_.Copy(file, folder + "copy €.txt", false));
    EXPECT_TRUE(RemoveFile(folder + "copy €.txt"));
    EXPECT_FALSE(fileSystem_.FileExists(folder + "copy €.txt"));
    EXPECT_EQ(-1, FileSystem::FileSize(folder + "copy €.txt"));
}

// PathName: the pieces of local, UNC and URL paths; invalid text has no kind. Local paths go
// through the real GetFullPathNameA.
TEST(PathName, Pieces) {
    const struct {
        const char* text;
        int kind;
        const char* root;
        const char* folder;
        const char* lastFolder;
        const char* fileName;
        const char* title;
        const char* extension;
        bool isFolderPath;
        bool isSubFolderPath;
    } cases[] = {
        {"C:\\a\\b\\file.txt", PathName::kLocal, "C:\\", "a\\b\\", "b\\", "file.txt", "file", "txt", false, false},
        {"C:/a/b/file.txt", PathName::kLocal, "C:\\", "a\\b\\", "b\\", "file.txt", "file", "txt", false, false},
        {"C:\\a\\b\\", PathName::kLocal, "C:\\", "a\\b\\", "b\\", "", "", "", true, true},
        {"C:\\", PathName::kLocal, "C:\\", "", "", "", "", "", true, false},
        {"C:\\x.y.z", PathName::kLocal, "C:\\", "", "", "x.y.z", "x.y", "z", false, false},
        {"C:\\a\\noext", PathName::kLocal, "C:\\", "a\\", "a\\", "noext", "noext", "", false, false},
        {"C:\\a\\..\\b\\f", PathName::kLocal, "C:\\", "b\\", "b\\", "f", "f", "", false, false},
        // Bytes above 127 are text.
        {"C:\\caf\xC3\xA9\\x", PathName::kLocal, "C:\\", "caf\xC3\xA9\\", "caf\xC3\xA9\\", "x", "x", "", false, false},
        {"\\\\server\\share\\x.doc", PathName::kUnc, "\\\\server\\", "share\\", "share\\", "x.doc", "x", "doc", false,
         false},
        {"\\\\server", PathName::kUnc, "\\\\server\\", "", "", "", "", "", true, false},
        {"\\\\server/share/", PathName::kUnc, "\\\\server\\", "share\\", "share\\", "", "", "", true, true},
        {"a://b/c/d.e", PathName::kUrl, "a://b/", "c/", "c/", "d.e", "d", "e", false, false},
        {"a://b\\c\\d.e", PathName::kUrl, "a://b/", "c/", "c/", "d.e", "d", "e", false, false},
        {"http://host", PathName::kUrl, "http://host/", "", "", "", "", "", true, false},
        {"http:/x://y", PathName::kNone, "", "", "", "", "", "", false, false},
        {"", PathName::kNone, "", "", "", "", "", "", false, false},
        {"C:\\a?b", PathName::kNone, "", "", "", "", "", "", false, false},
        {"C:\\*.txt", PathName::kNone, "", "", "", "", "", "", false, false},
        {"C:\\a\"b", PathName::kNone, "", "", "", "", "", "", false, false},
        {"C:\\a<b>", PathName::kNone, "", "", "", "", "", "", false, false},
        {"C:\\a\tb", PathName::kNone, "", "", "", "", "", "", false, false},
    };
    for (const auto& c : cases) {
        PathName path;
        EXPECT_EQ(c.kind, path.SetPath(c.text)) << c.text;
        EXPECT_STREQ(c.root, path.GetRoot().Text()) << c.text;
        EXPECT_STREQ(c.folder, path.GetFolder().Text()) << c.text;
        EXPECT_STREQ(c.lastFolder, path.GetLastFolderName().Text()) << c.text;
        EXPECT_STREQ(c.fileName, path.GetFileName().Text()) << c.text;
        EXPECT_STREQ(c.title, path.GetTitle().Text()) << c.text;
        EXPECT_STREQ(c.extension, path.GetExtension(false).Text()) << c.text;
        EXPECT_EQ(c.isFolderPath, path.IsFolderPath()) << c.text;
        EXPECT_EQ(c.isSubFolderPath, path.IsSubFolderPath()) << c.text;
    }
    // Without trailing separators a file's path gives its folder's.
    PathName bare;
    bare.SetTrailingSeparator(false);
    bare.SetPath("C:\\a\\b\\file.txt");
    EXPECT_STREQ(bare.GetLastFolderName().Text(), "b");
    EXPECT_STREQ(bare.GetPath().Text(), "C:\\a\\b");
    EXPECT_FALSE(PathName::IsValidPathText(nullptr));
    EXPECT_FALSE(PathName::IsValidPathText("a\x1F"));
    EXPECT_TRUE(PathName::IsUrl("a://"));
    EXPECT_FALSE(PathName::IsUrl("://a"));
}

}  // namespace
