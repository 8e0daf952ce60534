// Key-folder rules: which stored values select a user key folder, and the shared copy.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/KeyFolders.h"
#include "settings/Settings.h"

namespace {

TEST(KeyFolders, StoredValueSelectsTheActiveFolder) {
    const String program = "C:\\Prog\\";
    const struct {
        const char* stored;
        const char* active;
    } cases[] = {
        {"", "C:\\Prog\\Keys\\"},
        {"D:\\My Keys\\", "D:\\My Keys\\"},
        {"d:\\a\\b\\..\\c\\", "d:\\a\\c\\"},
        {"\\\\server\\share\\keys\\", "\\\\server\\share\\keys\\"},
        {"D:\\My Keys", "C:\\Prog\\Keys\\"},          // no trailing separator
        {"D:\\", "C:\\Prog\\Keys\\"},                 // a drive root
        {"\\\\server\\share\\", "C:\\Prog\\Keys\\"},  // a share root
        {"Keys\\", "C:\\Prog\\Keys\\"},               // relative
        {"\\", "C:\\Prog\\Keys\\"},
        {"http://example.com/keys/", "C:\\Prog\\Keys\\"},
        {"D:\\bad<name>\\", "C:\\Prog\\Keys\\"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(ResolveKeyFolder(c.stored, program).Text(), c.active) << c.stored;
        EXPECT_EQ(IsUsableUserKeyFolder(c.stored), String(c.active) != "C:\\Prog\\Keys\\") << c.stored;
    }
}

TEST(KeyFolders, BrowsedFolderIsTakenOnlyWhenStartUpWouldKeepIt) {
    const struct {
        const char* browsed;
        const char* accepted;
    } cases[] = {
        {"D:\\My Keys", "D:\\My Keys\\"},
        {"D:\\My Keys\\", "D:\\My Keys\\"},
        {"D:\\", ""},
        {"\\\\server\\share", ""},
        {"\\\\server\\share\\keys", "\\\\server\\share\\keys\\"},
        {"", ""},  // cancelled, or a virtual folder without a file-system path
        {"\\", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(AcceptBrowsedFolder(c.browsed).Text(), c.accepted) << c.browsed;
}

TEST(KeyFolders, StartUpAndCheckMarksFollowTheActiveFolder) {
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    const String program = "C:\\Prog\\";
    const struct {
        const char* stored;
        bool userActive;
    } cases[] = {{"", false}, {"D:\\Keys\\", true}, {"D:\\", false}, {"c:\\prog\\keys\\", false}};
    for (const auto& c : cases) {
        WriteUserKeyFolder(c.stored);
        const String active = LoadActiveKeyFolder(program);
        EXPECT_EQ(IsUserKeyFolderActive(active, program), c.userActive) << c.stored;
    }
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

TEST(KeyFolders, CommandsChangeTheActiveFolderAndWhatTheNextStartUses) {
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    const String program = "C:\\Prog\\";
    SharedKeyFolder active;
    active.Set(LoadActiveKeyFolder(program));
    const struct {
        const char* browsed;  // null: "Main Key Folder"
        bool taken;
        const char* active;
    } steps[] = {
        {"D:\\Keys", true, "D:\\Keys\\"},
        {"", false, "D:\\Keys\\"},
        {"E:\\", false, "D:\\Keys\\"},
        {nullptr, true, "C:\\Prog\\Keys\\"},
        {"\\\\srv\\s\\k\\", true, "\\\\srv\\s\\k\\"},
    };
    for (const auto& s : steps) {
        if (s.browsed)
            EXPECT_EQ(UseUserKeyFolder(active, s.browsed), s.taken) << s.browsed;
        else
            UseMainKeyFolder(active, program);
        EXPECT_STREQ(active.Get().Text(), s.active);
        EXPECT_STREQ(LoadActiveKeyFolder(program).Text(), s.active);
    }
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

TEST(KeyFolders, SharedFolderHandsOutWholeCopiesAcrossThreads) {
    SharedKeyFolder shared;
    EXPECT_STREQ(shared.Get().Text(), "");
    struct Writer {
        static DWORD WINAPI Run(void* argument) {
            SharedKeyFolder& target = *static_cast<SharedKeyFolder*>(argument);
            for (int i = 0; i < 20000; i++)
                target.Set(i % 2 ? "C:\\Short\\" : "D:\\A Much Longer Folder Name For The Keys\\");
            return 0;
        }
    };
    HANDLE thread = CreateThread(nullptr, 0, Writer::Run, &shared, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    int torn = 0;
    while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
        const String seen = shared.Get();
        if (seen != "" && seen != "C:\\Short\\" && seen != "D:\\A Much Longer Folder Name For The Keys\\")
            torn++;
    }
    CloseHandle(thread);
    EXPECT_EQ(torn, 0);
    EXPECT_STREQ(shared.Get().Text(), "C:\\Short\\");  // the last write
}

}  // namespace
