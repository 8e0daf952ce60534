// A whole kvr-decrypt command line run in-process over archives and carriers made by the
// test writers: exit codes, files written, messages with the file names, the overwrite
// rule, the missing key folder, the progress lines, and a cancel through the console
// control handler.
#include "app/cli/CliRun.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli/CliCancel.h"
#include "tests/app/cli/CapturedFile.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/CarrierWriter.h"
#include "tests/support/ScratchFolder.h"

namespace {

using kvrtest::ArchiveEntry;
using kvrtest::ArchiveSpec;
using kvrtest::Bytes;
using kvrtest::BytesOf;

using kvrtest::Exists;

ArchiveSpec SampleSpec(bool compressed) {
    ArchiveSpec spec;
    spec.keyName = "sub\\k.key";
    spec.key = BytesOf("secret key");
    spec.compressed = compressed;
    spec.entries = {{"a.txt", BytesOf("alpha"), false},
                    {"docs\\", {}, true},
                    {"docs\\b.txt", kvrtest::PatternBytes(5000, 3), false}};
    return spec;
}

class CliRun : public ::testing::Test {
protected:
    void SetUp() override {
        CliClearCancel();
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("keys").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("keys\\sub").c_str(), nullptr));
        ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf("keys\\sub\\k.key"), BytesOf("secret key")));
        ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("out").c_str(), nullptr));
    }
    void TearDown() override { CliClearCancel(); }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = scratch_.PathOf(name);
        EXPECT_TRUE(kvrtest::WriteFileBytes(path, bytes));
        return path;
    }

    // Runs a command line made of args; stdin is not a console unless typed is given, and
    // the messages are a console only when asked.
    int Run(std::vector<std::string> args, const char* typed = nullptr, bool barOnConsole = false) {
        std::vector<const char*> argv{"kvr-decrypt"};
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        CapturedFile out;
        CapturedFile messages;
        CapturedFile answers(typed ? typed : "");
        CliConsole console;
        console.out = out.File();
        console.messages = messages.File();
        console.answers = answers.File();
        console.interactive = typed != nullptr;
        console.barOnConsole = barOnConsole;
        const int code = RunCli(static_cast<int>(argv.size()), argv.data(), console);
        out_ = out.Text();
        messages_ = messages.Text();
        return code;
    }

    std::vector<std::string> Folders(const std::vector<std::string>& files) {
        std::vector<std::string> args{"--keys", scratch_.PathOf("keys"), "--out", scratch_.PathOf("out")};
        args.insert(args.end(), files.begin(), files.end());
        return args;
    }

    kvrtest::ScratchFolder scratch_;
    std::string out_;
    std::string messages_;
};

// Every kind of source is decrypted alike (DecryptFileTest); one archive and one carrier here.
TEST_F(CliRun, DecryptsArchivesAndCarriersIntoTheOutputFolder) {
    const Bytes packed = kvrtest::BuildRawArchive(SampleSpec(true));
    const std::vector<std::string> files = {Write("packed.enc", packed),
                                            Write("song.wav", kvrtest::BuildWaveCarrier(packed))};
    ASSERT_EQ(kCliSuccess, Run(Folders(files), nullptr, true)) << messages_;
    for (const char* title : {"packed", "song"}) {
        const std::string folder = scratch_.PathOf(std::string("out\\") + title + "\\");
        EXPECT_EQ(BytesOf("alpha"), kvrtest::ReadFileBytes(folder + "a.txt")) << title;
        EXPECT_EQ(kvrtest::PatternBytes(5000, 3), kvrtest::ReadFileBytes(folder + "docs\\b.txt")) << title;
        // A progress bar for each file.
        EXPECT_NE(std::string::npos, messages_.find(std::string("\r") + title + ".")) << title;
    }
    EXPECT_NE(std::string::npos, messages_.find("100% writing"));
}

TEST_F(CliRun, ALogGetsOneProgressLinePerFileAndNoRedrawFrames) {
    const std::vector<std::string> files = {Write("one.enc", kvrtest::BuildRawArchive(SampleSpec(true))),
                                            Write("two.enc", kvrtest::BuildRawArchive(SampleSpec(false)))};
    ASSERT_EQ(kCliSuccess, Run(Folders(files))) << messages_;
    EXPECT_EQ(
        "one.enc [##############################] 100% writing\n"
        "two.enc [##############################] 100% writing\n",
        messages_);
}

TEST_F(CliRun, MissingKeyFolderIsWarnedAboutOnceAndKeysBesideTheFilesStillServe) {
    ArchiveSpec besideSpec = SampleSpec(false);
    besideSpec.keyName = "beside.key";
    Write("beside.key", besideSpec.key);
    ArchiveSpec builtIn = SampleSpec(false);
    builtIn.keyName = "";
    builtIn.key = BytesOf("KVRK");
    const std::string missing = scratch_.PathOf("nowhere");
    const std::string lost = Write("lost.enc", kvrtest::BuildRawArchive(SampleSpec(false)));
    EXPECT_EQ(kCliFailure, Run({"--quiet", "--keys", missing, "--out", scratch_.PathOf("out"),
                                Write("beside.enc", kvrtest::BuildRawArchive(besideSpec)),
                                Write("builtin.enc", kvrtest::BuildRawArchive(builtIn)), lost}));
    EXPECT_EQ("kvr-decrypt: warning: key folder " + missing +
                  " not found; keys are looked up beside each file\n"
                  "kvr-decrypt: " +
                  lost + ": Key not found :\n    sub\\k.key\n",
              messages_);
    EXPECT_TRUE(Exists(scratch_.PathOf("out\\beside\\a.txt")));
    EXPECT_TRUE(Exists(scratch_.PathOf("out\\builtin\\a.txt")));
}

TEST_F(CliRun, FailuresAreReportedWithTheFileAndGiveOneButTheOthersAreDecrypted) {
    ArchiveSpec noKey = SampleSpec(false);
    noKey.keyName = "missing.key";
    ArchiveSpec corrupt = SampleSpec(true);
    corrupt.corruptCrcOf = 0;
    // Each message follows "kvr-decrypt: <file>: ", its later lines indented (the engine's
    // messages themselves are checked in its own tests).
    const std::pair<std::string, const char*> cases[] = {
        {Write("nokey.enc", kvrtest::BuildRawArchive(noKey)), "Key not found :\n    missing.key\n"},
        {Write("crc.enc", kvrtest::BuildRawArchive(corrupt)),
         "The archive is corrupted or different from the original.\n    Please obtain a valid encrypted copy:\n"
         "    a.txt\n"},
        {Write("notes.txt", BytesOf("hello")), "Type or Format not valid\n"},
        {scratch_.PathOf("absent.enc"), "no such file\n"},
    };
    std::vector<std::string> args = {"--quiet"};
    for (const auto& c : cases)
        args.push_back(c.first);
    args.push_back(Write("good.enc", kvrtest::BuildRawArchive(SampleSpec(false))));
    EXPECT_EQ(kCliFailure, Run(Folders(args)));
    for (const auto& c : cases)
        EXPECT_NE(std::string::npos, messages_.find("kvr-decrypt: " + c.first + ": " + c.second)) << messages_;
    EXPECT_TRUE(Exists(scratch_.PathOf("out\\good\\a.txt")));
}

TEST_F(CliRun, ExistingOutputFolderFollowsTheOverwriteRule) {
    const std::string archive = Write("again.enc", kvrtest::BuildRawArchive(SampleSpec(false)));
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("out\\again").c_str(), nullptr));

    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", archive})));  // stdin is no console
    EXPECT_NE(std::string::npos, messages_.find("already exists")) << messages_;
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", "--no-overwrite", archive}), "y\n"));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", archive}), "n\n"));
    EXPECT_NE(std::string::npos, messages_.find("Write into it? [y/N]")) << messages_;
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    EXPECT_EQ(kCliSuccess, Run(Folders({"--quiet", archive}), "yes\n")) << messages_;
    EXPECT_TRUE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    EXPECT_EQ(kCliSuccess, Run(Folders({"--quiet", "--overwrite", archive}))) << messages_;

    // A long reply is read to its end: its tail does not answer the next file's question.
    const std::string other = Write("other.enc", kvrtest::BuildRawArchive(SampleSpec(false)));
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("out\\other").c_str(), nullptr));
    const std::string longNo = "n" + std::string(100, ' ') + "yes\nn\n";
    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", other, other}), longNo.c_str()));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\other\\a.txt")));
}

TEST_F(CliRun, CtrlCCancelsTheRunningRequestAndSkipsTheRest) {
    const std::string first = Write("first.enc", kvrtest::BuildRawArchive(SampleSpec(true)));
    const std::string second = Write("second.enc", kvrtest::BuildRawArchive(SampleSpec(false)));
    // The handler is what the system calls on Ctrl+C; the first progress answer carries it.
    ASSERT_TRUE(CliConsoleCtrlHandler(CTRL_C_EVENT));
    EXPECT_EQ(kCliFailure, Run(Folders({first, second})));
    EXPECT_NE(std::string::npos, messages_.find("kvr-decrypt: " + first + ": cancelled")) << messages_;
    EXPECT_NE(std::string::npos, messages_.find("kvr-decrypt: " + second + ": skipped")) << messages_;
    EXPECT_EQ(std::string::npos, messages_.find("Error")) << messages_;
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\first\\a.txt")));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\second")));
}

}  // namespace
