// A whole kvr-decrypt command line run in-process over archives and carriers made by the
// test writers: exit codes, files written, messages with the file names, the overwrite
// rule, the missing key folder with the folders searched for a key, the progress lines, a
// cancel through the console control handler, and the --list and --test readings; and the real
// program started with a name of any characters.
#include "app/cli/CliRun.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/CliCancel.h"
#include "tests/app/DragDriver.h"
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
                  lost + ": Key not found :\n    sub\\k.key\n    searched " + missing + "\\sub\\: no such folder\n" +
                  "    searched " + missing + "\\: no such folder\n    searched " + scratch_.Path() +
                  ": nearest beside.key\n",
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
    // What the Ctrl+C handler does; the first progress answer carries it.
    RaiseCliCancel();
    EXPECT_EQ(kCliFailure, Run(Folders({first, second})));
    EXPECT_NE(std::string::npos, messages_.find("kvr-decrypt: " + first + ": cancelled")) << messages_;
    EXPECT_NE(std::string::npos, messages_.find("kvr-decrypt: " + second + ": skipped")) << messages_;
    EXPECT_EQ(std::string::npos, messages_.find("Error")) << messages_;
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\first\\a.txt")));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\second")));
}

// The listing's lines of one archive, made from what the writer put in it.
std::string ListingOf(const std::string& label, const ArchiveSpec& spec, size_t archiveSize, const char* carrier) {
    std::string text = label + "\n  key:      " + spec.keyName + "\n  archive:  " + std::to_string(archiveSize) +
                       " bytes, " + (spec.compressed ? "compressed" : "stored") + ", " +
                       std::to_string(spec.entries.size()) + " entries\n" + carrier +
                       "  kind         size  crc-32    name\n";
    for (int index = 0; index < static_cast<int>(spec.entries.size()); index++) {
        const ArchiveEntry& entry = spec.entries[index];
        const uint32_t crc = kvrtest::Crc32Of(entry.data) ^ (index == spec.corruptCrcOf ? 1u : 0u);
        char line[200];
        if (entry.folder)
            snprintf(line, sizeof line, "  folder          -  -         %s\n", entry.name.c_str());
        else
            snprintf(line, sizeof line, "  file   %10u  %08x  %s\n", static_cast<unsigned>(entry.data.size()), crc,
                     entry.name.c_str());
        text += line;
    }
    return text;
}

TEST_F(CliRun, ListAndTestReadEveryEntryAndWriteNothing) {
    const ArchiveSpec spec = SampleSpec(true);
    const Bytes packed = kvrtest::BuildRawArchive(spec);
    kvrtest::BitmapCarrierSpec picture;
    picture.width = 64;
    picture.minHeight = 200;  // more rows than the payload needs
    kvrtest::WaveCarrierSpec sound;
    sound.extraDataBytes = 80;  // ten groups more than the payload needs
    ArchiveSpec corrupt = SampleSpec(false);
    corrupt.corruptCrcOf = 2;
    const std::string archive = Write("packed.enc", packed);
    const std::string bitmap = Write("picture.bmp", kvrtest::BuildBitmapCarrier(packed, picture));
    const std::string wave = Write("song.wav", kvrtest::BuildWaveCarrier(packed, sound));
    const Bytes damagedBytes = kvrtest::BuildRawArchive(corrupt);
    const std::string damaged = Write("damaged.enc", damagedBytes);
    const std::string keys = "--keys=" + scratch_.PathOf("keys");
    // The folder a decryption would write into: listing and testing ask nothing about it.
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("packed").c_str(), nullptr));
    const std::string bitmapHides =
        "  carrier:  hides " + std::to_string(packed.size()) + " of " + std::to_string(64 * 200 - 2 - 4) + " bytes\n";
    const std::string waveHides = "  carrier:  hides " + std::to_string(packed.size()) + " of " +
                                  std::to_string((packed.size() + 4) / 5 * 5 + 50) + " bytes\n";

    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string messages;  // a part of them; empty: none at all
    };
    const Case cases[] = {
        {{"--list", keys, archive, bitmap, wave},
         kCliSuccess,
         ListingOf(archive, spec, packed.size(), "") + ListingOf(bitmap, spec, packed.size(), bitmapHides.c_str()) +
             ListingOf(wave, spec, packed.size(), waveHides.c_str()),
         ""},
        // Listing reads no entry's data, so a wrong CRC-32 passes; testing finds it.
        {{"--list", keys, damaged}, kCliSuccess, ListingOf(damaged, corrupt, damagedBytes.size(), ""), ""},
        {{"--test", keys, archive, damaged, wave},
         kCliFailure,
         archive + ": ok\n" + wave + ": ok\n",
         "kvr-decrypt: " + damaged +
             ": The archive is corrupted or different from the original.\n    Please obtain a valid encrypted copy:\n"
             "    docs\\b.txt\n"},
        {{"--test", archive}, kCliFailure, "", ": Key not found :\n    sub\\k.key\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.exitCode, Run(c.args)) << c.args[0] << " " << c.args.back();
        EXPECT_EQ(c.out, out_);
        if (c.messages.empty())
            EXPECT_EQ("", messages_);
        else
            EXPECT_NE(std::string::npos, messages_.find(c.messages)) << messages_;
    }
    // Nothing was written: only the inputs and the prepared folders are there, "packed" empty.
    int entries = 0;
    kvrtest::ForEachEntry(scratch_.Path(), [&entries](const std::string&, bool) { entries++; });
    EXPECT_EQ(7, entries);
    EXPECT_FALSE(Exists(scratch_.PathOf("packed\\a.txt")));
}

TEST_F(CliRun, AMissingKeyNamesTheNearestKeysOfEachFolderSearched) {
    ArchiveSpec typo = SampleSpec(false);
    typo.keyName = "sub\\kk.key";
    for (const char* name :
         {"keys\\kx.key", "keys\\b.key", "keys\\a.key", "keys\\zzzzzz.key", "keys\\kk.txt", "kkk.key"})
        Write(name, BytesOf("other key"));
    const std::string archive = Write("typo.enc", kvrtest::BuildRawArchive(typo));
    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", archive})));
    EXPECT_EQ("kvr-decrypt: " + archive + ": Key not found :\n    sub\\kk.key\n" +
                  // the nearest first, ties in name order, at most three, only key files
                  "    searched " + scratch_.PathOf("keys\\sub\\") + ": nearest k.key\n" + "    searched " +
                  scratch_.PathOf("keys\\") + ": nearest kx.key, a.key, b.key\n" + "    searched " + scratch_.Path() +
                  ": nearest kkk.key\n",
              messages_);
}

// The real program, started as the shell starts it (a wide command line) with its output in a
// pipe: a file of any name is found, the names its archive stores in code page 1252 (the test
// prefix's) become the right file names, and the pipe gets every name in UTF-8.
TEST_F(CliRun, AnyFileNameFromTheRealCommandLineAndNamesStoredInTheCodePage) {
    const std::string title = "\xE6\x97\xA5\xE6\x9C\xAC \xE2\x80\x93 M\xC3\xBCller";  // "日本 – Müller"
    const std::string greeting =
        "Gr\xC3\xBC\xC3\x9F"
        "e.txt";  // "Grüße.txt"
    const std::string nested =
        "Ordner\\\xC3\x87"
        "a va.txt";  // "Ordner\Ça va.txt"
    ArchiveSpec spec;
    spec.keyName = "Schl\xFCssel.key";
    spec.key = BytesOf("unicode key");
    spec.entries = {{"Gr\xFC\xDF"
                     "e.txt",
                     BytesOf("gruss"), false},
                    {"Ordner\\\xC7"
                     "a va.txt",
                     kvrtest::PatternBytes(3000, 4), false}};
    spec.compressed = true;
    const std::string source = Write(title + ".enc", kvrtest::BuildRawArchive(spec));
    Write("keys\\Schl\xC3\xBCssel.key", spec.key);
    const std::string program = kvrtest::WindowsPath(KVR_CLI_EXE);
    const std::string keys = " --keys \"" + scratch_.PathOf("keys") + "\" \"" + source + "\"";

    std::string listing;
    EXPECT_EQ(kvrtest::RunCaptured(program, "--list" + keys, listing), 0) << listing;
    for (const std::string& name : {title + ".enc", std::string("Schl\xC3\xBCssel.key"), greeting, nested})
        EXPECT_NE(listing.find(name), std::string::npos) << name << " in " << listing;

    std::string output;
    EXPECT_EQ(kvrtest::RunCaptured(program, keys.substr(1), output), 0) << output;
    EXPECT_NE(output.find(title + ".enc ["), std::string::npos) << output;
    EXPECT_EQ(kvrtest::ReadFileBytes(scratch_.PathOf(title + "\\" + greeting)), spec.entries[0].data);
    EXPECT_EQ(kvrtest::ReadFileBytes(scratch_.PathOf(title + "\\" + nested)), spec.entries[1].data);
}

}  // namespace
