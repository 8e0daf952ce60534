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
#include "tests/support/ArchiveWriter.h"
#include "tests/support/CarrierWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileSystem.h"

namespace kvrtest {
namespace {

// A console stream's stand-in: a file ("D": deleted when closed), read back whole.
struct CapturedFile {
    CapturedFile(const std::string& path, const char* initial) {
        file = fopen(path.c_str(), "w+bD");
        fputs(initial, file);
        rewind(file);
    }
    ~CapturedFile() { fclose(file); }
    std::string Text() const {
        std::string text(static_cast<size_t>(ftell(file)), '\0');
        rewind(file);
        text.resize(fread(&text[0], 1, text.size(), file));
        return text;
    }
    FILE* file;
};

ArchiveSpec SampleSpec(bool compressed) {
    ArchiveSpec spec;
    spec.keyName = "sub\\k.key";
    spec.key = BytesOf("secret key");
    spec.compressed = compressed;
    spec.entries = {
        {"a.txt", BytesOf("alpha"), false}, {"docs\\", {}, true}, {"docs\\b.txt", PatternBytes(5000, 3), false}};
    return spec;
}

class CliRun : public ::testing::Test {
protected:
    void SetUp() override {
        CliClearCancel();
        ASSERT_TRUE(scratch_.IsValid());
        for (const char* folder : {"keys", "keys\\sub", "out"})
            ASSERT_TRUE(MakeFolder(scratch_.PathOf(folder)));
        ASSERT_TRUE(WriteFileBytes(scratch_.PathOf("keys\\sub\\k.key"), BytesOf("secret key")));
    }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = scratch_.PathOf(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    // Runs a command line made of args; stdin is not a console unless typed is given, and
    // the messages are a console only when asked.
    int Run(std::vector<std::string> args, const char* typed = nullptr, bool barOnConsole = false) {
        std::vector<const char*> argv{"kvr-decrypt"};
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        CapturedFile out(scratch_.PathOf("out.txt"), "");
        CapturedFile messages(scratch_.PathOf("messages.txt"), "");
        CapturedFile answers(scratch_.PathOf("answers.txt"), typed ? typed : "");
        const CliConsole console{out.file, messages.file, answers.file, typed != nullptr, barOnConsole};
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

    ScratchFolder scratch_;
    std::string out_;
    std::string messages_;
};

// Every kind of source is decrypted alike (DecryptFileTest); one archive and one carrier here.
TEST_F(CliRun, DecryptsWithOneProgressLinePerFileInALogAndABarRedrawnOnAConsole) {
    const Bytes packed = BuildRawArchive(SampleSpec(true));
    const std::vector<std::string> files = {Write("one.enc", packed), Write("song.wav", BuildWaveCarrier(packed)),
                                            Write("two.enc", BuildRawArchive(SampleSpec(false)))};
    ASSERT_EQ(kCliSuccess, Run(Folders(files))) << messages_;
    EXPECT_EQ(
        "one.enc [##############################] 100% writing\n"
        "song.wav [##############################] 100% writing\n"
        "two.enc [##############################] 100% writing\n",
        messages_);
    for (const char* title : {"one", "song", "two"})
        EXPECT_TRUE(Exists(scratch_.PathOf(std::string("out\\") + title + "\\docs\\b.txt"))) << title;
    ASSERT_EQ(kCliSuccess, Run(Folders({"--overwrite", files[0], files[1]}), nullptr, true)) << messages_;
    for (const char* label : {"\rone.enc [", "\rsong.wav [", "100% writing"})
        EXPECT_NE(std::string::npos, messages_.find(label)) << messages_;
}

// Each failure is told after "kvr-decrypt: <file>: ", its later lines indented and blank ones left
// out (the engine's messages themselves are checked in its own tests); the other files are
// decrypted. A missing key folder is warned about once, and a missing key explained by the
// folders searched.
TEST_F(CliRun, FailuresAreReportedWithTheFileAndMissingKeysWithTheFoldersSearched) {
    ArchiveSpec besideSpec = SampleSpec(false);
    besideSpec.keyName = "beside.key";
    Write("beside.key", besideSpec.key);
    ArchiveSpec builtIn = SampleSpec(false);
    builtIn.keyName = "";
    builtIn.key = BytesOf("KVRK");
    const std::string missing = scratch_.PathOf("nowhere");
    const std::string lost = Write("lost.enc", BuildRawArchive(SampleSpec(false)));
    const std::string beside = Write("beside.enc", BuildRawArchive(besideSpec));
    besideSpec.corruptCrcOf = 0;
    const std::string crc = Write("crc.enc", BuildRawArchive(besideSpec));
    const std::string absent = scratch_.PathOf("absent.enc");
    EXPECT_EQ(kCliFailure, Run({"--quiet", "--keys", missing, "--out", scratch_.PathOf("out"), lost, crc, absent,
                                beside, Write("builtin.enc", BuildRawArchive(builtIn))}));
    EXPECT_EQ("kvr-decrypt: warning: key folder " + missing +
                  " not found; keys are looked up beside each file\n"
                  "kvr-decrypt: " +
                  lost + ": Key not found :\n    sub\\k.key\n    searched " + missing + "\\sub\\: no such folder\n" +
                  "    searched " + missing + "\\: no such folder\n    searched " + scratch_.Path() +
                  ": nearest beside.key\nkvr-decrypt: " + crc +
                  ": The archive is corrupted or different from the original.\n"
                  "    Please obtain a valid encrypted copy:\n    a.txt\nkvr-decrypt: " +
                  absent + ": no such file\n",
              messages_);
    EXPECT_TRUE(Exists(scratch_.PathOf("out\\beside\\a.txt")));
    EXPECT_TRUE(Exists(scratch_.PathOf("out\\builtin\\a.txt")));

    // Each folder searched names its nearest keys.
    ArchiveSpec typo = SampleSpec(false);
    typo.keyName = "sub\\kk.key";
    for (const char* name :
         {"keys\\kx.key", "keys\\b.key", "keys\\a.key", "keys\\zzzzzz.key", "keys\\kk.txt", "kkk.key"})
        Write(name, BytesOf("other key"));
    const std::string archive = Write("typo.enc", BuildRawArchive(typo));
    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", archive})));
    EXPECT_EQ("kvr-decrypt: " + archive + ": Key not found :\n    sub\\kk.key\n" +
                  // the nearest first (beside.key, written above, is far), ties in name order, at
                  // most three, only key files
                  "    searched " + scratch_.PathOf("keys\\sub\\") + ": nearest k.key\n" + "    searched " +
                  scratch_.PathOf("keys\\") + ": nearest kx.key, a.key, b.key\n" + "    searched " + scratch_.Path() +
                  ": nearest kkk.key, beside.key\n",
              messages_);
}

TEST_F(CliRun, ExistingOutputFolderFollowsTheOverwriteRule) {
    const std::string archive = Write("again.enc", BuildRawArchive(SampleSpec(false)));
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("out\\again").c_str(), nullptr));

    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", archive})));  // stdin is no console
    EXPECT_NE(std::string::npos, messages_.find("already exists")) << messages_;
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", "--no-overwrite", archive}), "y\n"));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", archive}), "n\n"));
    EXPECT_NE(std::string::npos, messages_.find("Write into it? [y/N]")) << messages_;
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    // A long reply is read to its end: its tail does not answer the next file's question.
    const std::string longNo = "n" + std::string(100, ' ') + "yes\nn\n";
    EXPECT_EQ(kCliFailure, Run(Folders({"--quiet", archive, archive}), longNo.c_str()));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    EXPECT_EQ(kCliSuccess, Run(Folders({"--quiet", archive}), "yes\n")) << messages_;
    EXPECT_TRUE(Exists(scratch_.PathOf("out\\again\\a.txt")));

    EXPECT_EQ(kCliSuccess, Run(Folders({"--quiet", "--overwrite", archive}))) << messages_;
}

TEST_F(CliRun, CtrlCCancelsTheRunningRequestAndSkipsTheRest) {
    const std::string first = Write("first.enc", BuildRawArchive(SampleSpec(true)));
    const std::string second = Write("second.enc", BuildRawArchive(SampleSpec(false)));
    // What the Ctrl+C handler does; the first progress answer carries it.
    RaiseCliCancel();
    EXPECT_EQ(kCliFailure, Run(Folders({first, second})));
    EXPECT_NE(std::string::npos, messages_.find("kvr-decrypt: " + first + ": cancelled")) << messages_;
    EXPECT_NE(std::string::npos, messages_.find("kvr-decrypt: " + second + ": skipped")) << messages_;
    EXPECT_EQ(std::string::npos, messages_.find("Error")) << messages_;
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\first\\a.txt")));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\second")));
}

// The listing's lines of one archive, made from what the writer put in it; a carrier's line
// when it has room for more than the archive.
std::string ListingOf(const std::string& label, const ArchiveSpec& spec, size_t archiveSize, size_t room = 0) {
    const std::string size = std::to_string(archiveSize);
    std::string text = label + "\n  key:      " + spec.keyName + "\n  archive:  " + size + " bytes, " +
                       (spec.compressed ? "compressed" : "stored") + ", " + std::to_string(spec.entries.size()) +
                       " entries\n" +
                       (room ? "  carrier:  hides " + size + " of " + std::to_string(room) + " bytes\n" : "") +
                       "  kind         size  crc-32    name\n";
    for (int index = 0; index < static_cast<int>(spec.entries.size()); index++) {
        const ArchiveEntry& entry = spec.entries[index];
        const uint32_t crc = Crc32Of(entry.data) ^ (index == spec.corruptCrcOf ? 1u : 0u);
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
    const Bytes packed = BuildRawArchive(spec);
    const BitmapCarrierSpec picture{true, 64, 200};  // more rows than the payload needs
    const WaveCarrierSpec sound{80};                 // ten groups more than the payload needs
    ArchiveSpec corrupt = SampleSpec(false);
    corrupt.corruptCrcOf = 2;
    const std::string archive = Write("packed.enc", packed);
    const std::string bitmap = Write("picture.bmp", BuildBitmapCarrier(packed, picture));
    const std::string wave = Write("song.wav", BuildWaveCarrier(packed, sound));
    const Bytes damagedBytes = BuildRawArchive(corrupt);
    const std::string damaged = Write("damaged.enc", damagedBytes);
    const std::string keys = "--keys=" + scratch_.PathOf("keys");
    // The folder a decryption would write into: listing and testing ask nothing about it.
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("packed").c_str(), nullptr));

    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string messages;  // a part of them; empty: none at all
    } cases[] = {
        {{"--list", keys, archive, bitmap, wave},
         kCliSuccess,
         ListingOf(archive, spec, packed.size()) + ListingOf(bitmap, spec, packed.size(), 64 * 200 - 2 - 4) +
             ListingOf(wave, spec, packed.size(), (packed.size() + 4) / 5 * 5 + 50),
         ""},
        // Listing reads no entry's data, so a wrong CRC-32 passes; testing finds it.
        {{"--list", keys, damaged}, kCliSuccess, ListingOf(damaged, corrupt, damagedBytes.size()), ""},
        {{"--test", keys, archive, damaged, wave},
         kCliFailure,
         archive + ": ok\n" + wave + ": ok\n",
         "kvr-decrypt: " + damaged +
             ": The archive is corrupted or different from the original.\n    Please obtain a valid encrypted copy:\n"
             "    docs\\b.txt\n"},
        {{"--test", archive}, kCliFailure, "", ": Key not found :\n    sub\\k.key\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.exitCode, Run(c.args)) << c.args[0] << " " << c.args.back();
        EXPECT_EQ(c.out, out_);
        if (c.messages.empty())
            EXPECT_EQ("", messages_);
        else
            EXPECT_NE(std::string::npos, messages_.find(c.messages)) << messages_;
    }
    // Nothing was written: only the inputs and the prepared folders are there, "packed" empty.
    StringList entries;
    FileSystem().ListFolder((scratch_.Path() + "*").c_str(), entries,
                            FileSystem::kListFiles | FileSystem::kListFolders);
    EXPECT_EQ(7, entries.Count());
    EXPECT_FALSE(Exists(scratch_.PathOf("packed\\a.txt")));
}

// The real program, started as the shell starts it (a wide command line) with its output in a
// pipe: a file of any name is found, the names its archive stores in code page 1252 (the test
// prefix's) become the right file names, and the pipe gets every name in UTF-8.
TEST_F(CliRun, AnyFileNameFromTheRealCommandLineAndNamesStoredInTheCodePage) {
    const std::string title = "\u65e5\u672c \u2013 M\u00fcller";  // "日本 – Müller"
    const std::string greeting = "Gr\u00fc\u00dfe.txt";
    const std::string nested = "Ordner\\\u00c7a va.txt";
    ArchiveSpec spec;
    spec.keyName = "Schl\374ssel.key";
    spec.key = BytesOf("unicode key");
    spec.entries = {{"Gr\374\337e.txt", BytesOf("gruss")}, {"Ordner\\\307a va.txt", PatternBytes(3000, 4)}};
    spec.compressed = true;
    const std::string source = Write(title + ".enc", BuildRawArchive(spec));
    Write("keys\\Schl\u00fcssel.key", spec.key);
    const std::string program = WindowsPath(KVR_CLI_EXE);
    const std::string keys = " --keys \"" + scratch_.PathOf("keys") + "\" \"" + source + "\"";

    std::string listing;
    EXPECT_EQ(RunCaptured(program, "--list" + keys, listing), 0) << listing;
    for (const std::string& name : {title + ".enc", std::string("Schl\u00fcssel.key"), greeting, nested})
        EXPECT_NE(listing.find(name), std::string::npos) << name << " in " << listing;

    std::string output;
    EXPECT_EQ(RunCaptured(program, keys.substr(1), output), 0) << output;
    EXPECT_NE(output.find(title + ".enc ["), std::string::npos) << output;
    EXPECT_EQ(ReadFileBytes(scratch_.PathOf(title + "\\" + greeting)), spec.entries[0].data);
    EXPECT_EQ(ReadFileBytes(scratch_.PathOf(title + "\\" + nested)), spec.entries[1].data);
}

}  // namespace
}  // namespace kvrtest
