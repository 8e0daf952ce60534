// The decrypt driver end to end on real files: every source kind and density gives the
// archive's files byte for byte; events follow the rules and the progress bands; every
// message is exact; overwrite, cancel in every stage, unsafe names and short archives behave;
// and no temporary file survives any road.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "engine/DecryptFile.h"
#include "tests/engine/RequestRecorder.h"
#include "tests/engine/TestFolders.h"
#include "tests/support/ArchiveWriter.h"
#include "tests/support/CarrierWriter.h"
#include "tests/support/ScratchFolder.h"

namespace kvrtest {
namespace {

testing::Environment* const kTemp = testing::AddGlobalTestEnvironment(new PrivateTempEnvironment);
testing::Environment* const kGraphics = testing::AddGlobalTestEnvironment(new GraphicsEnvironment);

const char kCorrupted[] =
    "The archive is corrupted or different from the original.\nPlease obtain a valid encrypted copy:\n\n";
const std::vector<int32_t> kDeclined = {RE_BEGIN, RE_ASK_OVERWRITE, RE_END};

ArchiveEntry File(const std::string& name, const Bytes& data) {
    ArchiveEntry entry;
    entry.name = name;
    entry.data = data;
    return entry;
}

ArchiveEntry Folder(const std::string& name) {
    ArchiveEntry entry;
    entry.name = name;
    entry.folder = true;
    return entry;
}

// Text-mode traps (EOF mark, CR, LF, NUL) and more than one 1000-byte block.
Bytes AwkwardBytes() {
    Bytes bytes = {0x1A, '\r', '\n', 0, '\n', '\r', 0x1A, 0, 'x', '\r'};
    const Bytes more = PatternBytes(2600, 5);
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

ArchiveSpec StandardSpec() {
    ArchiveSpec spec;
    spec.keyName = "k.key";
    spec.key = BytesOf("s3cr\xEFt");
    spec.entries = {File("a.txt", BytesOf("hello")), Folder("docs\\"),  File("docs\\b.bin", AwkwardBytes()),
                    File("empty.txt", Bytes()),      Folder("empty\\"), File("c/d.txt", BytesOf("slash"))};
    return spec;
}

std::map<std::string, Bytes> ExpectedTree(const ArchiveSpec& spec) {
    std::map<std::string, Bytes> tree;
    for (const ArchiveEntry& entry : spec.entries) {
        std::string name = entry.name;
        for (char& c : name)
            c = c == '/' ? '\\' : c;
        for (size_t cut = name.find('\\'); cut != std::string::npos; cut = name.find('\\', cut + 1))
            tree[name.substr(0, cut + 1)] = Bytes();
        if (!entry.folder)
            tree[name] = entry.data;
    }
    return tree;
}

enum class Kind { kArchive, kWave, kBitmapBytes, kBitmapWords, kPngHandWritten, kPngThroughImage };

struct KindCase {
    Kind kind;
    const char* fileName;
};

const KindCase kKinds[] = {
    {Kind::kArchive, "report.enc"},       {Kind::kWave, "song.wav"},
    {Kind::kBitmapBytes, "bytes.bmp"},    {Kind::kBitmapWords, "words.BMP"},
    {Kind::kPngHandWritten, "photo.PNG"}, {Kind::kPngThroughImage, "image.png"},
};

Bytes CarrierOf(Kind kind, const Bytes& raw) {
    BitmapCarrierSpec bitmap;
    bitmap.width = 37;  // rows padded to 112 bytes
    switch (kind) {
        case Kind::kArchive:
            return raw;
        case Kind::kWave:
            return BuildWaveCarrier(raw);
        case Kind::kBitmapBytes:
            return BuildBitmapCarrier(raw, bitmap);
        case Kind::kBitmapWords:
            bitmap.byteMode = false;
            return BuildBitmapCarrier(raw, bitmap);
        case Kind::kPngHandWritten:
            return BuildPngCarrier(raw, bitmap);
        case Kind::kPngThroughImage:
            bitmap.byteMode = false;
            return PngThroughImage(BuildBitmapCarrier(raw, bitmap));
    }
    return Bytes();
}

class DecryptFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_TRUE(CreateDirectoryA(Source().c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(Keys().c_str(), nullptr));
        recorder_.request.keyFolder = Keys().c_str();
        recorder_.request.outputFolder = Source().c_str();
        tempBefore_ = ListNames(TempFolderPath());
    }
    void TearDown() override {
        EXPECT_EQ(NewNames(tempBefore_, ListNames(TempFolderPath())), std::set<std::string>())
            << "temporary files left behind";
    }

    std::string Source() const { return scratch_.PathOf("src\\"); }
    std::string Keys() const { return scratch_.PathOf("keys\\"); }
    void PutKey(const std::string& relative, const Bytes& key) { ASSERT_TRUE(WriteFileBytes(Keys() + relative, key)); }
    void PutSource(const std::string& name, const Bytes& bytes) {
        ASSERT_TRUE(WriteFileBytes(Source() + name, bytes));
        recorder_.request.sourcePath = (Source() + name).c_str();
    }
    // Writes the archive of spec (and its key under spec.keyName) as name and runs the request.
    bool RunArchive(const ArchiveSpec& spec, const std::string& name = "report.enc") {
        if (!spec.keyName.empty())
            PutKey(spec.keyName, spec.key);
        PutSource(name, BuildRawArchive(spec));
        return RunChecked();
    }
    bool RunChecked() {
        const bool result = recorder_.Run();
        EXPECT_EQ(recorder_.Problem(), "");
        if (result) {
            EXPECT_EQ(recorder_.Count(RE_ERROR), 0);
            EXPECT_FALSE(recorder_.request.cancelled);
        }
        return result;
    }
    std::map<std::string, Bytes> Output(const std::string& title = "report") const {
        return ReadTree(Source() + title + "\\");
    }

    ScratchFolder scratch_;
    RequestRecorder recorder_;
    std::set<std::string> tempBefore_;
};

// --- success ---------------------------------------------------------------------------

TEST_F(DecryptFileTest, ArchiveWithFileAndEmptyFolderYieldsBoth) {
    ArchiveSpec spec;
    spec.keyName = "keys\\k1.key";
    spec.key = BytesOf("K1");
    spec.entries = {File("a.txt", BytesOf("abc")), Folder("empty\\")};
    ASSERT_TRUE(CreateDirectoryA((Keys() + "keys").c_str(), nullptr));
    ASSERT_TRUE(RunArchive(spec));
    EXPECT_EQ(Output(), (std::map<std::string, Bytes>{{"a.txt", BytesOf("abc")}, {"empty\\", Bytes()}}));
    const std::vector<int32_t> codes = recorder_.Codes();
    EXPECT_EQ(codes[1], RE_WORK_BEGIN);
    EXPECT_EQ(recorder_.ProgressValues().back(), 2000);
}

TEST_F(DecryptFileTest, EveryKindAndDensityGivesTheFilesByteForByte) {
    for (const KindCase& kind : kKinds) {
        for (bool compressed : {false, true}) {
            ArchiveSpec spec = StandardSpec();
            spec.compressed = compressed;
            spec.chunkSize = 1500;
            PutKey(spec.keyName, spec.key);
            const Bytes carrier = CarrierOf(kind.kind, BuildRawArchive(spec));
            ASSERT_FALSE(carrier.empty()) << kind.fileName;
            PutSource(kind.fileName, carrier);
            const std::string title = std::string(kind.fileName).substr(0, std::string(kind.fileName).find('.'));
            ScratchFolder::RemoveTree(Source() + title);
            EXPECT_TRUE(RunChecked()) << kind.fileName << " compressed " << compressed << ": " << recorder_.ErrorText();
            EXPECT_EQ(Output(title), ExpectedTree(spec)) << kind.fileName << " compressed " << compressed;
            EXPECT_EQ(recorder_.request.compressed, compressed);
        }
    }
}

TEST_F(DecryptFileTest, EmptyKeyNameUsesTheBuiltInKeyAndFlagTwoMeansCompressed) {
    ArchiveSpec spec = StandardSpec();
    spec.keyName = "";
    spec.key = BytesOf("KVRK");
    spec.compressed = true;
    spec.flagByte = 2;
    recorder_.request.keyFolder = scratch_.PathOf("no such folder\\").c_str();
    ASSERT_TRUE(RunArchive(spec)) << recorder_.ErrorText();
    EXPECT_EQ(Output(), ExpectedTree(spec));
}

TEST_F(DecryptFileTest, KeyUnderASubfolderNameIsFoundInTheKeyFolderOrBesideTheSource) {
    for (bool besideSource : {false, true}) {
        ArchiveSpec spec = StandardSpec();
        spec.keyName = "sub\\k.key";
        const std::string keyPath = besideSource ? Source() + "k.key" : Keys() + "k.key";
        ASSERT_TRUE(WriteFileBytes(keyPath, spec.key));
        PutSource("report.enc", BuildRawArchive(spec));
        ScratchFolder::RemoveTree(Source() + "report");
        EXPECT_TRUE(RunChecked()) << recorder_.ErrorText();
        DeleteFileA(keyPath.c_str());
    }
}

TEST_F(DecryptFileTest, KeyNameLineWithALoneLineFeedIsOneName) {
    ArchiveSpec spec = StandardSpec();
    spec.keyName = "ab\ncd";
    PutKey("abcd", spec.key);
    PutSource("report.enc", BuildRawArchive(spec));
    EXPECT_TRUE(RunChecked()) << recorder_.ErrorText();
}

TEST_F(DecryptFileTest, OutputGoesToTheRequestedFolderOrElseBesideTheSource) {
    const std::string elsewhere = scratch_.PathOf("out\\");
    ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
    recorder_.request.outputFolder = elsewhere.c_str();
    ASSERT_TRUE(RunArchive(StandardSpec()));
    EXPECT_EQ(ReadTree(elsewhere + "report\\"), ExpectedTree(StandardSpec()));

    recorder_.request.outputFolder = "";
    ASSERT_TRUE(RunChecked());
    EXPECT_EQ(Output(), ExpectedTree(StandardSpec()));
}

// --- progress --------------------------------------------------------------------------

TEST_F(DecryptFileTest, ProgressRunsThroughTheFourBands) {
    for (bool compressed : {false, true}) {
        ArchiveSpec spec = StandardSpec();
        spec.compressed = compressed;
        spec.chunkSize = 700;
        spec.key = BytesOf("k");
        const Bytes raw = BuildRawArchive(spec);
        PutKey(spec.keyName, spec.key);
        PutSource("report.enc", raw);
        ScratchFolder::RemoveTree(Source() + "report");
        ASSERT_TRUE(RunChecked());

        std::vector<int> expected;
        const int size = static_cast<int>(raw.size());
        for (int p = 1000; p < size; p += 1000)
            expected.push_back(p * 1000 / size);
        const int bodyStart = static_cast<int>(BuildHeader(spec).size());
        const int body = size - bodyStart;
        for (int p = 0; p < body; p += 1000)
            expected.push_back(1000 + p * 1000 / body * (compressed ? 333 : 666) / 1000);
        if (compressed) {
            const int chunks = static_cast<int>((BuildEntryStream(spec).size() + 699) / 700);
            for (int i = 0; i < chunks; ++i)
                expected.push_back(1333 + i * 1000 / chunks * 333 / 1000);
        }
        const int count = static_cast<int>(spec.entries.size());
        for (int i = 1; i <= count; ++i)
            expected.push_back(i * 334 / count + 1666);
        EXPECT_EQ(recorder_.ProgressValues(), expected) << "compressed " << compressed;
    }
}

// --- refusals and messages -------------------------------------------------------------

TEST_F(DecryptFileTest, FailuresRaiseTheirExactMessage) {
    struct Case {
        const char* what;
        ArchiveSpec spec;
        std::string sourceName;
        std::string message;
    };
    std::vector<Case> cases;
    auto add = [&cases](const char* what, ArchiveSpec spec, const std::string& name, const std::string& message) {
        cases.push_back({what, spec, name, message});
    };
    ArchiveSpec spec = StandardSpec();
    add("no extension", spec, "archive", "Type or Format not valid");
    add("other extension", spec, "report.zip", "Type or Format not valid");
    spec.magic = "KVR-ENC-1.01";
    add("bad magic", spec, "report.enc", "This is not a valid encrypted archive");
    spec = StandardSpec();
    for (const char* line : {"0", "abc", "-1", " "}) {
        spec.countLine = line;
        spec.keyName = "missing.key";  // the count is refused before the key is looked up
        add("count line", spec, "report.enc", "Unknown Error");
    }
    spec = StandardSpec();
    spec.keyName = "missing\\nope.key";
    add("key missing", spec, "report.enc", "Key not found :\n\nmissing\\nope.key");
    spec = StandardSpec();
    spec.corruptCrcOf = 2;
    add("CRC mismatch", spec, "report.enc", std::string(kCorrupted) + "docs\\b.bin");
    spec = StandardSpec();
    spec.announcedCount = 8;
    add("fewer entries than announced", spec, "report.enc", std::string(kCorrupted) + "report.enc");
    spec.compressed = true;
    add("fewer entries than announced, compressed", spec, "report.enc", std::string(kCorrupted) + "report.enc");
    spec = StandardSpec();
    spec.lyingSizeOf = 0;
    add("entry longer than the data", spec, "report.enc", std::string(kCorrupted) + "a.txt");
    spec = StandardSpec();
    spec.compressed = true;
    spec.entries.clear();
    spec.announcedCount = 1;
    add("zero chunks", spec, "report.enc", std::string(kCorrupted) + "report.enc");

    for (const Case& c : cases) {
        RequestRecorder recorder;
        recorder.request.keyFolder = Keys().c_str();
        recorder.request.outputFolder = Source().c_str();
        if (c.spec.keyName != "missing.key" && c.spec.keyName.find("missing") == std::string::npos)
            PutKey(c.spec.keyName, c.spec.key);
        ASSERT_TRUE(WriteFileBytes(Source() + c.sourceName, BuildRawArchive(c.spec)));
        recorder.request.sourcePath = (Source() + c.sourceName).c_str();
        EXPECT_FALSE(recorder.Run()) << c.what;
        EXPECT_EQ(recorder.Problem(), "") << c.what;
        EXPECT_EQ(recorder.ErrorText(), c.message) << c.what;
        ScratchFolder::RemoveTree(Source() + "report");
    }
}

TEST_F(DecryptFileTest, FilesWrittenBeforeAFailureStay) {
    ArchiveSpec spec = StandardSpec();
    spec.corruptCrcOf = 2;
    EXPECT_FALSE(RunArchive(spec));
    const std::map<std::string, Bytes> output = Output();
    EXPECT_EQ(output.at("a.txt"), BytesOf("hello"));
    EXPECT_EQ(output.at("docs\\b.bin"), AwkwardBytes());  // the mismatching file stays too
    EXPECT_EQ(output.count("empty.txt"), 0u);
}

TEST_F(DecryptFileTest, UnsafeEntryNamesAreRefusedAndNothingLandsOutsideTheOutputFolder) {
    const char* const names[] = {"..\\escaped.txt",
                                 "sub\\..\\..\\escaped.txt",
                                 "../escaped.txt",
                                 "\\escaped.txt",
                                 "C:\\escaped.txt",
                                 "C:escaped.txt",
                                 "a.txt:stream",
                                 "CON",
                                 "nul.txt",
                                 "lpt1\\x",
                                 "bad\x01.txt",
                                 "trailing.",
                                 "space \\x.txt",
                                 ".\\x.txt",
                                 "\\\\server\\share\\x"};
    const std::set<std::string> scratchBefore = ListNames(scratch_.Path());
    for (const char* name : names) {
        ArchiveSpec spec = StandardSpec();
        spec.entries.insert(spec.entries.begin() + 1, File(name, BytesOf("evil")));
        PutKey(spec.keyName, spec.key);
        PutSource("report.enc", BuildRawArchive(spec));
        const std::set<std::string> sourceBefore = ListNames(Source());
        EXPECT_FALSE(RunChecked()) << name;
        EXPECT_EQ(recorder_.ErrorText(), std::string(kCorrupted) + name);
        EXPECT_EQ(Output(), (std::map<std::string, Bytes>{{"a.txt", BytesOf("hello")}})) << name;
        EXPECT_EQ(NewNames(sourceBefore, ListNames(Source())), (std::set<std::string>{"report"})) << name;
        ScratchFolder::RemoveTree(Source() + "report");
    }
    EXPECT_EQ(ListNames(scratch_.Path()), scratchBefore);
}

TEST_F(DecryptFileTest, WrongKeyForACompressedArchiveFailsTheDecompression) {
    ArchiveSpec spec = StandardSpec();
    spec.compressed = true;
    PutSource("report.enc", BuildRawArchive(spec));
    PutKey(spec.keyName, BytesOf("other key"));
    EXPECT_FALSE(RunChecked());
    EXPECT_EQ(recorder_.ErrorText(), "Unknown Error");
}

TEST_F(DecryptFileTest, OutputFolderThatCannotBeCreatedIsNamed) {
    ASSERT_TRUE(WriteFileBytes(Source() + "report", BytesOf("a file where the folder should go")));
    EXPECT_FALSE(RunArchive(StandardSpec()));
    EXPECT_EQ(recorder_.ErrorText(), "Cannot create the following folder :\n\n" + Source() + "report\\");
}

TEST_F(DecryptFileTest, EntryFolderThatCannotBeCreatedIsNamed) {
    ArchiveSpec spec = StandardSpec();
    spec.entries = {File("x", BytesOf("1")), File("x\\y.txt", BytesOf("2"))};
    EXPECT_FALSE(RunArchive(spec));
    EXPECT_EQ(recorder_.ErrorText(), "Cannot create the following folder :\n\n" + Source() + "report\\x\\");
}

TEST_F(DecryptFileTest, TargetThatCannotBeOpenedFails) {
    ASSERT_TRUE(CreateDirectoryA((Source() + "report").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((Source() + "report\\a.txt").c_str(), nullptr));
    EXPECT_FALSE(RunArchive(StandardSpec()));
    EXPECT_EQ(recorder_.ErrorText(), "Unknown Error");
}

TEST_F(DecryptFileTest, SourceOfTwoGigabytesIsRefusedAfterTheWorkBegins) {
    PutSource("huge.enc", Bytes());
    HANDLE file =
        CreateFileA(recorder_.request.sourcePath.Text(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = int64_t{1} << 31;
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    EXPECT_FALSE(RunChecked());
    EXPECT_EQ(recorder_.Codes(), (std::vector<int32_t>{RE_BEGIN, RE_WORK_BEGIN, RE_ERROR, RE_WORK_END, RE_END}));
    EXPECT_EQ(recorder_.ErrorText(), "This file is too large (2 GB or more)");
}

TEST_F(DecryptFileTest, MissingSourcesFail) {
    for (const char* name : {"gone.enc", "gone.wav", "gone.bmp"}) {
        recorder_.request.sourcePath = (Source() + name).c_str();
        EXPECT_FALSE(RunChecked());
        EXPECT_EQ(recorder_.ErrorText(), "Unknown Error") << name;
    }
    recorder_.request.sourcePath = (Source() + "gone.png").c_str();
    EXPECT_FALSE(RunChecked());
    EXPECT_EQ(recorder_.ErrorText(), "This PNG file does not contain encrypted data");
}

// --- overwrite question ----------------------------------------------------------------

TEST_F(DecryptFileTest, DeclinedOverwriteTouchesNothing) {
    ASSERT_TRUE(CreateDirectoryA((Source() + "report").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(Source() + "report\\a.txt", BytesOf("old")));
    recorder_.overwriteAnswer = 0;
    EXPECT_FALSE(RunArchive(StandardSpec()));
    EXPECT_EQ(recorder_.Codes(), kDeclined);
    EXPECT_EQ(recorder_.events[1].text, Source() + "report\\");
    EXPECT_EQ(Output(), (std::map<std::string, Bytes>{{"a.txt", BytesOf("old")}}));
}

TEST_F(DecryptFileTest, AcceptedOverwriteReplacesEntriesAndKeepsOtherFiles) {
    ASSERT_TRUE(CreateDirectoryA((Source() + "report").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(Source() + "report\\a.txt", BytesOf("old old old")));
    ASSERT_TRUE(WriteFileBytes(Source() + "report\\mine.txt", BytesOf("keep")));
    EXPECT_TRUE(RunArchive(StandardSpec()));
    EXPECT_EQ(recorder_.Count(RE_ASK_OVERWRITE), 1);
    std::map<std::string, Bytes> expected = ExpectedTree(StandardSpec());
    expected["mine.txt"] = BytesOf("keep");
    EXPECT_EQ(Output(), expected);
}

TEST_F(DecryptFileTest, SourceWithoutExtensionIsRefusedOnlyAfterTheQuestion) {
    const std::string elsewhere = scratch_.PathOf("out\\");
    ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((elsewhere + "archive").c_str(), nullptr));
    recorder_.request.outputFolder = elsewhere.c_str();
    PutSource("archive", BuildRawArchive(StandardSpec()));
    EXPECT_FALSE(RunChecked());
    EXPECT_EQ(recorder_.Codes(), (std::vector<int32_t>{RE_BEGIN, RE_ASK_OVERWRITE, RE_ERROR, RE_WORK_END, RE_END}));
    EXPECT_EQ(recorder_.ErrorText(), "Type or Format not valid");
}

// --- cancel ----------------------------------------------------------------------------

TEST_F(DecryptFileTest, CancelInEveryStageStopsQuietly) {
    struct Case {
        const char* stage;
        Kind kind;
        int atValue;
        bool setsCancelled;
    };
    const Case cases[] = {
        {"archive copy", Kind::kArchive, 1, false},          {"wave extraction", Kind::kWave, 1, false},
        {"bitmap extraction", Kind::kBitmapWords, 1, false}, {"PNG extraction", Kind::kPngHandWritten, 1, false},
        {"key removal", Kind::kArchive, 1000, true},         {"decompression", Kind::kArchive, 1333, true},
        {"first entry", Kind::kArchive, 1666, false},
    };
    for (const Case& c : cases) {
        ArchiveSpec spec = StandardSpec();
        spec.compressed = true;
        spec.chunkSize = 500;
        PutKey(spec.keyName, spec.key);
        PutSource(c.kind == Kind::kArchive ? "report.enc" : "report.png", CarrierOf(c.kind, BuildRawArchive(spec)));
        if (c.kind == Kind::kWave)
            PutSource("report.wav", CarrierOf(c.kind, BuildRawArchive(spec)));
        if (c.kind == Kind::kBitmapWords)
            PutSource("report.bmp", CarrierOf(c.kind, BuildRawArchive(spec)));
        ScratchFolder::RemoveTree(Source() + "report");
        recorder_.cancelAtValue = c.atValue;
        EXPECT_FALSE(RunChecked()) << c.stage;
        EXPECT_EQ(recorder_.Count(RE_ERROR), 0) << c.stage;
        const std::vector<int> values = recorder_.ProgressValues();
        ASSERT_FALSE(values.empty()) << c.stage;
        EXPECT_GE(values.back(), c.atValue) << c.stage;
        EXPECT_LT(values.back(), c.atValue == 1 ? 1000 : c.atValue + 333) << c.stage;
        EXPECT_EQ(recorder_.request.cancelled, c.setsCancelled) << c.stage;
        if (c.atValue == 1666)
            EXPECT_EQ(Output(), (std::map<std::string, Bytes>())) << "the output folder stays, empty";
        else
            EXPECT_FALSE(FolderExists(Source() + "report")) << c.stage;
    }
}

}  // namespace
}  // namespace kvrtest
