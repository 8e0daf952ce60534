// Registry operations and the autostart value, round trips in a scratch key of the current user.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "settings/Autostart.h"
#include "settings/Registry.h"

namespace {

const char* const kScratch = "Software\\KvrDecryptorTests\\Registry";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { (void)RegDeleteTreeA(HKEY_CURRENT_USER, kScratch); }
    void TearDown() override { (void)RegDeleteTreeA(HKEY_CURRENT_USER, kScratch); }

    // A scratch key, created with the options given; the caller closes it.
    static HKEY CreateKey(const std::string& path, DWORD options = 0) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    // Raw bytes of any type, as another program might have stored them.
    static void Store(const char* name, DWORD type, const void* data, size_t size) {
        HKEY key = CreateKey(kScratch);
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(RegistryTest, StringsAreWholeRegSzTextsUpToTheLongestPath) {
    const std::string longest(kMaxRegistryText, 'k');
    const std::string tooLong(kMaxRegistryText + 1, 'k');
    const DWORD number = 7;
    const struct {
        DWORD type;
        const void* data;
        size_t size;
        std::string expected;
    } cases[] = {
        {REG_SZ, "C:\\Keys\\", 9, "C:\\Keys\\"},
        {REG_SZ, longest.c_str(), longest.size() + 1, longest},
        {REG_SZ, tooLong.c_str(), tooLong.size() + 1, ""},
        {REG_SZ, tooLong.c_str(), tooLong.size(), ""},  // unterminated and too long
        {REG_SZ, "abcd", 4, "abcd"},                    // unterminated: the zero is forced
        {REG_SZ, "ab\0cd", 6, "ab"},
        {REG_SZ, "C:\\M\xFCller\\", 11, "C:\\M\xC3\xBCller\\"},  // written by the ANSI call in code page 1252
        {REG_DWORD, &number, sizeof(number), ""},
        {REG_BINARY, "xyz", 4, ""},
    };
    for (const auto& c : cases) {
        Store("Text", c.type, c.data, c.size);
        EXPECT_EQ(std::string(ReadString(HKEY_CURRENT_USER, kScratch, "Text").Text()), c.expected) << c.size;
    }
    const std::string unicode = "C:\\\xE6\x97\xA5\xE6\x9C\xAC \xE2\x80\x93 M\xC3\xBCller\\";  // "C:\日本 – Müller\"
    for (const std::string& text : {longest, unicode}) {
        ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kScratch, "Text", text.c_str()));
        EXPECT_EQ(std::string(ReadString(HKEY_CURRENT_USER, kScratch, "Text").Text()), text);
    }
    EXPECT_STREQ(ReadString(HKEY_CURRENT_USER, kScratch, "Absent").Text(), "");
}

// Four-byte numbers round trip through the settings' tests.
TEST_F(RegistryTest, NumbersAreOnlyFourByteDwords) {
    const uint64_t wide = 5;
    const uint16_t narrow = 5;
    Store("Qword", REG_QWORD, &wide, sizeof(wide));
    Store("Short", REG_DWORD, &narrow, sizeof(narrow));
    Store("Binary", REG_BINARY, "\5\0\0\0", 4);
    for (const char* name : {"Qword", "Short", "Binary", "Absent"})
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kScratch, name), 0u) << name;
}

TEST_F(RegistryTest, EmptyPathsAndNamesFailAtOnceAndDeletedValuesAreGone) {
    EXPECT_FALSE(WriteString(HKEY_CURRENT_USER, "", "Text", "x"));
    EXPECT_FALSE(WriteNumber(HKEY_CURRENT_USER, nullptr, "Number", 1));
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, kScratch, ""));
    ASSERT_TRUE(WriteNumber(HKEY_CURRENT_USER, kScratch, "Number", 3));
    EXPECT_TRUE(DeleteValue(HKEY_CURRENT_USER, kScratch, "Number"));
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, kScratch, "Number"));
}

TEST_F(RegistryTest, AutostartValueNamesTheProgramQuotedAndCaseBlind) {
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
TEST_F(RegistryTest, AutostartMachineWideFirstPerUserWhenRefusedOffRemovesBoth) {
    HKEY machine = CreateKey(std::string(kScratch) + "\\Machine");
    HKEY user = CreateKey(std::string(kScratch) + "\\User");
    HKEY refusing = CreateKey(std::string(kScratch) + "\\Refusing", REG_OPTION_VOLATILE);
    const String program = "C:\\Prog Files\\KVR.exe";
    const char* const quoted = "\"C:\\Prog Files\\KVR.exe\"";
    auto stored = [](HKEY root) { return std::string(ReadString(root, "Run", kAutostartValue).Text()); };
    for (const bool machineWritable : {true, false}) {
        AutostartPlaces places;
        places.machineRoot = machineWritable ? machine : refusing;
        places.userRoot = user;
        places.runKey = "Run";
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
