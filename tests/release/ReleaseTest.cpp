// The release as a user meets it, on the files tests/release/PackageTest.sh made: the unpacked
// zip's programs (version resources, manifest, kvr-decrypt --version), and the real installer
// run silently in the test prefix, the installed program started and quit, the installer
// refusing while it runs, an installation over it, and the silent uninstall.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Registry.h"
#include "settings/Settings.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ScratchFolder.h"

namespace {

using kvrtest::Exists;

const std::string kRelease = kvrtest::WindowsPath(KVR_RELEASE_DIR) + "\\";
const std::string kUnpacked = kRelease + "unpacked\\KVR Decryptor\\";
const std::string kSetup = kRelease + "dist\\KvrDecryptor-" KVR_VERSION "-setup.exe";
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVR Decryptor";
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const WPARAM kQuitCommand = 1010;

// The named string of the file's version resource (U.S. English, Unicode block); "" when absent.
std::string VersionString(const std::string& file, const char* name) {
    std::vector<char> data(GetFileVersionInfoSizeA(file.c_str(), nullptr) + 1);
    char* text = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
    return GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) &&
                   VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) && length
               ? std::string(text)
               : std::string();
}

// The program's application manifest (resource type 24, id 1); "" when it has none.
std::string Manifest(const std::string& file) {
    HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::string text;
    if (HRSRC resource = module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr)
        text.assign(static_cast<const char*>(LockResource(LoadResource(module, resource))),
                    SizeofResource(module, resource));
    if (module)
        FreeLibrary(module);
    return text;
}

// Runs the program and waits for it; its exit code, -1 when it did not start or end.
int RunAndWait(const std::string& program, const std::string& arguments) {
    const HANDLE process = kvrtest::StartProgram(program, arguments);
    if (!process)
        return -1;
    const int code = kvrtest::WaitForExitCode(process, 60000);
    CloseHandle(process);
    return code;
}

// The value (for "" the key's default one) stands under HKEY_CURRENT_USER.
bool Holds(const std::string& path, const char* name) {
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string Text(const std::string& path, const char* name) {
    return ReadString(HKEY_CURRENT_USER, path.c_str(), name).Text();
}

// Quits the running program (found by its main window) from its menu and waits for its process to end.
bool QuitRunningProgram() {
    HWND window =
        kvrtest::FindTopWindow([](HWND window) { return GetPropA(window, "Quillmont.KvrDecryptor.Main") != nullptr; });
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!window || !process)
        return false;
    PostMessageA(window, WM_COMMAND, kQuitCommand, 0);
    const int code = kvrtest::WaitForExitCode(process, 15000);
    CloseHandle(process);
    return code == 0;
}

// Every association the installer adds, as (key, value name) pairs under HKCU.
const std::pair<const char*, const char*> kAssociationEntries[] = {
    {"Software\\Classes\\KvrDecryptor.enc", ""},
    {"Software\\Classes\\.enc", ""},
    {"Software\\Classes\\.enc\\OpenWithProgids", "KvrDecryptor.enc"},
    {"Software\\Classes\\KvrDecryptor.File", ""},
    {"Software\\Classes\\.wav\\OpenWithProgids", "KvrDecryptor.File"},
    {"Software\\Classes\\.bmp\\OpenWithProgids", "KvrDecryptor.File"},
    {"Software\\Classes\\.png\\OpenWithProgids", "KvrDecryptor.File"},
    {"Software\\Classes\\.key\\OpenWithProgids", "KvrDecryptor.File"},
};

TEST(ReleaseZip, ProgramsCarryVersionAndManifest) {
    const struct {
        const char* file;
        const char* description;
    } programs[] = {{"KvrDecryptor.exe", "KVR Decryptor"}, {"kvr-decrypt.exe", "KVR Decryptor command line"}};
    for (const auto& program : programs) {
        SCOPED_TRACE(program.file);
        const std::string path = kUnpacked + program.file;
        // What the build fills in per program; the fixed texts of the template are not restated.
        EXPECT_EQ(program.description, VersionString(path, "FileDescription"));
        EXPECT_EQ(KVR_VERSION, VersionString(path, "FileVersion"));
        EXPECT_EQ(program.file, VersionString(path, "OriginalFilename"));
        EXPECT_EQ(std::string(program.file, strlen(program.file) - 4), VersionString(path, "InternalName"));

        // The manifest the build makes: its version, and the display awareness it must declare.
        for (const char* part : {"version=\"" KVR_VERSION ".0\"", "PerMonitorV2"})
            EXPECT_NE(std::string::npos, Manifest(path).find(part)) << part;
    }
    std::string output;
    EXPECT_EQ(0, kvrtest::RunCaptured(kUnpacked + "kvr-decrypt.exe", "--version", output));
    EXPECT_EQ("kvr-decrypt " KVR_VERSION, output.substr(0, output.find_last_not_of("\r\n") + 1));
}

TEST(ReleaseInstaller, InstallsRunsAndUninstallsCleanly) {
    kvrtest::ScratchFolder scratch;
    ASSERT_TRUE(scratch.IsValid());
    const std::string folder = scratch.PathOf("KVR Decryptor");
    const std::string program = folder + "\\KvrDecryptor.exe";
    const std::string ownKey = folder + "\\Keys\\mine.key";
    // The user's own program for pictures, which the installer must leave alone.
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, "Software\\Classes\\.png", "", "pngfile"));

    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    const std::string shortcut = std::string(programs) + "\\KVR Decryptor.lnk";  // in the Start menu

    ASSERT_EQ(0, RunAndWait(kSetup, "/S /D=" + folder));
    for (const char* file : {"KvrDecryptor.exe", "kvr-decrypt.exe", "README.txt", "Uninstall.exe", "Keys"})
        EXPECT_TRUE(Exists(folder + "\\" + file)) << file;
    EXPECT_TRUE(Exists(shortcut));
    const std::pair<const char*, std::string> uninstallEntries[] = {
        {"DisplayName", "KVR Decryptor"},
        {"DisplayVersion", KVR_VERSION},
        {"InstallLocation", folder},
        {"DisplayIcon", program + ",0"},
        {"QuietUninstallString", "\"" + folder + "\\Uninstall.exe\" /S"},
    };
    for (const auto& [name, value] : uninstallEntries)
        EXPECT_EQ(value, Text(kUninstallKey, name)) << name;
    EXPECT_GT(ReadNumber(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize"), 1000u);  // KB

    for (const auto& entry : kAssociationEntries)
        EXPECT_TRUE(Holds(entry.first, entry.second)) << entry.first << " " << entry.second;
    EXPECT_EQ(program + ",0", Text("Software\\Classes\\KvrDecryptor.enc\\DefaultIcon", ""));
    EXPECT_EQ("pngfile", Text("Software\\Classes\\.png", ""));

    // Opening an archive through the shell, as a double-click does, starts the program with it,
    // and the program decrypts it beside itself.
    const std::string samples = kvrtest::WindowsPath(KVR_SOURCE_DIR "/samples/");
    ASSERT_TRUE(CopyFileA((samples + "letters.enc").c_str(), scratch.PathOf("letters.enc").c_str(), TRUE));
    WriteUserKeyFolder((samples + "Keys\\").c_str());
    // Windows' HKEY_CLASSES_ROOT shows the user's classes over the machine's; Wine's shows the
    // machine's only, so the user's two entries are laid into the machine's view for the shell.
    const char* const kShellSees[] = {"Software\\Classes\\.enc", "Software\\Classes\\KvrDecryptor.enc"};
    for (const char* key : kShellSees) {
        HKEY machine = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine, nullptr));
        EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(HKEY_CURRENT_USER, key, machine));
        RegCloseKey(machine);
    }
    const INT_PTR opened = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", scratch.PathOf("letters.enc").c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_GT(opened, 32) << "the shell found no program for .enc";
    EXPECT_TRUE(kvrtest::WaitUntil([&] { return Exists(scratch.PathOf("letters\\readme.txt")); }, 30000));
    for (const char* key : kShellSees)
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
    // With the installed program running, a silent setup refuses at once (exit code 2, aborted)
    // rather than meet locked files; the program stays.
    Sleep(1500);  // the closing animations
    EXPECT_EQ(2, RunAndWait(kSetup, "/S /D=" + folder));
    EXPECT_TRUE(QuitRunningProgram());

    // The user's key and the program's autostart survive an installation over the same version.
    ASSERT_TRUE(CopyFileA((folder + "\\README.txt").c_str(), ownKey.c_str(), TRUE));
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kRunKey, "KVR Decryptor", ("\"" + program + "\"").c_str()));
    ASSERT_EQ(0, RunAndWait(kSetup, "/S /D=" + folder));
    EXPECT_TRUE(Exists(ownKey));

    // The uninstaller runs from a copy of itself in the temporary folder and returns at once.
    ASSERT_EQ(0, RunAndWait(folder + "\\Uninstall.exe", "/S"));
    EXPECT_TRUE(kvrtest::WaitUntil([&] { return !Holds(kUninstallKey, "DisplayName") && !Exists(program); }, 30000));
    for (const char* file : {"KvrDecryptor.exe", "kvr-decrypt.exe", "README.txt", "Uninstall.exe"})
        EXPECT_FALSE(Exists(folder + "\\" + file)) << file;
    EXPECT_TRUE(Exists(ownKey));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_FALSE(Holds(kRunKey, "KVR Decryptor"));
    for (const auto& entry : kAssociationEntries)
        EXPECT_FALSE(Holds(entry.first, entry.second)) << entry.first << " " << entry.second;
    EXPECT_EQ("pngfile", Text("Software\\Classes\\.png", ""));
    EXPECT_TRUE(Holds(kSettingsKey, kUserKeyFolderValue)) << "the uninstaller removed the settings";

    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes\\.png");
}

}  // namespace
