// Tests of CommonDialog: the folder browser, the colour chooser and the toolkit's own
// system-colour picker, each opened for real and dismissed by a posted OK or Cancel (a thread
// timer finds the dialog once it shows and acts on it). A colour chosen with OK is checked
// through the program (the Appearance dialog's swatch).
#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <string>

#include "tests/support/ThreadWindows.h"
#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/window/CommonDialog.h"
#include "toolkit/window/Toolkit.h"

namespace {

std::function<void(HWND)> Press(int button) {
    return [button](HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); };
}

class CommonDialogTest : public testing::Test {
protected:
    void SetUp() override {
        OleInitialize(nullptr);
        ASSERT_TRUE(CreateTopLevel(owner, 50, 50, 100, 100));
        dialog.owner = owner.Handle();
    }
    void TearDown() override { OleUninitialize(); }
    // Runs `open` and acts on its dialog once it shows; the toolkit's own window is no dialog.
    static void Dismiss(const char* className, std::function<void(HWND)> act, std::function<void()> open) {
        EXPECT_TRUE(kvrtest::AnswerDialog(className, act, open, GetToolkitWindowHandle())) << className;
    }
    RecordingWindow owner;
    CommonDialog dialog;
};

TEST_F(CommonDialogTest, FolderBrowserGivesOneTrailingBackslashOrNothing) {
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    struct Case {
        const char* initial;
        LPITEMIDLIST select;  // chosen in the dialog before OK, when given
        int button;
        const char* expected;
    } const cases[] = {
        {"C:\\windows\\system32\\", nullptr, IDOK, "C:\\windows\\system32\\"},
        {"C:\\", nullptr, IDOK, "C:\\"},
        {"C:\\windows\\", computer, IDOK, ""},  // a virtual folder has no path
        {"C:\\windows\\", nullptr, IDCANCEL, ""},
    };
    for (const Case& c : cases) {
        String result("unset");
        Dismiss(
            "#32770",
            [&c](HWND browser) {
                if (c.select)
                    SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(c.select));
                PostMessageA(browser, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
            },
            [&] { result = dialog.BrowseFolder("Pick a folder", c.initial, false); });
        EXPECT_EQ(strcasecmp(result.Text(), c.expected), 0) << c.initial << " gave " << result.Text();
        EXPECT_EQ(strcmp(dialog.path.Text(), result.Text()), 0);
    }
    CoTaskMemFree(computer);
}

TEST_F(CommonDialogTest, ACancelledColourChoiceLeavesTheColour) {
    dialog.color = 7;
    bool confirmed = true;
    Dismiss("#32770", Press(IDCANCEL), [&] { confirmed = dialog.ChooseColor(0x123456, true, true, true); });
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(dialog.color, 7u);
}

TEST_F(CommonDialogTest, SystemColourPickerGivesTheSelectedIndex) {
    struct Case {
        WPARAM key;
        bool confirmed;
    } const cases[] = {{VK_RETURN, true}, {VK_ESCAPE, false}};
    for (const Case& c : cases) {
        dialog.color = 99;
        bool confirmed = !c.confirmed;
        Dismiss(
            kWindowClassName,
            [&c](HWND picker) {
                HWND list = FindWindowExA(picker, nullptr, "COMBOBOX", nullptr);
                SendMessageA(list, CB_SETCURSEL, COLOR_INACTIVECAPTION, 0);
                PostMessageA(picker, WM_KEYDOWN, c.key, 0);
            },
            [&] { confirmed = dialog.ChooseSystemColor("System colour"); });
        EXPECT_EQ(confirmed, c.confirmed);
        EXPECT_EQ(dialog.color, c.confirmed ? static_cast<uint32_t>(COLOR_INACTIVECAPTION) : 99u);
    }
}

// The answer sits at the very end of a readable page, followed by one that cannot be read:
// a read past its bound faults.
TEST(CommonDialogFiles, AnswerIsReadWithinItsBound) {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const DWORD page = system.dwPageSize;
    char* const pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
    const struct {
        std::string answer;  // placed so that it ends where the readable page ends
        const char* files;   // "|"-joined
    } cases[] = {
        {std::string("C:\\a.txt\0", 9), "C:\\a.txt"},
        {std::string("C:\\f\0a\0b\0", 9), "C:\\f\\a|C:\\f\\b"},
        {std::string("C:\\f\0a\0bc", 9), "C:\\f\\a"},  // the last name is cut off by the end
        {std::string("C:\\abcdef", 9), ""},
    };
    for (const auto& c : cases) {
        char* const answer = pages + page - c.answer.size();
        memcpy(answer, c.answer.data(), c.answer.size());
        StringList files;
        EXPECT_EQ(CommonDialog::ReadChosenFiles(answer, static_cast<int>(c.answer.size()), files), *c.files != 0);
        std::string joined;
        for (int i = 0; i < files.Count(); i++)
            joined += (i ? "|" : "") + std::string(files[i]->Text());
        EXPECT_EQ(joined, c.files);
    }
    VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace
