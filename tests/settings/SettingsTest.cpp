// Settings values: defaults, the value + 1 encoding, range checks and the window-position fit
// rule, read back from the real settings key of the test prefix; the key-folder rules: which
// stored or browsed values select a user key folder, the commands, and what the next start and
// the check marks make of them.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/KeyFolders.h"
#include "settings/Registry.h"
#include "settings/Settings.h"

namespace {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override { (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }
    void TearDown() override { (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }
};

uint32_t Stored(const char* name) {
    return ReadNumber(HKEY_CURRENT_USER, kSettingsKey, name);
}

TEST_F(SettingsTest, NumbersWithADefaultAreStoredPlusOneAndCheckedOnTheWayIn) {
    typedef uint32_t (*Reader)();
    const struct {
        const char* name;
        uint32_t stored;
        Reader read;
        uint32_t expected;
    } cases[] = {
        {kWindowOpacityValue, 0, ReadWindowOpacity, 255},
        {kWindowOpacityValue, 1, ReadWindowOpacity, 0},
        {kWindowOpacityValue, 129, ReadWindowOpacity, 128},
        {kWindowOpacityValue, 256, ReadWindowOpacity, 255},
        {kWindowOpacityValue, 300, ReadWindowOpacity, 255},
        {kWindowOpacityValue, 0xFFFFFFFF, ReadWindowOpacity, 255},
        {kChildOpacityValue, 0, ReadChildOpacity, 232},
        {kChildOpacityValue, 1, ReadChildOpacity, 0},
        {kChildOpacityValue, 5000, ReadChildOpacity, 255},
        {kChildColorValue, 0, ReadChildColor, 0xFFFFE1},
        {kChildColorValue, 1, ReadChildColor, 0},
        {kChildColorValue, 0x1000000, ReadChildColor, 0xFFFFFF},
        {kChildColorValue, 0x1000001, ReadChildColor, 0xFFFFE1},
        {kChildColorValue, 0x804021, ReadChildColor, 0x804020},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteNumber(HKEY_CURRENT_USER, kSettingsKey, c.name, c.stored));
        EXPECT_EQ(c.read(), c.expected) << c.name << " stored " << c.stored;
    }
}

TEST_F(SettingsTest, WritersStoreTheEncodedForm) {
    EXPECT_TRUE(ReadSoundsOn());  // absent values: the stored 0 of the inverted switch
    EXPECT_FALSE(ReadAlwaysOnTop());
    WriteWindowOpacity(0);
    WriteChildOpacity(999);
    WriteChildColor(0x12345678);
    WriteWindowPosition(-20, 70000);
    EXPECT_EQ(Stored(kWindowOpacityValue), 1u);
    EXPECT_EQ(Stored(kChildOpacityValue), 256u);
    EXPECT_EQ(Stored(kChildColorValue), 0x345679u);
    EXPECT_EQ(Stored(kWindowPositionValue), 0x1170FFECu);
    for (const bool on : {true, false}) {
        WriteAlwaysOnTop(on);
        WriteSoundsOn(on);
        EXPECT_EQ(Stored(kAlwaysOnTopValue), on ? 1u : 0u);
        EXPECT_EQ(Stored(kNoSoundsValue), on ? 0u : 1u);
    }
}

TEST_F(SettingsTest, SavedPositionIsFittedToTheWorkArea) {
    // At 192 DPI the window and the margin it must keep on screen are twice the size.
    const struct {
        int left, top;
        int expectedLeft, expectedTop;
        int dpi;
    } cases[] = {
        {0, 0, 0, 0, 96},
        {100, 200, 100, 200, 96},
        {750, 550, 750, 550, 96},
        {751, 550, 1024 / 2 + 65, 550, 96},
        {750, 551, 750, 768 / 2 + 85, 96},
        {-20, -1, 577, 469, 96},
        {65535, 10, 577, 10, 96},
        {700, 500, 700, 500, 192},
        {701, 501, 1024 / 2 + 130, 768 / 2 + 170, 192},
    };
    for (const auto& c : cases) {
        const POINT fitted = FitWindowPosition(PackWindowPosition(c.left, c.top), 800, 600, 1024, 768, c.dpi);
        EXPECT_EQ(fitted.x, c.expectedLeft) << c.left << "," << c.top;
        EXPECT_EQ(fitted.y, c.expectedTop) << c.left << "," << c.top;
    }
    const POINT noWorkArea = FitWindowPosition(0, 0, 0, 1024, 768);
    EXPECT_EQ(noWorkArea.x, 577);
    EXPECT_EQ(noWorkArea.y, 469);
}

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

TEST_F(SettingsTest, KeyFolderCommandsChangeTheActiveFolderTheMarksAndWhatTheNextStartUses) {
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
}

}  // namespace
