// Settings values: defaults, the value + 1 encoding, range checks and the window-position fit
// rule, read back from the real settings key of the test prefix; the key-folder rules: which
// stored or browsed values select a user key folder, the commands, and what the next start and
// the check marks make of them; registry operations and the autostart value, round trips in a
// scratch key of the current user.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/Autostart.h"
#include "settings/KeyFolders.h"
#include "settings/Registry.h"
#include "settings/Settings.h"

namespace {

const char* const kScratch = "Software\\KvrDecryptorTests\\Registry";

// Every case starts and ends without the settings key and the scratch key.
class SettingsTest : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    }

    // A scratch key, created with the options given; the caller closes it.
    static HKEY CreateKey(const std::string& path, DWORD options = 0) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        return key;
    }
};

uint32_t Stored(const char* name) {
    return ReadNumber(HKEY_CURRENT_USER, kSettingsKey, name);
}

TEST_F(SettingsTest, NumbersWithADefaultAreStoredPlusOneAndCheckedOnTheWayIn) {
    // Per value: its reader, and pairs of {stored, read}.
    const struct {
        const char* name;
        uint32_t (*read)();
        std::vector<std::pair<uint32_t, uint32_t>> storedAndRead;
    } values[] = {
        {kWindowOpacityValue,
         ReadWindowOpacity,
         {{0, 255}, {1, 0}, {129, 128}, {256, 255}, {300, 255}, {0xFFFFFFFF, 255}}},
        {kChildOpacityValue, ReadChildOpacity, {{0, 232}, {1, 0}, {5000, 255}}},
        {kChildColorValue,
         ReadChildColor,
         {{0, 0xFFFFE1}, {1, 0}, {0x1000000, 0xFFFFFF}, {0x1000001, 0xFFFFE1}, {0x804021, 0x804020}}},
    };
    for (const auto& value : values)
        for (const auto& [stored, read] : value.storedAndRead) {
            ASSERT_TRUE(WriteNumber(HKEY_CURRENT_USER, kSettingsKey, value.name, stored));
            EXPECT_EQ(value.read(), read) << value.name << " stored " << stored;
        }
}

TEST_F(SettingsTest, WritersStoreTheEncodedForm) {
    EXPECT_TRUE(ReadSoundsOn());  // absent values: the stored 0 of the inverted switch
    EXPECT_FALSE(ReadAlwaysOnTop());
    WriteChildOpacity(999);
    WriteChildColor(0x12345678);
    WriteWindowPosition(-20, 70000);
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
        EXPECT_EQ(std::make_pair(fitted.x, fitted.y), std::make_pair(LONG{c.expectedLeft}, LONG{c.expectedTop}))
            << c.left << "," << c.top;
    }
    const POINT noWorkArea = FitWindowPosition(0, 0, 0, 1024, 768);
    EXPECT_EQ(std::make_pair(noWorkArea.x, noWorkArea.y), std::make_pair(LONG{577}, LONG{469}));
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
        {"E:\\", false, "D:\\Keys\\", true},  // as a cancelled browser's ""
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

// Texts are whole REG_SZ values up to the longest path; numbers only four-byte DWORDs.
TEST_F(SettingsTest, ValuesAreReadOnlyAsWholeTextsAndFourByteNumbers) {
    const std::string longest(kMaxRegistryText, 'k');
    const std::string tooLong(kMaxRegistryText + 1, 'k');
    const DWORD number = 7;
    const uint64_t wide = 5;
    const uint16_t narrow = 5;
    const struct {
        DWORD type;
        const void* data;
        size_t size;
        std::string text;
        uint32_t number;
    } cases[] = {
        {REG_SZ, "C:\\Keys\\", 9, "C:\\Keys\\", 0},
        {REG_SZ, longest.c_str(), longest.size() + 1, longest, 0},
        {REG_SZ, tooLong.c_str(), tooLong.size() + 1, "", 0},
        {REG_SZ, tooLong.c_str(), tooLong.size(), "", 0},  // unterminated and too long
        {REG_SZ, "abcd", 4, "abcd", 0},                    // unterminated: the zero is forced
        {REG_SZ, "ab\0cd", 6, "ab", 0},
        {REG_SZ, "C:\\M\xFCller\\", 11, "C:\\M\xC3\xBCller\\", 0},  // written by the ANSI call in code page 1252
        {REG_DWORD, &number, sizeof(number), "", 7},
        {REG_BINARY, "xyz", 4, "", 0},
        {REG_QWORD, &wide, sizeof(wide), "", 0},
        {REG_DWORD, &narrow, sizeof(narrow), "", 0},
        {REG_BINARY, "\5\0\0\0", 4, "", 0},
    };
    for (const auto& c : cases) {  // raw bytes of any type, as another program might have stored them
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kScratch, "Text", c.type, c.data, static_cast<DWORD>(c.size)),
                  ERROR_SUCCESS);
        EXPECT_EQ(std::string(ReadString(HKEY_CURRENT_USER, kScratch, "Text").Text()), c.text) << c.size;
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kScratch, "Text"), c.number) << c.size;
    }
    const std::string unicode = "C:\\\xE6\x97\xA5\xE6\x9C\xAC \xE2\x80\x93 M\xC3\xBCller\\";  // "C:\日本 – Müller\"
    for (const std::string& text : {longest, unicode}) {
        ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kScratch, "Text", text.c_str()));
        EXPECT_EQ(std::string(ReadString(HKEY_CURRENT_USER, kScratch, "Text").Text()), text);
    }
    EXPECT_STREQ(ReadString(HKEY_CURRENT_USER, kScratch, "Absent").Text(), "");
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kScratch, "Absent"), 0u);
}

TEST_F(SettingsTest, EmptyPathsAndNamesFailAtOnceAndDeletedValuesAreGone) {
    EXPECT_FALSE(WriteString(HKEY_CURRENT_USER, "", "Text", "x"));
    EXPECT_FALSE(WriteNumber(HKEY_CURRENT_USER, nullptr, "Number", 1));
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, kScratch, ""));
    ASSERT_TRUE(WriteNumber(HKEY_CURRENT_USER, kScratch, "Number", 3));
    EXPECT_TRUE(DeleteValue(HKEY_CURRENT_USER, kScratch, "Number"));
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, kScratch, "Number"));
}

TEST_F(SettingsTest, AutostartValueNamesTheProgramQuotedAndCaseBlind) {
    const std::pair<const char*, bool> cases[] = {
        {"\"C:\\Prog\\KVR.exe\"", true},
        {"\"c:\\prog\\kvr.EXE\"", true},
        {"C:\\Prog\\KVR.exe", true},
        {"\"C:\\Prog\\KVR2.exe\"", false},
        {"\"\"", false},
    };
    for (const auto& [stored, matches] : cases)
        EXPECT_EQ(IsAutostartValueFor(stored, "C:\\Prog\\KVR.exe"), matches) << stored;
    // The path the program writes is the loader's: ProgramTest's "Launch On Startup" finds its
    // own value by the path it was started from.
}

// The refusing machine-wide place is a volatile key: the system will not create the lasting
// Run key below it, as HKEY_LOCAL_MACHINE refuses a standard user.
TEST_F(SettingsTest, AutostartMachineWideFirstPerUserWhenRefusedOffRemovesBoth) {
    HKEY machine = CreateKey(std::string(kScratch) + "\\Machine");
    HKEY user = CreateKey(std::string(kScratch) + "\\User");
    HKEY refusing = CreateKey(std::string(kScratch) + "\\Refusing", REG_OPTION_VOLATILE);
    const String program = "C:\\Prog Files\\KVR.exe";
    const char* const quoted = "\"C:\\Prog Files\\KVR.exe\"";
    auto stored = [](HKEY root) { return std::string(ReadString(root, "Run", kAutostartValue).Text()); };
    for (const bool machineWritable : {true, false}) {
        AutostartPlaces places{machineWritable ? machine : refusing, user, "Run"};
        EXPECT_TRUE(SetAutostart(true, program, places)) << machineWritable;
        EXPECT_EQ(stored(machine), machineWritable ? quoted : "");
        EXPECT_EQ(stored(user), machineWritable ? "" : quoted);
        EXPECT_FALSE(IsAutostartOn("C:\\Other.exe", places));
        // On with an unreadable program path writes nothing and deletes nothing.
        EXPECT_FALSE(SetAutostart(true, "", places));
        EXPECT_TRUE(IsAutostartOn(program, places));
        // Off removes the value from both places, whichever holds it.
        (void)WriteString(machine, "Run", kAutostartValue, quoted);
        places.machineRoot = machine;
        EXPECT_FALSE(SetAutostart(false, program, places));
        EXPECT_EQ(stored(machine) + stored(user), "");
    }
    for (HKEY key : {machine, user, refusing})
        RegCloseKey(key);
}

}  // namespace
