// Key-folder rules: which stored or browsed values select a user key folder, the commands, and
// what the next start and the check marks make of them.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/KeyFolders.h"
#include "settings/Settings.h"

namespace {

const char* const kProgram = "C:\\Prog\\";
const char* const kMain = "C:\\Prog\\Keys\\";

TEST(KeyFolders, StoredAndBrowsedValuesSelectTheActiveFolder) {
    const struct {
        const char* value;
        const char* active;   // from the stored value at start-up
        const char* browsed;  // the same text as a folder-browser result
    } cases[] = {
        {"", kMain, ""},  // nothing stored; a cancel or a virtual folder in the browser
        {"D:\\My Keys\\", "D:\\My Keys\\", "D:\\My Keys\\"},
        {"d:\\a\\b\\..\\c\\", "d:\\a\\c\\", "d:\\a\\c\\"},
        {"\\\\server\\share\\keys\\", "\\\\server\\share\\keys\\", "\\\\server\\share\\keys\\"},
        {"D:\\My Keys", kMain, "D:\\My Keys\\"},  // the browser's result gains its separator
        {"D:\\", kMain, ""},                      // a drive root
        {"\\\\server\\share\\", kMain, ""},       // a share root
        {"Keys\\", kMain, ""},                    // relative
        {"\\", kMain, ""},
        {"http://example.com/keys/", kMain, ""},
        {"D:\\bad<name>\\", kMain, ""},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(ResolveKeyFolder(c.value, kProgram).Text(), c.active) << c.value;
        EXPECT_STREQ(AcceptBrowsedFolder(c.value).Text(), c.browsed) << c.value;
    }
}

TEST(KeyFolders, CommandsChangeTheActiveFolderTheMarksAndWhatTheNextStartUses) {
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    SharedKeyFolder active;
    active.Set(LoadActiveKeyFolder(kProgram));
    const struct {
        const char* browsed;  // null: "Main Key Folder"
        bool taken;
        const char* active;
        bool userMark;
    } steps[] = {
        {"D:\\Keys", true, "D:\\Keys\\", true},
        {"", false, "D:\\Keys\\", true},
        {"E:\\", false, "D:\\Keys\\", true},
        {nullptr, true, kMain, false},
        {"c:\\prog\\keys\\", true, "c:\\prog\\keys\\", false},  // the main folder, chosen by hand
    };
    for (const auto& s : steps) {
        if (s.browsed)
            EXPECT_EQ(UseUserKeyFolder(active, s.browsed), s.taken) << s.browsed;
        else
            UseMainKeyFolder(active, kProgram);
        EXPECT_STREQ(active.Get().Text(), s.active);
        EXPECT_STREQ(LoadActiveKeyFolder(kProgram).Text(), s.active);
        EXPECT_EQ(IsUserKeyFolderActive(active.Get(), kProgram), s.userMark);
    }
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

}  // namespace
