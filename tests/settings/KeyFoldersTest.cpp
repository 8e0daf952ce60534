// Key-folder rules: which stored values select a user key folder, and the shared copy.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/KeyFolders.h"

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
