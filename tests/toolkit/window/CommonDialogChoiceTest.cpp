// Tests of CommonDialog's font and open-file wrappers: each real system dialog is confirmed
// (a thread timer finds it once it shows) and what it handed back must arrive in the object's
// fields in the toolkit's own form: points and style bits for a font, full paths for files.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <cstring>
#include <functional>
#include <string>

#include "tests/support/ScratchFolder.h"
#include "tests/support/ThreadWindows.h"
#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/media/DrawingHelpers.h"
#include "toolkit/window/CommonDialog.h"
#include "toolkit/window/Toolkit.h"

namespace {

// A scalable face this machine has; the dialog lists only the faces it finds.
int CALLBACK TakeScalableFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM face) {
    if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == '@')
        return 1;
    strcpy(reinterpret_cast<char*>(face), font->lfFaceName);
    return 0;
}

class CommonDialogChoiceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateTopLevel(owner, 50, 50, 100, 100));
        dialog.owner = owner.Handle();
    }
    // Runs `open`; once its dialog shows, `prepare` fills it and OK is pressed.
    static void Confirm(std::function<void(HWND)> prepare, std::function<void()> open) {
        const auto act = [prepare](HWND shown) {
            prepare(shown);
            PostMessageA(shown, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        };
        EXPECT_TRUE(kvrtest::AnswerDialog("#32770", act, open, GetToolkitWindowHandle()));
    }
    RecordingWindow owner;
    CommonDialog dialog;
};

TEST_F(CommonDialogChoiceTest, FontComesBackInPointsWithItsStyle) {
    HDC screen = GetDC(nullptr);
    LOGFONTA font{};
    font.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(screen, &font, TakeScalableFace, reinterpret_cast<LPARAM>(font.lfFaceName), 0);
    ASSERT_NE(font.lfFaceName[0], '\0');
    font.lfCharSet = ANSI_CHARSET;
    font.lfHeight = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    ReleaseDC(nullptr, screen);
    int size = 0;
    bool confirmed = false;
    Confirm([](HWND) {}, [&] { confirmed = dialog.ChooseFont(font, &size); });
    ASSERT_TRUE(confirmed);
    EXPECT_STREQ(dialog.fontName.Text(), font.lfFaceName);
    EXPECT_EQ(size, 12);
    EXPECT_EQ(dialog.fontSize, 12);
    EXPECT_EQ(dialog.fontStyle, static_cast<uint32_t>(kFontBold | kFontItalic));
}

TEST_F(CommonDialogChoiceTest, ChosenFilesComeBackAsFullPaths) {
    kvrtest::ScratchFolder scratch;
    const std::string folder = scratch.Path();
    for (const char* name : {"first.txt", "second.txt"})
        ASSERT_TRUE(
            CloseHandle(CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    struct Case {
        const char* typed;
        DWORD flags;
        const char* expected[2];
    } const cases[] = {
        {"second.txt", 0, {"second.txt", nullptr}},
        // Several names come back from the system as the folder followed by the names.
        {"\"first.txt\" \"second.txt\"", OFN_ALLOWMULTISELECT, {"first.txt", "second.txt"}},
    };
    StringList filters;
    filters.AddString("Text|*.txt");
    for (const Case& c : cases) {
        bool confirmed = false;
        Confirm(
            [&c](HWND shown) {
                // The name box is a combo box in some versions of the dialog, an edit in others.
                SetDlgItemTextA(shown, cmb13, c.typed);
                SetDlgItemTextA(shown, edt1, c.typed);
            },
            [&] { confirmed = dialog.OpenFiles(filters, "txt", c.flags, "Open", folder.c_str()); });
        ASSERT_TRUE(confirmed) << c.typed;
        const int expectedCount = c.expected[1] ? 2 : 1;
        ASSERT_EQ(dialog.files.Count(), expectedCount) << c.typed;
        for (int i = 0; i < expectedCount; i++)
            EXPECT_EQ(_stricmp(dialog.files.At(i).Text(), (folder + c.expected[i]).c_str()), 0)
                << dialog.files.At(i).Text();
    }
}

}  // namespace
