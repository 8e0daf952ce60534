// Carrier extraction and archive copy, called directly with a memory raw file: payloads of
// every density and length come back byte for byte, headers are checked, progress is raised
// only on change, cancels and failures raise the closing events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ArchiveCopy.h"
#include "engine/BitmapCarrier.h"
#include "engine/PngCarrier.h"
#include "engine/RequestEvents.h"
#include "engine/WaveCarrier.h"
#include "tests/engine/RequestRecorder.h"
#include "tests/engine/TestFolders.h"
#include "tests/support/CarrierWriter.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"

namespace kvrtest {
namespace {

testing::Environment* const kTemp = testing::AddGlobalTestEnvironment(new PrivateTempEnvironment);
testing::Environment* const kGraphics = testing::AddGlobalTestEnvironment(new GraphicsEnvironment);

const std::vector<int32_t> kFailureTail = {RE_ERROR, RE_WORK_END, RE_END};
const std::vector<int32_t> kStopTail = {RE_WORK_END, RE_END};

Bytes RawBytes(MemoryStream& raw) {
    Bytes bytes(static_cast<size_t>(raw.GetSize()));
    raw.Seek(0);
    raw.Read(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

// Runs one carrier operation on a file written into a scratch folder.
class CarrierTest : public testing::Test {
protected:
    std::string Put(const std::string& name, const Bytes& bytes) {
        const std::string path = scratch_.PathOf(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    bool Wave(const Bytes& file) {
        return ExtractWavePayload(raw_, Put("c.wav", file).c_str(), recorder_.request.block);
    }
    bool Bitmap(const Bytes& file, bool png = false) {
        return ExtractBitmapPayload(raw_, Put("c.bmp", file).c_str(), recorder_.request.block, png);
    }
    bool Png(const Bytes& file) { return ExtractPngPayload(raw_, Put("c.png", file).c_str(), recorder_.request.block); }
    void ExpectProgressOnlyOnChange() {
        const std::vector<int> values = recorder_.ProgressValues();
        for (size_t i = 0; i < values.size(); ++i) {
            EXPECT_GT(values[i], i == 0 ? 0 : values[i - 1]);
            EXPECT_LT(values[i], 1000);
        }
    }

    ScratchFolder scratch_;
    MemoryStream raw_;
    RequestRecorder recorder_;
};

// --- wave carriers ---------------------------------------------------------------------

TEST_F(CarrierTest, WaveGroupTakesLowBytesAndTwoBitsOfEachHighByte) {
    Bytes data;
    AppendU32(data, 5);
    const Bytes group = {0x41, 0x00, 0x42, 0x01, 0x43, 0x02, 0x44, 0x03};
    data.insert(data.end(), group.begin(), group.end());
    ASSERT_TRUE(Wave(BuildWaveFile(data)));
    EXPECT_EQ(RawBytes(raw_), (Bytes{0x1B, 0x41, 0x42, 0x43, 0x44}));
    EXPECT_TRUE(recorder_.events.empty() || recorder_.Count(RE_ERROR) == 0);
}

TEST_F(CarrierTest, WaveRoundTripsEveryPayloadLength) {
    for (size_t size : {0u, 1u, 3u, 4u, 5u, 6u, 624u, 625u, 626u, 1000u, 3001u}) {
        for (size_t extra : {0u, 13u, 2000u}) {
            MemoryStream raw;
            WaveCarrierSpec spec;
            spec.extraDataBytes = extra;
            spec.seed = static_cast<uint32_t>(size + extra);
            const Bytes payload = PatternBytes(size, static_cast<uint32_t>(size));
            const std::string path = Put("w.wav", BuildWaveCarrier(payload, spec));
            ASSERT_TRUE(ExtractWavePayload(raw, path.c_str(), recorder_.request.block));
            EXPECT_EQ(RawBytes(raw), payload) << "size " << size << " extra " << extra;
        }
    }
}

TEST_F(CarrierTest, WaveLengthLimitsTheOutputOverTheWholeDataChunk) {
    WaveCarrierSpec spec;
    spec.extraDataBytes = 5000;
    spec.lengthOverride = 3;
    ASSERT_TRUE(Wave(BuildWaveCarrier(PatternBytes(10), spec)));
    EXPECT_EQ(RawBytes(raw_), Truncated(PatternBytes(10), 3));
}

TEST_F(CarrierTest, WaveThatIsNoSixteenBitCarrierIsRefused) {
    struct Case {
        const char* what;
        Bytes file;
    };
    WaveCarrierSpec eightBit;
    eightBit.bitsPerSample = 8;
    WaveCarrierSpec thirtyTwoBit;
    thirtyTwoBit.bitsPerSample = 32;
    WaveCarrierSpec listChunk;
    listChunk.chunkBetween = true;
    const Bytes payload = PatternBytes(40);
    const Case cases[] = {
        {"8 bits", BuildWaveCarrier(payload, eightBit)},
        {"32 bits", BuildWaveCarrier(payload, thirtyTwoBit)},
        {"chunk between fmt and data", BuildWaveCarrier(payload, listChunk)},
        {"not RIFF", PatternBytes(200)},
        {"empty file", Bytes()},
        {"data shorter than L", BuildWaveFile(Bytes{1, 2})},
    };
    for (const Case& c : cases) {
        RequestRecorder recorder;
        MemoryStream raw;
        const std::string path = Put("bad.wav", c.file);
        EXPECT_FALSE(ExtractWavePayload(raw, path.c_str(), recorder.request.block)) << c.what;
        EXPECT_EQ(recorder.Codes(), kFailureTail) << c.what;
        EXPECT_EQ(recorder.ErrorText(), "This WAV file does not contain encrypted data") << c.what;
    }
}

TEST_F(CarrierTest, MissingCarrierFilesFailWithUnknownError) {
    const std::string missing = scratch_.PathOf("missing");
    EXPECT_FALSE(ExtractWavePayload(raw_, (missing + ".wav").c_str(), recorder_.request.block));
    EXPECT_EQ(recorder_.ErrorText(), "Unknown Error");
    RequestRecorder second;
    EXPECT_FALSE(ExtractBitmapPayload(raw_, (missing + ".bmp").c_str(), second.request.block, false));
    EXPECT_EQ(second.Codes(), kFailureTail);
    EXPECT_EQ(second.ErrorText(), "Unknown Error");
}

TEST_F(CarrierTest, WaveWhoseDataChunkSizeLiesEndsAtTheEndOfTheFile) {
    Bytes file = BuildWaveCarrier(PatternBytes(500));
    file[40] = 0xFF;  // declared data size: almost 4 GB
    file[41] = 0xFF;
    file[42] = 0xFF;
    file[43] = 0x7F;
    ASSERT_TRUE(Wave(file));
    EXPECT_EQ(RawBytes(raw_), PatternBytes(500));
}

TEST_F(CarrierTest, WaveProgressRisesOnChangeAndCancelStopsQuietly) {
    WaveCarrierSpec spec;
    spec.extraDataBytes = 200000;
    const Bytes file = BuildWaveCarrier(PatternBytes(3000), spec);
    ASSERT_TRUE(Wave(file));
    EXPECT_GT(recorder_.ProgressValues().size(), 100u);
    ExpectProgressOnlyOnChange();

    RequestRecorder cancelling;
    cancelling.cancelAtProgress = 2;
    MemoryStream raw;
    EXPECT_FALSE(ExtractWavePayload(raw, Put("c2.wav", file).c_str(), cancelling.request.block));
    EXPECT_EQ(cancelling.Codes(), (std::vector<int32_t>{RE_PROGRESS, RE_PROGRESS, RE_WORK_END, RE_END}));
}

// --- bitmap carriers -------------------------------------------------------------------

TEST_F(CarrierTest, BitmapRoundTripsEveryDensityWidthAndLength) {
    struct Mode {
        bool byteMode;
        uint8_t marker;
    };
    const Mode modes[] = {{true, 1}, {false, 0}, {false, 2}, {false, 0xFF}};
    for (const Mode& mode : modes) {
        for (int width : {1, 2, 3, 5, 7, 16, 101}) {
            for (size_t size : {0u, 1u, 2u, 3u, 4u, 5u, 100u, 1001u}) {
                BitmapCarrierSpec spec;
                spec.byteMode = mode.byteMode;
                spec.wordMarker = mode.marker;
                spec.width = width;
                spec.seed = static_cast<uint32_t>(width * 1000 + size);
                const Bytes payload = PatternBytes(size, spec.seed);
                MemoryStream raw;
                RequestRecorder recorder;
                const std::string path = Put("b.bmp", BuildBitmapCarrier(payload, spec));
                ASSERT_TRUE(ExtractBitmapPayload(raw, path.c_str(), recorder.request.block, false));
                EXPECT_EQ(RawBytes(raw), payload)
                    << "marker " << int(mode.marker) << " width " << width << " size " << size;
                EXPECT_EQ(recorder.Count(RE_ERROR), 0);
            }
        }
    }
}

TEST_F(CarrierTest, BitmapHeaderValuesOtherThanACarriersAreRefused) {
    struct Case {
        const char* what;
        size_t offset;  // within the file
        uint8_t value;
    };
    const Case cases[] = {
        {"no BM", 0, 'X'},          {"planes 2", 26, 2},     {"32 bits", 28, 32},
        {"compressed", 30, 1},      {"image size", 34, 1},   {"x resolution", 38, 0x14},
        {"y resolution", 42, 0x14}, {"colours used", 46, 1}, {"important colours", 50, 1},
    };
    const Bytes good = BuildBitmapCarrier(PatternBytes(50));
    for (const Case& c : cases) {
        for (bool png : {false, true}) {
            Bytes file = good;
            file[c.offset] = c.value;
            RequestRecorder recorder;
            MemoryStream raw;
            EXPECT_FALSE(ExtractBitmapPayload(raw, Put("h.bmp", file).c_str(), recorder.request.block, png)) << c.what;
            EXPECT_EQ(recorder.Codes(), kFailureTail) << c.what;
            EXPECT_EQ(recorder.ErrorText(), png ? "This PNG file does not contain encrypted data"
                                                : "This BMP file does not contain encrypted data")
                << c.what;
        }
    }
}

TEST_F(CarrierTest, BitmapAtNinetySixDotsPerInchIsRefused) {
    BitmapCarrierSpec spec;
    spec.resolution = 3780;
    EXPECT_FALSE(Bitmap(BuildBitmapCarrier(PatternBytes(20), spec)));
    EXPECT_EQ(recorder_.ErrorText(), "This BMP file does not contain encrypted data");
}

TEST_F(CarrierTest, BitmapWithoutPositiveHeightYieldsNothing) {
    for (uint32_t height : {0u, 0xFFFFFFFFu, 0x80000000u}) {
        Bytes file = BuildBitmapCarrier(PatternBytes(20));
        for (int k = 0; k < 4; ++k)
            file[22 + k] = static_cast<uint8_t>(height >> (8 * k));
        MemoryStream raw;
        RequestRecorder recorder;
        EXPECT_TRUE(ExtractBitmapPayload(raw, Put("n.bmp", file).c_str(), recorder.request.block, false));
        EXPECT_EQ(raw.GetSize(), 0);
        EXPECT_TRUE(recorder.events.empty());
    }
}

TEST_F(CarrierTest, BitmapWidthThatCannotFitTheFileIsRefused) {
    for (uint32_t width : {0u, 0x80000000u, 0x7FFFFFFFu, 100000u}) {
        Bytes file = BuildBitmapCarrier(PatternBytes(20));
        for (int k = 0; k < 4; ++k)
            file[18 + k] = static_cast<uint8_t>(width >> (8 * k));
        RequestRecorder recorder;
        MemoryStream raw;
        EXPECT_FALSE(ExtractBitmapPayload(raw, Put("w.bmp", file).c_str(), recorder.request.block, false));
        EXPECT_EQ(recorder.ErrorText(), "This BMP file does not contain encrypted data") << width;
    }
}

TEST_F(CarrierTest, BitmapCutShortOrLyingAboutItsLengthEndsAtTheEndOfData) {
    BitmapCarrierSpec spec;
    spec.width = 9;
    const Bytes payload = PatternBytes(300);
    const Bytes whole = BuildBitmapCarrier(payload, spec);
    ASSERT_TRUE(Bitmap(Truncated(whole, whole.size() / 2)));
    const Bytes got = RawBytes(raw_);
    ASSERT_LT(got.size(), payload.size());
    EXPECT_EQ(got, Truncated(payload, got.size()));

    spec.lengthOverride = 0x7FFFFFFF;
    MemoryStream raw;
    ASSERT_TRUE(ExtractBitmapPayload(raw, Put("l.bmp", BuildBitmapCarrier(payload, spec)).c_str(),
                                     recorder_.request.block, false));
    EXPECT_EQ(Truncated(RawBytes(raw), payload.size()), payload);
}

TEST_F(CarrierTest, BitmapProgressFollowsRowsAndCancelStopsQuietly) {
    BitmapCarrierSpec spec;
    spec.width = 4;
    const Bytes file = BuildBitmapCarrier(PatternBytes(3000), spec);
    ASSERT_TRUE(Bitmap(file));
    ExpectProgressOnlyOnChange();
    EXPECT_GT(recorder_.ProgressValues().size(), 500u);

    RequestRecorder cancelling;
    cancelling.cancelAtProgress = 1;
    MemoryStream raw;
    EXPECT_FALSE(ExtractBitmapPayload(raw, Put("c.bmp", file).c_str(), cancelling.request.block, false));
    EXPECT_EQ(cancelling.Codes(), (std::vector<int32_t>{RE_PROGRESS, RE_WORK_END, RE_END}));
}

// --- PNG carriers ----------------------------------------------------------------------

TEST_F(CarrierTest, PngCarriersDecodeThroughTheBitmapRoute) {
    struct Case {
        const char* what;
        bool byteMode;
        int width;
        size_t size;
        bool handWritten;
    };
    const Case cases[] = {
        {"hand-written, byte mode, padded rows", true, 5, 301, true},
        {"hand-written, word mode, odd length", false, 7, 77, true},
        {"through Image, byte mode", true, 16, 120, false},
        {"through Image, word mode, padded rows", false, 5, 99, false},
    };
    const std::set<std::string> tempBefore = ListNames(TempFolderPath());
    for (const Case& c : cases) {
        BitmapCarrierSpec spec;
        spec.byteMode = c.byteMode;
        spec.width = c.width;
        const Bytes payload = PatternBytes(c.size, c.width);
        const Bytes png =
            c.handWritten ? BuildPngCarrier(payload, spec) : PngThroughImage(BuildBitmapCarrier(payload, spec));
        ASSERT_FALSE(png.empty()) << c.what;
        MemoryStream raw;
        RequestRecorder recorder;
        EXPECT_TRUE(ExtractPngPayload(raw, Put("p.png", png).c_str(), recorder.request.block)) << c.what;
        EXPECT_EQ(RawBytes(raw), payload) << c.what << ": " << recorder.ErrorText();
    }
    EXPECT_TRUE(NewNames(tempBefore, ListNames(TempFolderPath())).empty());
}

TEST_F(CarrierTest, PngThatIsNoCarrierIsRefusedWithThePngMessage) {
    BitmapCarrierSpec spec;
    spec.resolution = 3780;
    const std::set<std::string> tempBefore = ListNames(TempFolderPath());
    for (const Bytes& file : {BuildPngCarrier(PatternBytes(30), spec), PatternBytes(300), Bytes()}) {
        RequestRecorder recorder;
        MemoryStream raw;
        EXPECT_FALSE(ExtractPngPayload(raw, Put("x.png", file).c_str(), recorder.request.block));
        EXPECT_EQ(recorder.Codes(), kFailureTail);
        EXPECT_EQ(recorder.ErrorText(), "This PNG file does not contain encrypted data");
    }
    EXPECT_TRUE(NewNames(tempBefore, ListNames(TempFolderPath())).empty());
}

// --- archive copy ----------------------------------------------------------------------

TEST_F(CarrierTest, CopyArchiveCopiesEveryByteWithThousandthsProgress) {
    for (int size : {0, 1, 999, 1000, 1001, 5500}) {
        const Bytes source = PatternBytes(static_cast<size_t>(size), static_cast<uint32_t>(size));
        FileStream file;
        ASSERT_TRUE(file.Open(Put("a.enc", source).c_str(), false, false, true));
        MemoryStream raw;
        RequestRecorder recorder;
        ASSERT_TRUE(CopyArchive(&file, raw, recorder.request.block));
        EXPECT_EQ(RawBytes(raw), source) << size;
        std::vector<int> expected;
        for (int p = 1000; p < size; p += 1000)
            expected.push_back(static_cast<int>(int64_t{p} * 1000 / size));
        EXPECT_EQ(recorder.ProgressValues(), expected) << size;
    }
}

TEST_F(CarrierTest, CopyArchiveWithoutSourceFailsAndCancelStops) {
    EXPECT_FALSE(CopyArchive(nullptr, raw_, recorder_.request.block));
    EXPECT_EQ(recorder_.Codes(), kFailureTail);
    EXPECT_EQ(recorder_.ErrorText(), "Unknown Error");

    FileStream file;
    ASSERT_TRUE(file.Open(Put("b.enc", PatternBytes(4000)).c_str(), false, false, true));
    RequestRecorder cancelling;
    cancelling.cancelAtProgress = 2;
    EXPECT_FALSE(CopyArchive(&file, raw_, cancelling.request.block));
    EXPECT_EQ(cancelling.Codes(), (std::vector<int32_t>{RE_PROGRESS, RE_PROGRESS, RE_WORK_END, RE_END}));
}

}  // namespace
}  // namespace kvrtest
