// The decrypt driver end to end on real files: every source kind and density gives the
// archive's files byte for byte; events follow the rules and the progress bands; every
// message is exact; overwrite, cancel in every stage, unsafe names and titles behave;
// and no temporary file survives any road.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/engine/RequestRecorder.h"
#include "tests/engine/TestFolders.h"

namespace kvrtest {
namespace {

testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new EngineEnvironment);

const std::string kCorrupted =
    "The archive is corrupted or different from the original.\nPlease obtain a valid encrypted copy:\n\n";
using Tree = std::map<std::string, Bytes>;

ArchiveSpec StandardSpec() {
    // Text-mode traps (EOF mark, CR, LF, NUL) and more than one 1000-byte block.
    Bytes awkward = {0x1A, '\r', '\n', 0, '\n', '\r', 0x1A, 0, 'x', '\r'};
    const Bytes more = PatternBytes(2600, 5);
    awkward.insert(awkward.end(), more.begin(), more.end());
    ArchiveSpec spec;
    spec.keyName = "k.key";
    spec.key = BytesOf("s3cr\xEFt");
    spec.entries = {{"a.txt", BytesOf("hello")}, {"docs\\", {}, true},  {"docs\\b.bin", awkward},
                    {"empty.txt", {}},           {"empty\\", {}, true}, {"c/d.txt", BytesOf("slash")}};
    return spec;
}

Tree ExpectedTree(const ArchiveSpec& spec) {
    Tree tree;
    for (const ArchiveEntry& entry : spec.entries) {
        std::string name = entry.name;
        std::replace(name.begin(), name.end(), '/', '\\');
        for (size_t cut = name.find('\\'); cut != std::string::npos; cut = name.find('\\', cut + 1))
            tree[name.substr(0, cut + 1)] = Bytes();
        if (!entry.folder)
            tree[name] = entry.data;
    }
    return tree;
}

class DecryptFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_TRUE(CreateDirectoryA(Source().c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(Keys().c_str(), nullptr));
        ASSERT_TRUE(WriteFileBytes(Keys() + "k.key", StandardSpec().key));
        recorder_.request.keyFolder = Keys().c_str();
        recorder_.request.outputFolder = Source().c_str();
        tempBefore_ = TempNames();
    }
    void TearDown() override { EXPECT_EQ(TempNames(), tempBefore_) << "temporary files left behind"; }

    std::string Source() const { return scratch_.PathOf("src\\"); }
    std::string Keys() const { return scratch_.PathOf("keys\\"); }
    // Writes the source as name, clearing the output folder a previous run left.
    void PutSource(const std::string& name, const Bytes& bytes) {
        ASSERT_TRUE(WriteFileBytes(Source() + name, bytes));
        recorder_.request.sourcePath = (Source() + name).c_str();
        // A name without '.' is its own title: the file, which is no folder and stays.
        ScratchFolder::RemoveTree(Source() + name.substr(0, name.find('.')));
    }
    bool RunChecked() {
        const bool result = recorder_.Run();
        EXPECT_EQ(recorder_.Problem(), "");
        return result;
    }
    Tree Output(const std::string& title = "report") const { return ReadTree(Source() + title + "\\"); }

    ScratchFolder scratch_;
    RequestRecorder recorder_;
    std::set<std::string> tempBefore_;
};

// --- success ---------------------------------------------------------------------------

TEST_F(DecryptFileTest, EveryKindDensityAndRowWidthGivesTheFilesByteForByte) {
    // Upper-case extensions count too. Carriers are read and their payload written in blocks of
    // a few hundred kilobytes; with a big entry, rows of odd widths (padding) and rows wider than
    // the decoder's pieces cross those blocks. The big entry also takes the body past about 2 MB,
    // where a product of the position and 1000 no longer fits in 32 bits: the progress must not
    // fall there (each band is reached in its turn where a cancel stops it, CancelInEveryStage).
    const struct {
        SourceKind kind;
        const char* name;
        int width;
        bool big;
    } cases[] = {
        {SourceKind::kArchive, "report.enc", 37, false},       {SourceKind::kWave, "song.wav", 37, false},
        {SourceKind::kBitmapBytes, "bytes.bmp", 37, false},    {SourceKind::kBitmapWords, "words.BMP", 37, false},
        {SourceKind::kPngHandWritten, "photo.PNG", 37, false}, {SourceKind::kPngThroughImage, "image.png", 37, false},
        {SourceKind::kBitmapWords, "words.bmp", 4099, true},   {SourceKind::kBitmapBytes, "bytes.bmp", 37, true},
        {SourceKind::kBitmapBytes, "bytes.bmp", 5001, true},   {SourceKind::kWave, "song.wav", 0, true},
    };
    for (const auto& c : cases) {
        for (bool compressed : {false, true}) {
            ArchiveSpec spec = StandardSpec();
            spec.compressed = compressed;
            spec.chunkSize = 1500;
            if (c.big)
                spec.entries.push_back({"big.bin", PatternBytes(3000001, 3)});
            const Bytes source = SourceOf(c.kind, BuildRawArchive(spec), c.width);  // 37: rows padded to 112 bytes
            PutSource(c.name, source);
            const std::string title = std::string(c.name).substr(0, std::string(c.name).find('.'));
            const std::string label =
                c.name + std::string(" width ") + std::to_string(c.width) + (compressed ? " compressed" : "");
            EXPECT_TRUE(RunChecked()) << label << ": " << recorder_.error;
            EXPECT_EQ(Output(title), ExpectedTree(spec)) << label;
            EXPECT_EQ(recorder_.request.compressed, compressed);
            EXPECT_EQ(recorder_.progress.back(), 2000) << label;  // the recorder rejects a falling value
        }
    }
}

// --- refusals and messages -------------------------------------------------------------

TEST_F(DecryptFileTest, SourceWithoutTitleIsRefusedBeforeAnyWork) {
    // The output folder would be the source's own folder (or its parent).
    ArchiveSpec spec = StandardSpec();
    for (const char* name : {".enc", ".wav", ".bmp", ".png", "..enc", "...enc", " .enc"}) {
        spec.entries = {{name, BytesOf("replaced")}, {"a.txt", BytesOf("replaced")}};
        ASSERT_TRUE(WriteFileBytes(Source() + name, BuildRawArchive(spec)));
        ASSERT_TRUE(WriteFileBytes(Source() + "a.txt", BytesOf("mine")));
        const Tree before = ReadTree(Source());
        recorder_.request.sourcePath = (Source() + name).c_str();
        EXPECT_FALSE(RunChecked()) << name;
        EXPECT_EQ(recorder_.codes, (std::vector<int32_t>{RE_BEGIN, RE_ERROR, RE_WORK_END, RE_END})) << name;
        EXPECT_EQ(recorder_.error,
                  "This file has no name before its extension, so no output folder can be "
                  "named after it.\nPlease rename the file");
        EXPECT_EQ(ReadTree(Source()), before) << name;
    }
}

TEST_F(DecryptFileTest, FailuresRaiseTheirExactMessage) {
    ASSERT_TRUE(WriteFileBytes(Keys() + "wrong.key", BytesOf("other key")));
    const auto check = [this](const char* what, const ArchiveSpec& spec, const char* name, const std::string& message) {
        PutSource(name, BuildRawArchive(spec));
        EXPECT_FALSE(RunChecked()) << what;
        EXPECT_EQ(recorder_.error, message) << what;
    };
    ArchiveSpec spec = StandardSpec();
    check("no extension", spec, "archive", "Type or Format not valid");
    check("other extension", spec, "report.zip", "Type or Format not valid");
    spec.magic = "KVR-ENC-1.01";
    check("bad magic", spec, "report.enc", "This is not a valid encrypted archive");
    spec = StandardSpec();
    spec.keyName = "missing.key";  // a count is refused before the key is looked up
    for (const char* line : {"0", "abc", "-1", " "}) {
        spec.countLine = line;
        check("count line", spec, "report.enc", "Unknown Error");
    }
    spec = StandardSpec();
    spec.keyName = "missing\\nope.key";
    check("key missing", spec, "report.enc", "Key not found :\n\nmissing\\nope.key");
    spec = StandardSpec();
    spec.keyName = "wrong.key";
    spec.compressed = true;
    check("wrong key breaks the inflation", spec, "report.enc", "Unknown Error");
    spec = StandardSpec();
    spec.corruptCrcOf = 2;
    check("CRC mismatch", spec, "report.enc", kCorrupted + "docs\\b.bin");
    spec = StandardSpec();
    spec.lyingSizeOf = 0;
    check("entry longer than the data", spec, "report.enc", kCorrupted + "a.txt");
    spec = StandardSpec();
    spec.announcedCount = 8;
    check("fewer entries than announced", spec, "report.enc", kCorrupted + "report.enc");
    spec.compressed = true;
    check("fewer entries than announced, compressed", spec, "report.enc", kCorrupted + "report.enc");
    spec.countLine = "99999999999";
    check("count beyond the integers", spec, "report.enc", kCorrupted + "report.enc");
    spec = StandardSpec();
    spec.compressed = true;
    spec.entries.clear();
    spec.announcedCount = 1;
    check("zero chunks", spec, "report.enc", kCorrupted + "report.enc");
}

TEST_F(DecryptFileTest, UnsafeEntryNamesAreRefusedAndNothingLandsOutsideTheOutputFolder) {
    // One of each kind; every rule of the names is checked by SafeNameTest. Byte 0x81, which
    // code page 1252 leaves undefined, becomes a control character and is shown as such.
    const std::string names[] = {
        "sub\\..\\..\\escaped.txt", "../escaped.txt", "C:\\escaped.txt", "a.txt:stream", "nul.txt", "bad\x01.txt",
        "\\\\server\\share\\x",     "bad\x81.txt"};
    for (const std::string& name : names) {
        ArchiveSpec spec = StandardSpec();
        spec.entries.insert(spec.entries.begin() + 1, {name, BytesOf("evil")});
        PutSource("report.enc", BuildRawArchive(spec));
        std::set<std::string> sourceAfter = ListNames(Source());
        sourceAfter.insert("report\\");
        EXPECT_FALSE(RunChecked()) << name;
        const std::string shown = name == "bad\x81.txt" ? "bad\xC2\x81.txt" : name;
        EXPECT_EQ(recorder_.error, kCorrupted + shown);
        EXPECT_EQ(Output(), (Tree{{"a.txt", BytesOf("hello")}})) << name;
        EXPECT_EQ(ListNames(Source()), sourceAfter) << name;  // "../escaped.txt" would land there
    }
}

TEST_F(DecryptFileTest, SourceOfTwoGigabytesIsRefusedAfterTheWorkBegins) {
    PutSource("huge.enc", Bytes());
    FILE* const file = fopen(recorder_.request.sourcePath.Text(), "wb");  // of exactly 2 GB, sparse
    ASSERT_TRUE(file && _fseeki64(file, (int64_t{1} << 31) - 1, SEEK_SET) == 0 && fputc(0, file) == 0);
    EXPECT_EQ(fclose(file), 0);
    EXPECT_FALSE(RunChecked());
    EXPECT_EQ(recorder_.codes, (std::vector<int32_t>{RE_BEGIN, RE_WORK_BEGIN, RE_ERROR, RE_WORK_END, RE_END}));
    EXPECT_EQ(recorder_.error, "This file is too large (2 GB or more)");
}

// --- overwrite question ----------------------------------------------------------------

TEST_F(DecryptFileTest, OverwriteQuestionDecidesWhetherTheFolderIsWritten) {
    PutSource("report.enc", BuildRawArchive(StandardSpec()));
    ASSERT_TRUE(CreateDirectoryA((Source() + "report").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(Source() + "report\\a.txt", BytesOf("old")));
    ASSERT_TRUE(WriteFileBytes(Source() + "report\\mine.txt", BytesOf("keep")));

    recorder_.overwriteAnswer = 0;
    EXPECT_FALSE(RunChecked());
    EXPECT_EQ(recorder_.codes, (std::vector<int32_t>{RE_BEGIN, RE_ASK_OVERWRITE, RE_END}));
    EXPECT_EQ(recorder_.askedFolder, Source() + "report\\");
    EXPECT_EQ(Output(), (Tree{{"a.txt", BytesOf("old")}, {"mine.txt", BytesOf("keep")}}));

    recorder_.overwriteAnswer = 1;
    EXPECT_TRUE(RunChecked());
    EXPECT_EQ(recorder_.Count(RE_ASK_OVERWRITE), 1);
    Tree expected = ExpectedTree(StandardSpec());
    expected["mine.txt"] = BytesOf("keep");
    EXPECT_EQ(Output(), expected);
}

// --- cancel ----------------------------------------------------------------------------

TEST_F(DecryptFileTest, CancelInEveryStageStopsQuietly) {
    const struct {
        const char* stage;
        SourceKind kind;
        int atValue;
        bool setsCancelled;
    } cases[] = {
        {"archive copy", SourceKind::kArchive, 1, false},
        {"wave extraction", SourceKind::kWave, 1, false},
        {"bitmap extraction", SourceKind::kBitmapWords, 1, false},
        {"PNG extraction", SourceKind::kPngHandWritten, 1, false},
        {"key removal", SourceKind::kArchive, 1000, true},
        {"decompression", SourceKind::kArchive, 1333, true},
        {"first entry", SourceKind::kArchive, 1666, false},
    };
    for (const auto& c : cases) {
        ArchiveSpec spec = StandardSpec();
        spec.compressed = true;
        spec.chunkSize = 500;
        PutSource(std::string("report") + ExtensionOf(c.kind), SourceOf(c.kind, BuildRawArchive(spec), 37));
        recorder_.cancelAtValue = c.atValue;
        EXPECT_FALSE(RunChecked()) << c.stage;
        EXPECT_EQ(recorder_.Count(RE_ERROR), 0) << c.stage;
        ASSERT_FALSE(recorder_.progress.empty()) << c.stage;
        EXPECT_GE(recorder_.progress.back(), c.atValue) << c.stage;
        EXPECT_LT(recorder_.progress.back(), c.atValue == 1 ? 1000 : c.atValue + 333) << c.stage;
        EXPECT_EQ(recorder_.request.cancelled, c.setsCancelled) << c.stage;
        if (c.atValue == 1666)
            EXPECT_EQ(Output(), Tree()) << "the output folder stays, empty";
        else
            EXPECT_FALSE(Exists(Source() + "report")) << c.stage;
    }
}

}  // namespace
}  // namespace kvrtest
