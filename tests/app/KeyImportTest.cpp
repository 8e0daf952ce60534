// Key import into a scratch key folder: the overwrite question declined, a key dropped from the
// key folder itself, and failed copies told to the user. A first import and a replacement the
// user agrees to are checked with the whole program.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/KeyImport.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ThreadWindows.h"
#include "toolkit/window/Toolkit.h"

namespace {

TEST(KeyImport, AnswersAndMessagesOfEachOutcome) {
    kvrtest::ScratchFolder scratch;
    const std::string keys = scratch.PathOf("Keys\\");
    const std::string dropped = scratch.PathOf("friend.key");
    ASSERT_TRUE(CreateDirectoryA(keys.c_str(), nullptr));
    ASSERT_TRUE(kvrtest::WriteFileBytes(dropped, kvrtest::BytesOf("new key")));
    ASSERT_TRUE(kvrtest::WriteFileBytes(keys + "friend.key", kvrtest::BytesOf("old key")));
    const struct {
        std::string source, folder;
        WPARAM key;
        KeyImportResult result;
        std::string shown;  // the window's text; empty: none
    } cases[] = {
        {dropped, keys, VK_ESCAPE, KeyImportResult::kDeclined, kKeyExistsQuestion},
        {keys + "friend.key", keys, VK_ESCAPE, KeyImportResult::kImported, ""},  // already in place
        {dropped, scratch.PathOf("Missing\\"), VK_RETURN, KeyImportResult::kFailed,
         std::string(kKeyCopyFailedMessage) + "friend.key"},
        {scratch.PathOf("gone.key"), keys, VK_RETURN, KeyImportResult::kFailed,
         std::string(kKeyCopyFailedMessage) + "gone.key"},
    };
    for (const auto& c : cases) {
        char shown[512] = {};
        const auto answer = [&](HWND window) {
            GetWindowTextA(window, shown, sizeof(shown));
            PostMessageA(window, WM_KEYDOWN, c.key, 0);
        };
        KeyImportResult result = KeyImportResult::kFailed;
        const auto import = [&] { result = ImportKeyFile(c.source.c_str(), c.folder.c_str(), nullptr, nullptr); };
        EXPECT_EQ(kvrtest::AnswerDialog(kWindowClassName, answer, import), !c.shown.empty()) << c.source;
        EXPECT_EQ(result, c.result) << c.source;
        EXPECT_EQ(shown, c.shown);
    }
    EXPECT_EQ(kvrtest::ReadFileBytes(keys + "friend.key"), kvrtest::BytesOf("old key"));
    EXPECT_EQ(kvrtest::ReadFileBytes(dropped), kvrtest::BytesOf("new key"));
}

}  // namespace
