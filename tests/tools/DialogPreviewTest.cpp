// Tests of the dialog previewer: the line at fault in a definition that fails its check, and
// one screenshot of a built dialog read back where POSITION puts its controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/toolkit/dialogdef/DefinitionSamples.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/DialogWindow.h"
#include "toolkit/media/Image.h"
#include "tools/dialog/DialogPreview.h"

using namespace dialogtest;

namespace {

// A definition that passes is checked with its canonical text by tools_kvr_dialog_check (the
// program's own definition through kvr-dialog --check); here the line a failure is reported on.
TEST(DialogPreview, CheckNamesTheLineAtFault) {
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {Lines({"DIALOG EDITOR v1.00", "", "[DIALOG]", "NAME=D", "", "[BUTTON]", "ID=1", "no equals sign", ""}),
         "line 8: "},
        {Lines({"DIALOG EDITOR v1.00", "", "[DIALOG]", "CAPTION=" + std::string(70000, 'x')}), "line 4: "},
        {Lines({"DIALOG EDITOR v1.00", ""}), "line 3: "},
    };
    for (const auto& c : cases) {
        MemoryStream text, canonical;
        text.Write(c.text.data(), static_cast<int>(c.text.size()));
        String error;
        EXPECT_FALSE(CheckDefinition(text, canonical, error));
        EXPECT_EQ(std::string(error.Text()).rfind(c.error, 0), 0u) << error.Text();
    }
}

// A file larger than any definition is refused before a byte of it is read.
TEST(DialogPreview, LoadingRefusesAFileBeyondTheBound) {
    const char* const path = "oversized-definition.txt";  // in the test's working folder
    for (const int size : {DialogDefinition::kMaxDefinitionBytes, DialogDefinition::kMaxDefinitionBytes + 1}) {
        std::ofstream(path, std::ios::binary).seekp(size - 1).put('x');
        MemoryStream text;
        String error;
        const bool within = size <= DialogDefinition::kMaxDefinitionBytes;
        EXPECT_EQ(LoadDefinitionFile(path, text, error), within) << size;
        EXPECT_EQ(text.GetSize(), within ? size : 0) << size;
    }
    DeleteFileA(path);
}

TEST(DialogPreview, ControlsRenderWherePositionSaysAndOnlyThere) {
    const std::string text =
        DialogWith(200, 120, "WS_CAPTION",
                   {Section("TEXT", 1, "RED", "30 20 60 40", "BACKCOLOR=#FF0000"),
                    Section("TEXT", 2, "BLUE", "120 70 50 30", "BACKCOLOR=#0000FF"),
                    Section("TEXT", 3, "HIDDEN", "120 10 50 30", "STYLE=WS_BORDER\r\nBACKCOLOR=#0000FF"),
                    Section("TEXT", 4, "FRAMED", "10 70 40 40", "STYLE=WS_VISIBLE WS_BORDER\r\nBACKCOLOR=#0000FF")});
    DialogWindow dialog;
    ASSERT_TRUE(BuildDialog(dialog, text));
    dialog.background = RGB(0, 255, 0);
    // A grandchild at the framed control's client corner, inside its one-pixel border.
    HWND inner = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, 10, 10,
                                 dialog.FindControlByName("FRAMED")->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(inner, nullptr);
    Image picture;
    ASSERT_TRUE(RenderClientArea(dialog, picture));
    uint32_t innerRgb = 0;  // whatever the system draws it in: read at its middle
    ASSERT_TRUE(picture.GetPixel(16, 76, &innerRgb));
    innerRgb &= 0xFFFFFF;
    EXPECT_NE(innerRgb, 0x0000FFu);
    ASSERT_EQ((std::vector<int>{picture.Width(), picture.Height()}), (std::vector<int>{200, 120}));
    const uint32_t red = 0xFF0000, blue = 0x0000FF, green = 0x00FF00;
    const struct {
        int x, y;
        uint32_t rgb;
    } probes[] = {
        {30, 20, red},      {89, 59, red},  {29, 20, green},   {90, 59, green},  {120, 70, blue}, {169, 99, blue},
        {170, 99, green},   {0, 0, green},  {199, 119, green}, {145, 25, green},  // the hidden control is not drawn
        {20, 80, innerRgb}, {21, 81, blue},  // the grandchild ends one border in from its parent's corner
    };
    for (const auto& p : probes) {
        uint32_t argb = 0;
        ASSERT_TRUE(picture.GetPixel(p.x, p.y, &argb));
        EXPECT_EQ(argb & 0xFFFFFF, p.rgb) << p.x << "," << p.y;
    }
}

}  // namespace
