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

    // Stores raw bytes of any type, as another program might have.
    static void Store(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(RegistryTest, StringsRoundTripUpToTheLongestPath) {
    const std::string longest(kMaxRegistryText, 'k');
    for (const std::string& text : {std::string(), std::string("C:\\Keys\\"), longest}) {
        ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kScratch, "Text", text.c_str()));
        EXPECT_EQ(std::string(ReadString(HKEY_CURRENT_USER, kScratch, "Text").Text()), text);
    }
}

TEST_F(RegistryTest, StringReadsRefuseWhatIsNotAWholeString) {
    const std::string tooLong(kMaxRegistryText + 1, 'k');
    const DWORD number = 7;
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    const char embeddedZero[] = "ab\0cd";
    Store("TooLong", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));
    Store("TooLongUnterminated", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size()));
    Store("Number", REG_DWORD, &number, sizeof(number));
    Store("Binary", REG_BINARY, "xyz", 4);
    Store("Unterminated", REG_SZ, unterminated, sizeof(unterminated));
    Store("EmbeddedZero", REG_SZ, embeddedZero, sizeof(embeddedZero));
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"TooLong", ""}, {"TooLongUnterminated", ""}, {"Number", ""},         {"Binary", ""},
        {"Absent", ""},  {"Unterminated", "abcd"},    {"EmbeddedZero", "ab"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ReadString(HKEY_CURRENT_USER, kScratch, c.name).Text(), c.expected) << c.name;
    EXPECT_STREQ(ReadString(HKEY_CURRENT_USER, "Software\\KvrDecryptorTests\\Missing", "Text").Text(), "");
}

TEST_F(RegistryTest, NumbersAreOnlyFourByteDwords) {
    for (const uint32_t value : {0u, 1u, 256u, 0xFFFFFFFFu}) {
        ASSERT_TRUE(WriteNumber(HKEY_CURRENT_USER, kScratch, "Number", value));
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kScratch, "Number"), value);
    }
    const uint64_t wide = 5;
    const uint16_t narrow = 5;
    Store("Qword", REG_QWORD, &wide, sizeof(wide));
    Store("Short", REG_DWORD, &narrow, sizeof(narrow));
    Store("Text", REG_SZ, "5", 2);
    Store("Binary", REG_BINARY, "\5\0\0\0", 4);
    for (const char* name : {"Qword", "Short", "Text", "Binary", "Absent"})
        EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kScratch, name), 0u) << name;
}

TEST_F(RegistryTest, EmptyPathsAndNamesFailAtOnce) {
    EXPECT_FALSE(WriteString(HKEY_CURRENT_USER, "", "Text", "x"));
    EXPECT_FALSE(WriteString(HKEY_CURRENT_USER, nullptr, "Text", "x"));
    EXPECT_FALSE(WriteNumber(HKEY_CURRENT_USER, "", "Number", 1));
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, kScratch, ""));
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, "", "Text"));
    ASSERT_TRUE(WriteNumber(HKEY_CURRENT_USER, kScratch, "Number", 3));
    EXPECT_TRUE(DeleteValue(HKEY_CURRENT_USER, kScratch, "Number"));
    EXPECT_FALSE(DeleteValue(HKEY_CURRENT_USER, kScratch, "Number"));
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kScratch, "Number"), 0u);
}

// Autostart in scratch Run keys. The refusing machine-wide place is a volatile key: the
// system will not create the lasting Run key below it, as HKEY_LOCAL_MACHINE refuses a
// standard user.
class AutostartTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        machine_ = CreateKey("Machine", REG_OPTION_NON_VOLATILE);
        user_ = CreateKey("User", REG_OPTION_NON_VOLATILE);
        refusing_ = CreateKey("Refusing", REG_OPTION_VOLATILE);
    }
    void TearDown() override {
        for (HKEY key : {machine_, user_, refusing_}) {
            if (key)
                RegCloseKey(key);
        }
        RegistryTest::TearDown();
    }
    static HKEY CreateKey(const char* name, DWORD options) {
        HKEY key = nullptr;
        const std::string path = std::string(kScratch) + "\\" + name;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    AutostartPlaces Places(bool machineWritable) const {
        AutostartPlaces places;
        places.machineRoot = machineWritable ? machine_ : refusing_;
        places.userRoot = user_;
        places.runKey = "Run";
        return places;
    }
    String Stored(HKEY root) const { return ReadString(root, "Run", kAutostartValue); }

    HKEY machine_ = nullptr;
    HKEY user_ = nullptr;
    HKEY refusing_ = nullptr;
};

TEST_F(AutostartTest, ValueMatchesTheProgramPathQuotedAndCaseBlind) {
    const struct {
        const char* stored;
        bool matches;
    } cases[] = {
        {"\"C:\\Prog\\KVR.exe\"", true},
        {"\"c:\\prog\\kvr.EXE\"", true},
        {"C:\\Prog\\KVR.exe", true},
        {"\"C:\\Prog\\KVR2.exe\"", false},
        {"\"\"", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsAutostartValueFor(c.stored, "C:\\Prog\\KVR.exe"), c.matches) << c.stored;
    EXPECT_FALSE(IsAutostartValueFor("\"\"", ""));
}

TEST_F(AutostartTest, TheRunningProgramIsNamedByItsFullPath) {
    const String path = RunningProgramPath();
    EXPECT_EQ(path.GetAt(1), ':');
    EXPECT_EQ(path.FindNoCase("settings_tests.exe"), path.Length() - 18) << path.Text();
}

TEST_F(AutostartTest, MachineWideFirstPerUserWhenRefusedOffRemovesBoth) {
    const String program = "C:\\Prog Files\\KVR.exe";
    for (const bool machineWritable : {true, false}) {
        const AutostartPlaces places = Places(machineWritable);
        EXPECT_TRUE(SetAutostart(true, program, places)) << machineWritable;
        EXPECT_STREQ(Stored(machine_).Text(), machineWritable ? "\"C:\\Prog Files\\KVR.exe\"" : "");
        EXPECT_STREQ(Stored(user_).Text(), machineWritable ? "" : "\"C:\\Prog Files\\KVR.exe\"");
        EXPECT_TRUE(IsAutostartOn(program, places));
        EXPECT_FALSE(IsAutostartOn("C:\\Other.exe", places));
        EXPECT_FALSE(SetAutostart(false, program, Places(true)));
    }
    ASSERT_TRUE(WriteString(machine_, "Run", kAutostartValue, "\"C:\\Prog Files\\KVR.exe\""));
    ASSERT_TRUE(WriteString(user_, "Run", kAutostartValue, "\"C:\\Prog Files\\KVR.exe\""));
    EXPECT_FALSE(SetAutostart(false, program, Places(true)));
    EXPECT_STREQ(Stored(machine_).Text(), "");
    EXPECT_STREQ(Stored(user_).Text(), "");
}

}  // namespace
