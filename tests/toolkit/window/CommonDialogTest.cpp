// Tests of CommonDialog: the folder browser, the colour and font choosers and the toolkit's own
// system-colour picker, each opened for real and dismissed by a posted OK or Cancel (a thread
// timer finds the dialog once it shows and acts on it), and the bounds of the open-file dialog's answer. A colour
// chosen with OK, a sub-folder chosen in the browser and a file chosen in the open-file dialog are checked through the
// program (the Appearance dialog's swatch, the key-folder and "Decrypt a File..." commands).
#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/media/DrawingHelpers.h"
#include "toolkit/window/CommonDialog.h"
#include "toolkit/window/Toolkit.h"

namespace {

void Press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

class CommonDialogTest : public testing::Test {
protected:
    void SetUp() override {
        OleInitialize(nullptr);
        ASSERT_TRUE(CreateAt(owner, 50, 50, 100, 100));
        dialog.owner = owner.Handle();
    }
    void TearDown() override { OleUninitialize(); }
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
        EXPECT_TRUE(kvrtest::AnswerDialog(
            "#32770",
            [&c](HWND browser) {
                if (c.select)
                    SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(c.select));
                Press(browser, c.button);
            },
            [&] { result = dialog.BrowseFolder("Pick a folder", c.initial, false); }));
        EXPECT_EQ(strcasecmp(result.Text(), c.expected), 0) << c.initial << " gave " << result.Text();
    }
    CoTaskMemFree(computer);
}

// The system's chooser cancelled; the toolkit's system-colour picker confirmed and cancelled.
TEST_F(CommonDialogTest, ColourChoicesGiveTheSelectionOrLeaveTheColour) {
    ShowWindow(owner.Handle(), SW_HIDE);  // the picker is the only visible toolkit window
    for (const WPARAM key : {WPARAM{0}, WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
        dialog.color = 99;
        bool confirmed = key != VK_RETURN;
        EXPECT_TRUE(kvrtest::AnswerDialog(
            key ? kWindowClassName : "#32770",
            [key](HWND picker) {
                if (!key)
                    return Press(picker, IDCANCEL);
                SendMessageA(FindWindowExA(picker, nullptr, "COMBOBOX", nullptr), CB_SETCURSEL, COLOR_INACTIVECAPTION,
                             0);
                PostMessageA(picker, WM_KEYDOWN, key, 0);
            },
            [&] {
                confirmed =
                    key ? dialog.ChooseSystemColor("System colour") : dialog.ChooseColor(0x123456, true, true, true);
            }));
        EXPECT_EQ(confirmed, key == VK_RETURN) << key;
        EXPECT_EQ(dialog.color, key == VK_RETURN ? static_cast<uint32_t>(COLOR_INACTIVECAPTION) : 99u) << key;
    }
}

TEST_F(CommonDialogTest, FontComesBackInPointsWithItsStyle) {
    // The real face behind the message font's substitute name: one the dialog lists.
    char face[LF_FACESIZE] = {};
    HDC screen = GetDC(nullptr);
    HGDIOBJ const old = SelectObject(screen, GetDefaultFont());
    ASSERT_GT(GetTextFaceA(screen, LF_FACESIZE, face), 0);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    LOGFONTA font;
    FillLogFont(&font, face, 12, kFontBold | kFontItalic);
    int size = 0;
    bool confirmed = false;
    EXPECT_TRUE(kvrtest::AnswerDialog(
        "#32770", [](HWND chooser) { Press(chooser, IDOK); }, [&] { confirmed = dialog.ChooseFont(font, &size); }));
    ASSERT_TRUE(confirmed);
    EXPECT_STREQ(dialog.fontName.Text(), font.lfFaceName);
    EXPECT_EQ(size, 12);
    EXPECT_EQ(dialog.fontStyle, static_cast<uint32_t>(kFontBold | kFontItalic));
}

// The answer sits at the very end of a readable page, followed by one that cannot be read:
// a read past its bound faults.
TEST(CommonDialogFiles, AnswerIsReadWithinItsBound) {
    constexpr DWORD page = 4096;  // on x86 and x64
    char* const pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    ASSERT_TRUE(VirtualFree(pages + page, page, MEM_DECOMMIT));
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
