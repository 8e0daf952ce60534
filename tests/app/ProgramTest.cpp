// KvrDecryptor.exe end to end, started once and driven as a user would: real OLE drags from
// another process, real clicks and keys, the registry of the test prefix (emptied around the
// run). The steps share the one program run and follow each other in this order.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/DecryptFile.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "tests/app/DragDriver.h"
#include "tests/app/ProgramDriver.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileSystem.h"

namespace {

using kvrtest::Bytes;
using kvrtest::DragFiles;
using kvrtest::ProgramDriver;
using kvrtest::WaitUntil;

const char* const kSamples[] = {"letters.enc", "plain.enc", "photo.png", "picture.bmp", "song.wav"};
constexpr char kFolderQuestion[] = "This folder already exists.\nWould you like to overwrite it?";
constexpr char kKeyQuestion[] = "This key file already exists.\nWould you like to overwrite it?";
constexpr char kNotAnArchive[] = "This is not a valid encrypted archive";
constexpr int kStartLeft = 400;
constexpr WPARAM kSoundsCommand = 1004;
constexpr WPARAM kQuitCommand = 1010;
constexpr WPARAM kCancelCommand = 1011;
constexpr int kStartTop = 250;

std::string SourcePath(const std::string& relative) {
    std::string path = KVR_SOURCE_DIR "/" + relative;
    return kvrtest::WindowsPath(path);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    StringList entries;
    FileSystem().ListFolder((from + "*").c_str(), entries, FileSystem::kListFiles | FileSystem::kListFolders |
                                                                FileSystem::kListRecurse);
    for (int i = 0; i < entries.Count(); i++) {
        const std::string name = entries.At(i).Text();
        const bool ok = name.back() == '\\' ? CreateDirectoryA((to + name).c_str(), nullptr) != 0
                                             : CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE) != 0;
        if (!ok)
            return false;
    }
    return true;
}

// Relative name -> content ("<folder>" for folders) of everything below a folder.
std::map<std::string, std::string> TreeOf(const std::string& folder) {
    std::map<std::string, std::string> tree;
    StringList entries;
    FileSystem().ListFolder((folder + "*").c_str(), entries,
                            FileSystem::kListFiles | FileSystem::kListFolders | FileSystem::kListRecurse);
    for (int i = 0; i < entries.Count(); i++) {
        const std::string name = entries.At(i).Text();
        const Bytes bytes = kvrtest::ReadFileBytes(folder + name);
        tree[name] = name.back() == '\\' ? "<folder>" : std::string(bytes.begin(), bytes.end());
    }
    return tree;
}

int32_t AnswerYes(int32_t code, intptr_t, intptr_t, const RequestCallbackBlock*) {
    return code == RE_ASK_OVERWRITE ? 1 : 0;
}

// What the engine itself writes for a source, made in-process as the reference.
bool DecryptInProcess(const std::string& source, const std::string& keys, const std::string& output) {
    DecryptRequest request;
    request.keyFolder = keys.c_str();
    request.sourcePath = source.c_str();
    request.outputFolder = output.c_str();
    request.block.callback = &AnswerYes;
    return DecryptFile(request);
}

int CountTempFiles() {
    StringList entries;
    FileSystem files;
    files.ListFolder(files.TempFolder() + "tmp*", entries, FileSystem::kListFiles);
    return entries.Count();
}

constexpr int kLargeEntries = 400;
constexpr DWORD kLargeEntryBytes = 1u << 20;

std::string LargeEntryName(int index) {
    return "large" + std::to_string(index) + ".bin";
}

// An archive of kLargeEntries stored entries of kLargeEntryBytes zero bytes each, written a
// block at a time (too large to build in memory): long enough to be cancelled while it is
// written, with a progress event after every entry where the cancel takes effect.
bool WriteLargeArchive(const std::string& path, const Bytes& key) {
    kvrtest::ArchiveSpec spec;
    spec.keyName = "project.key";
    spec.entries.resize(kLargeEntries);
    const Bytes header = kvrtest::BuildHeader(spec);
    const Bytes zeros(kLargeEntryBytes, 0);
    const uint32_t zerosCrc = kvrtest::Crc32Of(zeros);
    FILE* file = fopen(path.c_str(), "wb");
    if (!file || key.empty())
        return false;
    bool ok = fwrite(header.data(), 1, header.size(), file) == header.size();
    size_t at = 0;  // position in the key-added body
    for (int entry = 0; ok && entry < kLargeEntries; entry++) {
        Bytes block = kvrtest::BytesOf(LargeEntryName(entry) + "\r\n");
        kvrtest::AppendU32(block, kLargeEntryBytes);
        kvrtest::AppendU32(block, zerosCrc);
        block.insert(block.end(), zeros.begin(), zeros.end());
        for (uint8_t& byte : block)
            byte = static_cast<uint8_t>(byte + key[at++ % key.size()]);
        ok = fwrite(block.data(), 1, block.size(), file) == block.size();
    }
    return fclose(file) == 0 && ok;
}

class ProgramTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        scratch_ = new kvrtest::ScratchFolder();
        const std::string work = scratch_->Path();
        ASSERT_TRUE(CopyTree(SourcePath("samples/"), work + "in\\"));
        ASSERT_TRUE(CopyTree(work + "in\\Keys\\", work + "keys\\"));
        ASSERT_TRUE(CreateDirectoryA((work + "expected\\").c_str(), nullptr));
        for (const char* sample : kSamples)
            ASSERT_TRUE(DecryptInProcess(work + "in\\" + sample, work + "keys\\", work + "expected\\")) << sample;
        WriteUserKeyFolder((work + "keys\\").c_str());
        WriteWindowPosition(kStartLeft, kStartTop);
        program_ = new ProgramDriver();
        ASSERT_TRUE(program_->Start(KVR_PROGRAM_EXE));
    }
    static void TearDownTestSuite() {
        delete program_;
        program_ = nullptr;
        delete scratch_;
        scratch_ = nullptr;
        (void)RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }
    void SetUp() override {
        ASSERT_TRUE(program_ && program_->IsRunning()) << "the program is not running";
    }

    static std::string In(const std::string& name) { return scratch_->Path() + "in\\" + name; }
    static std::string Output(const std::string& title) { return scratch_->Path() + "in\\" + title + "\\"; }
    static std::string Expected(const std::string& title) { return scratch_->Path() + "expected\\" + title + "\\"; }

    // Drags a file onto the window until it is taken: right after a request the closing
    // animations still play and the window refuses drags meanwhile.
    static int DropWhenIdle(const std::string& path) {
        int result = 1;
        for (int attempt = 0; attempt < 6 && result == 1; attempt++)
            result = DragFiles(program_->MainCentre(), {path});
        return result;
    }

    static HWND WaitForWindow(const std::string& title, DWORD timeoutMs = 15000) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = program_->FindWindowTitled(title)) != nullptr; }, timeoutMs);
        return found;
    }

    static bool Answer(HWND window, WORD key) {
        ProgramDriver::PressKeyIn(window, key);
        return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, 5000);
    }

    static kvrtest::ScratchFolder* scratch_;
    static ProgramDriver* program_;
};

kvrtest::ScratchFolder* ProgramTest::scratch_ = nullptr;
ProgramDriver* ProgramTest::program_ = nullptr;

TEST_F(ProgramTest, OpensWhereItWasLeftWithoutTaskbarButton) {
    HWND main = program_->MainWindow();
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(main, &rect));
    EXPECT_EQ(rect.left, kStartLeft);
    EXPECT_EQ(rect.top, kStartTop);
    const LONG exStyle = GetWindowLongA(main, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
}

TEST_F(ProgramTest, DecryptsEachSampleKindDroppedOnIt) {
    for (const char* sample : kSamples) {
        SCOPED_TRACE(sample);
        const std::string title = std::string(sample).substr(0, std::string(sample).find('.'));
        const std::map<std::string, std::string> expected = TreeOf(Expected(title));
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(DropWhenIdle(In(sample)), 0);
        EXPECT_TRUE(WaitUntil([&] { return TreeOf(Output(title)) == expected; }, 20000));
    }
}

TEST_F(ProgramTest, TellsWhatIsWrongWithABadFileAndEnterClosesIt) {
    const std::string bad = In("broken.enc");
    ASSERT_TRUE(kvrtest::WriteFileBytes(bad, kvrtest::BytesOf("this is no archive at all")));
    ASSERT_EQ(DropWhenIdle(bad), 0);
    HWND message = WaitForWindow(kNotAnArchive);
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Answer(message, VK_RETURN));
    EXPECT_FALSE(Exists(Output("broken")));
}

// Also: while the question waits, a drop and closing are refused.
TEST_F(ProgramTest, AsksBeforeOverwritingAnOutputFolder) {
    const std::string readme = Output("letters") + "readme.txt";
    const Bytes original = kvrtest::ReadFileBytes(readme);
    ASSERT_FALSE(original.empty());
    ASSERT_TRUE(kvrtest::WriteFileBytes(readme, kvrtest::BytesOf("changed")));
    const struct {
        WORD key;
        const char* expected;
    } answers[] = {{VK_ESCAPE, "changed"}, {VK_RETURN, nullptr}};
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.key == VK_ESCAPE ? "Escape" : "Enter");
        ASSERT_EQ(DropWhenIdle(In("letters.enc")), 0);
        HWND question = WaitForWindow(kFolderQuestion);
        ASSERT_NE(question, nullptr);
        if (answer.key == VK_ESCAPE) {
            // While the request waits for its answer, another drop and closing are refused.
            EXPECT_EQ(DragFiles(program_->MainCentre(), {In("plain.enc")}), 1);
            PostMessageA(program_->MainWindow(), WM_CLOSE, 0, 0);
            Sleep(300);
            EXPECT_TRUE(program_->IsRunning());
            EXPECT_TRUE(IsWindowVisible(program_->MainWindow()));
        }
        EXPECT_TRUE(Answer(question, answer.key));
        const Bytes wanted = answer.expected ? kvrtest::BytesOf(answer.expected) : original;
        EXPECT_TRUE(WaitUntil([&] { return kvrtest::ReadFileBytes(readme) == wanted; }, 10000));
    }
}

TEST_F(ProgramTest, ImportsADroppedKeyAndAsksBeforeReplacingOne) {
    const std::string source = In("fresh.key");
    const std::string imported = scratch_->Path() + "keys\\fresh.key";
    const Bytes first = kvrtest::PatternBytes(40, 11);
    const Bytes second = kvrtest::PatternBytes(52, 12);
    ASSERT_TRUE(kvrtest::WriteFileBytes(source, first));
    ASSERT_EQ(DropWhenIdle(source), 0);
    EXPECT_TRUE(WaitUntil([&] { return kvrtest::ReadFileBytes(imported) == first; }, 10000));

    ASSERT_TRUE(kvrtest::WriteFileBytes(source, second));
    ASSERT_EQ(DropWhenIdle(source), 0);
    HWND question = WaitForWindow(kKeyQuestion);
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(Answer(question, VK_RETURN));
    EXPECT_TRUE(WaitUntil([&] { return kvrtest::ReadFileBytes(imported) == second; }, 10000));
}

TEST_F(ProgramTest, RefusesTwoFilesAtOnce) {
    Sleep(1500);  // the previous import's animations end
    EXPECT_EQ(DragFiles(program_->MainCentre(), {In("plain.enc"), In("song.wav")}), 1);
    EXPECT_EQ(program_->CountOtherWindows(), 0);
}

// Cancel from the busy menu stops a long decryption and leaves no temporary file behind.
TEST_F(ProgramTest, CancelStopsALongDecryption) {
    const std::string large = In("large.enc");
    ASSERT_TRUE(WriteLargeArchive(large, kvrtest::ReadFileBytes(scratch_->Path() + "keys\\project.key")));
    const int tempFilesBefore = CountTempFiles();

    // The busy menu's command, as the menu sends it. It counts only once the work animation
    // runs, and the engine is quick, so it is sent every few milliseconds from before the drop.
    std::atomic<bool> stopCancelling{false};
    const HWND main = program_->MainWindow();
    std::thread canceller([&] {
        while (!stopCancelling) {
            PostMessageA(main, WM_COMMAND, kCancelCommand, 0);
            Sleep(5);
        }
    });
    const int dropped = DropWhenIdle(large);
    Sleep(3000);
    stopCancelling = true;
    canceller.join();
    ASSERT_EQ(dropped, 0);
    EXPECT_TRUE(WaitUntil([&] { return CountTempFiles() == tempFilesBefore; }, 30000));
    Sleep(1000);
    EXPECT_EQ(program_->CountOtherWindows(), 0);
    const DWORD lastEntry = GetFileAttributesA((Output("large") + LargeEntryName(kLargeEntries - 1)).c_str());
    EXPECT_EQ(lastEntry, INVALID_FILE_ATTRIBUTES) << "the decryption ran to its end";
    DeleteFileA(large.c_str());
    kvrtest::ScratchFolder::RemoveTree(Output("large"));
}

TEST_F(ProgramTest, QuitsWithCodeZeroAndKeepsPlaceAndSoundSwitch) {
    Sleep(1500);  // closing animations of the previous request
    ASSERT_TRUE(SetWindowPos(program_->MainWindow(), nullptr, kStartLeft + 120, kStartTop + 60, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    RECT moved{};
    ASSERT_TRUE(GetWindowRect(program_->MainWindow(), &moved));
    PostMessageA(program_->MainWindow(), WM_COMMAND, kSoundsCommand, 0);
    PostMessageA(program_->MainWindow(), WM_COMMAND, kQuitCommand, 0);
    EXPECT_EQ(program_->WaitForExit(20000), 0);

    const uint32_t stored = ReadNumber(HKEY_CURRENT_USER, kSettingsKey, kWindowPositionValue);
    EXPECT_EQ(stored, PackWindowPosition(moved.left, moved.top));
    EXPECT_FALSE(ReadSoundsOn());
}

}  // namespace
