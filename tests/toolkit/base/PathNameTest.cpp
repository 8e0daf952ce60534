// PathName: the pieces of local, UNC and URL paths, and the validity rules. Local paths go through the real
// GetFullPathNameA.
#include "toolkit/base/PathName.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct PieceCase {
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
};

const PieceCase kPieceCases[] = {
    {"C:\\a\\b\\file.txt", PathName::kLocal, "C:\\", "a\\b\\", "b\\", "file.txt", "file", "txt", false, false},
    {"C:/a/b/file.txt", PathName::kLocal, "C:\\", "a\\b\\", "b\\", "file.txt", "file", "txt", false, false},
    {"C:\\a\\b\\", PathName::kLocal, "C:\\", "a\\b\\", "b\\", "", "", "", true, true},
    {"C:\\", PathName::kLocal, "C:\\", "", "", "", "", "", true, false},
    {"C:\\x.y.z", PathName::kLocal, "C:\\", "", "", "x.y.z", "x.y", "z", false, false},
    {"C:\\a\\noext", PathName::kLocal, "C:\\", "a\\", "a\\", "noext", "noext", "", false, false},
    {"C:\\a\\..\\b\\f", PathName::kLocal, "C:\\", "b\\", "b\\", "f", "f", "", false, false},
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

TEST(PathName, Pieces) {
    for (const PieceCase& c : kPieceCases) {
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
}

TEST(PathName, ValidityAndKindTests) {
    EXPECT_FALSE(PathName::IsValidPathText(nullptr));
    EXPECT_TRUE(PathName::IsValidPathText(""));
    EXPECT_TRUE(PathName::IsValidPathText("C:\\caf\xE9\\x"));  // bytes above 127 are text
    EXPECT_FALSE(PathName::IsValidPathText("a\x1F"));
    EXPECT_TRUE(PathName::IsUrl("a://"));
    EXPECT_FALSE(PathName::IsUrl("://a"));
    EXPECT_FALSE(PathName::IsUrl(nullptr));
    EXPECT_TRUE(PathName::IsUnc("\\\\s"));
    EXPECT_FALSE(PathName::IsUnc("\\s"));
    EXPECT_FALSE(PathName::IsUnc(nullptr));
}

}  // namespace
