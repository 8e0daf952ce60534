// PathName: the pieces of local, UNC and URL paths; invalid text has no kind. Local paths go
// through the real GetFullPathNameA.
#include "toolkit/base/PathName.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct PieceCase {
    const char* text;
    int kind;
    const char* root;
    const char* folder;
    const char* fileName;
    const char* title;
    const char* extension;
    bool isSubFolderPath;
};

const PieceCase kPieceCases[] = {
    {"C:\\a\\b\\file.txt", PathName::kLocal, "C:\\", "a\\b\\", "file.txt", "file", "txt", false},
    {"C:/a/b/file.txt", PathName::kLocal, "C:\\", "a\\b\\", "file.txt", "file", "txt", false},
    {"C:\\a\\b\\", PathName::kLocal, "C:\\", "a\\b\\", "", "", "", true},
    {"C:\\", PathName::kLocal, "C:\\", "", "", "", "", false},
    {"C:\\x.y.z", PathName::kLocal, "C:\\", "", "x.y.z", "x.y", "z", false},
    {"C:\\a\\noext", PathName::kLocal, "C:\\", "a\\", "noext", "noext", "", false},
    {"C:\\a\\..\\b\\f", PathName::kLocal, "C:\\", "b\\", "f", "f", "", false},
    {"C:\\caf\xC3\xA9\\x", PathName::kLocal, "C:\\", "caf\xC3\xA9\\", "x", "x", "", false},  // bytes above 127 are text
    {"\\\\server\\share\\x.doc", PathName::kUnc, "\\\\server\\", "share\\", "x.doc", "x", "doc", false},
    {"\\\\server", PathName::kUnc, "\\\\server\\", "", "", "", "", false},
    {"\\\\server/share/", PathName::kUnc, "\\\\server\\", "share\\", "", "", "", true},
    {"a://b/c/d.e", PathName::kUrl, "a://b/", "c/", "d.e", "d", "e", false},
    {"a://b\\c\\d.e", PathName::kUrl, "a://b/", "c/", "d.e", "d", "e", false},
    {"http://host", PathName::kUrl, "http://host/", "", "", "", "", false},
    {"http:/x://y", PathName::kNone, "", "", "", "", "", false},
    {"", PathName::kNone, "", "", "", "", "", false},
    {"C:\\a?b", PathName::kNone, "", "", "", "", "", false},
    {"C:\\*.txt", PathName::kNone, "", "", "", "", "", false},
    {"C:\\a\"b", PathName::kNone, "", "", "", "", "", false},
    {"C:\\a<b>", PathName::kNone, "", "", "", "", "", false},
    {"C:\\a\tb", PathName::kNone, "", "", "", "", "", false},
};

TEST(PathName, Pieces) {
    for (const PieceCase& c : kPieceCases) {
        PathName path;
        EXPECT_EQ(c.kind, path.SetPath(c.text)) << c.text;
        EXPECT_STREQ(c.root, path.GetRoot().Text()) << c.text;
        EXPECT_STREQ(c.folder, path.GetFolder().Text()) << c.text;
        EXPECT_STREQ(c.fileName, path.GetFileName().Text()) << c.text;
        EXPECT_STREQ(c.title, path.GetTitle().Text()) << c.text;
        EXPECT_STREQ(c.extension, path.GetExtension(false).Text()) << c.text;
        EXPECT_EQ(c.isSubFolderPath, path.IsSubFolderPath()) << c.text;
    }
}

}  // namespace
