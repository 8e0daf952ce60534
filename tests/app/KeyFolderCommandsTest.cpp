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

namespace {

// What the timer does with the browser: select `folder` (unless null), then press `button`.
struct BrowserAnswer {
    const char* folder;
    int button;
    bool done;
};
BrowserAnswer* pending = nullptr;

BOOL CALLBACK FindBrowser(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (!IsWindowVisible(window) || lstrcmpA(name, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

VOID CALLBACK AnswerBrowser(HWND, UINT, UINT_PTR, DWORD) {
    if (!pending || pending->done)
        return;
    HWND browser = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBrowser, reinterpret_cast<LPARAM>(&browser));
    if (!browser)
        return;
    pending->done = true;
    if (pending->folder)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(pending->folder));
    PostMessageA(browser, WM_COMMAND, MAKEWPARAM(pending->button, BN_CLICKED), 0);
}

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
        BrowserAnswer answer{c.folder, c.button, false};
        pending = &answer;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerBrowser);
        EXPECT_EQ(ChooseUserKeyFolder(active, nullptr), c.taken) << (c.folder ? c.folder : "-");
        KillTimer(nullptr, timer);
        pending = nullptr;
        EXPECT_TRUE(answer.done);
        EXPECT_STRCASEEQ(active.Get().Text(), c.active.c_str());
        EXPECT_STRCASEEQ(ReadUserKeyFolder().Text(), c.taken ? c.active.c_str() : "");
    }
    apptest::ClearSettings();
    OleUninitialize();
}

}  // namespace
