// "User Key Folder...": the real folder browser, a folder selected in it and OK or Cancel
// pressed by a thread timer once it shows; refused choices change nothing.
#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include <string>

#include "app/KeyFolderCommands.h"
#include "settings/Settings.h"
#include "tests/app/AppTestSession.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ThreadWindows.h"

namespace {

TEST(KeyFolderCommands, BrowsedFolderBecomesActiveUnlessStartUpWouldRefuseIt) {
    OleInitialize(nullptr);
    apptest::ClearSettings();
    kvrtest::ScratchFolder scratch;
    ASSERT_TRUE(scratch.IsValid());
    const std::string chosen = scratch.Path();
    const std::string unchanged = "C:\\Prog\\Keys\\";
    const struct {
        const char* folder;
        int button;
        bool taken;
        std::string active;
    } cases[] = {
        {nullptr, IDCANCEL, false, unchanged},
        {"C:\\", IDOK, false, unchanged},  // a drive root
        {chosen.c_str(), IDCANCEL, false, unchanged},
        {chosen.c_str(), IDOK, true, chosen},
    };
    for (const auto& c : cases) {
        SharedKeyFolder active;
        active.Set(unchanged.c_str());
        // In the browser: select the folder (unless none), then press the button.
        const auto answer = [&c](HWND browser) {
            if (c.folder)
                SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(c.folder));
            PostMessageA(browser, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
        };
        bool taken = !c.taken;
        EXPECT_TRUE(kvrtest::AnswerDialog("#32770", answer, [&] { taken = ChooseUserKeyFolder(active, nullptr); }));
        EXPECT_EQ(taken, c.taken) << (c.folder ? c.folder : "-");
        EXPECT_STRCASEEQ(active.Get().Text(), c.active.c_str());
        EXPECT_STRCASEEQ(ReadUserKeyFolder().Text(), c.taken ? c.active.c_str() : "");
    }
    apptest::ClearSettings();
    OleUninitialize();
}

}  // namespace
