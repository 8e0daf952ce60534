// Carrier extraction and archive copy, called directly with a memory raw file: payloads of
// every density and length come back byte for byte, headers are checked, progress is raised
// only on change, cancels and failures raise the closing events.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/ArchiveCopy.h"
#include "engine/BitmapCarrier.h"
#include "engine/CarrierDecode.h"
#include "engine/PngCarrier.h"
#include "engine/RequestEvents.h"
#include "engine/WaveCarrier.h"
#include "tests/engine/RequestRecorder.h"
#include "tests/engine/TestFolders.h"
#include "tests/support/CarrierWriter.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"

namespace kvrtest {
namespace {

testing::Environment* const kTemp = testing::AddGlobalTestEnvironment(new PrivateTempEnvironment);
testing::Environment* const kGraphics = testing::AddGlobalTestEnvironment(new GraphicsEnvironment);

const std::vector<int32_t> kFailureTail = {RE_ERROR, RE_WORK_END, RE_END};
const char kWaveMessage[] = "This WAV file does not contain encrypted data";
const char kBitmapMessage[] = "This BMP file does not contain encrypted data";
const char kPngMessage[] = "This PNG file does not contain encrypted data";

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
    for (size_t k = 0; k < 4; ++k)
        bytes[at + k] = static_cast<uint8_t>(value >> (8 * k));
}

// Each extraction writes its file into a scratch folder and runs with a fresh raw file and
// recorder, which the checks then read.
class CarrierTest : public testing::Test {
protected:
    void SetUp() override { tempBefore_ = ListNames(TempFolderPath()); }
    void TearDown() override { EXPECT_EQ(NewNames(tempBefore_, ListNames(TempFolderPath())), std::set<std::string>()); }

    std::string Put(const std::string& name, const Bytes& bytes) {
        const std::string path = scratch_.PathOf(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    // Extracts the carrier by the name's extension; ".bmp" with pngMessages takes the bitmap
    // route the PNG carrier uses.
    bool Extract(const std::string& name, const Bytes& file, int cancelAtProgress = 0, bool pngMessages = false) {
        raw_.reset(new MemoryStream);
        recorder_.reset(new RequestRecorder);
        recorder_->cancelAtProgress = cancelAtProgress;
        const std::string path = Put(name, file);
        const RequestCallbackBlock& block = recorder_->request.block;
        if (name.substr(name.size() - 4) == ".wav")
            return ExtractWavePayload(*raw_, path.c_str(), block);
        if (name.substr(name.size() - 4) == ".png")
            return ExtractPngPayload(*raw_, path.c_str(), block);
        return ExtractBitmapPayload(*raw_, path.c_str(), block, pngMessages);
    }
    Bytes RawBytes() const {
        Bytes bytes(static_cast<size_t>(raw_->GetSize()));
        raw_->Seek(0);
        raw_->Read(bytes.data(), static_cast<int>(bytes.size()));
        return bytes;
    }
    void ExpectRefused(const std::string& message, const std::string& what) {
        EXPECT_EQ(recorder_->Codes(), kFailureTail) << what;
        EXPECT_EQ(recorder_->ErrorText(), message) << what;
    }

    ScratchFolder scratch_;
    std::unique_ptr<MemoryStream> raw_;
    std::unique_ptr<RequestRecorder> recorder_;
    std::set<std::string> tempBefore_;
};

// --- wave carriers ---------------------------------------------------------------------

TEST_F(CarrierTest, WaveGroupTakesLowBytesAndTwoBitsOfEachHighByte) {
    Bytes data;
    AppendU32(data, 5);
    const Bytes group = {0x41, 0x00, 0x42, 0x01, 0x43, 0x02, 0x44, 0x03};
    data.insert(data.end(), group.begin(), group.end());
    ASSERT_TRUE(Extract("c.wav", BuildWaveFile(data)));
    EXPECT_EQ(RawBytes(), (Bytes{0x1B, 0x41, 0x42, 0x43, 0x44}));
    EXPECT_EQ(recorder_->Count(RE_ERROR), 0);
}

TEST_F(CarrierTest, WaveRoundTripsEveryPayloadLength) {
    for (size_t size : {0u, 1u, 3u, 4u, 5u, 6u, 624u, 625u, 626u, 1000u, 3001u}) {
        for (size_t extra : {0u, 13u, 2000u}) {
            WaveCarrierSpec spec;
            spec.extraDataBytes = extra;
            spec.seed = static_cast<uint32_t>(size + extra);
            const Bytes payload = PatternBytes(size, static_cast<uint32_t>(size));
            ASSERT_TRUE(Extract("w.wav", BuildWaveCarrier(payload, spec)));
            EXPECT_EQ(RawBytes(), payload) << "size " << size << " extra " << extra;
        }
    }
}

TEST_F(CarrierTest, WaveLengthAndDataChunkSizeLimitTheOutput) {
    WaveCarrierSpec spec;
    spec.extraDataBytes = 5000;
    spec.lengthOverride = 3;
    ASSERT_TRUE(Extract("c.wav", BuildWaveCarrier(PatternBytes(10), spec)));
    EXPECT_EQ(RawBytes(), Truncated(PatternBytes(10), 3));

    Bytes file = BuildWaveCarrier(PatternBytes(500));
    PutU32(file, 40, 0x7FFFFFFF);  // declared data size: almost 2 GB, ends at the end of the file
    ASSERT_TRUE(Extract("c.wav", file));
    EXPECT_EQ(RawBytes(), PatternBytes(500));
}

TEST_F(CarrierTest, WaveThatIsNoSixteenBitCarrierIsRefused) {
    WaveCarrierSpec eightBit, thirtyTwoBit, listChunk;
    eightBit.bitsPerSample = 8;
    thirtyTwoBit.bitsPerSample = 32;
    listChunk.chunkBetween = true;
    const Bytes payload = PatternBytes(40);
    const std::pair<const char*, Bytes> cases[] = {
        {"8 bits", BuildWaveCarrier(payload, eightBit)},
        {"32 bits", BuildWaveCarrier(payload, thirtyTwoBit)},
        {"chunk between fmt and data", BuildWaveCarrier(payload, listChunk)},
        {"not RIFF", PatternBytes(200)},
        {"empty file", Bytes()},
        {"data shorter than L", BuildWaveFile(Bytes{1, 2})},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Extract("bad.wav", c.second)) << c.first;
        ExpectRefused(kWaveMessage, c.first);
    }
}

TEST_F(CarrierTest, MissingCarrierFilesFailWithUnknownError) {
    const std::string missing = scratch_.PathOf("missing");
    RequestRecorder wave, bitmap;
    MemoryStream raw;
    EXPECT_FALSE(ExtractWavePayload(raw, (missing + ".wav").c_str(), wave.request.block));
    EXPECT_FALSE(ExtractBitmapPayload(raw, (missing + ".bmp").c_str(), bitmap.request.block, false));
    for (const RequestRecorder* recorder : {&wave, &bitmap}) {
        EXPECT_EQ(recorder->Codes(), kFailureTail);
        EXPECT_EQ(recorder->ErrorText(), "Unknown Error");
    }
}

TEST_F(CarrierTest, ProgressRisesOnlyOnChangeAndCancelStopsQuietly) {
    WaveCarrierSpec wave;
    wave.extraDataBytes = 200000;
    BitmapCarrierSpec bitmap;
    bitmap.width = 4;
    const struct {
        const char* name;
        Bytes file;
        size_t minEvents;
    } cases[] = {
        {"p.wav", BuildWaveCarrier(PatternBytes(3000), wave), 100},
        {"p.bmp", BuildBitmapCarrier(PatternBytes(3000), bitmap), 500},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Extract(c.name, c.file));
        const std::vector<int> values = recorder_->ProgressValues();
        EXPECT_GT(values.size(), c.minEvents) << c.name;
        for (size_t i = 0; i < values.size(); ++i) {
            EXPECT_GT(values[i], i == 0 ? 0 : values[i - 1]) << c.name;
            EXPECT_LT(values[i], 1000) << c.name;
        }
        EXPECT_FALSE(Extract(c.name, c.file, 2));
        EXPECT_EQ(recorder_->Codes(), (std::vector<int32_t>{RE_PROGRESS, RE_PROGRESS, RE_WORK_END, RE_END})) << c.name;
    }
}

// --- bitmap carriers -------------------------------------------------------------------

TEST_F(CarrierTest, BitmapRoundTripsEveryDensityWidthAndLength) {
    const std::pair<bool, uint8_t> modes[] = {{true, 1}, {false, 0}, {false, 2}, {false, 0xFF}};
    for (const auto& mode : modes) {
        for (int width : {1, 2, 3, 5, 7, 16, 101}) {
            for (size_t size : {0u, 1u, 2u, 3u, 4u, 5u, 100u, 1001u}) {
                BitmapCarrierSpec spec;
                spec.byteMode = mode.first;
                spec.wordMarker = mode.second;
                spec.width = width;
                spec.seed = static_cast<uint32_t>(width * 1000 + size);
                const Bytes payload = PatternBytes(size, spec.seed);
                ASSERT_TRUE(Extract("b.bmp", BuildBitmapCarrier(payload, spec)));
                EXPECT_EQ(RawBytes(), payload)
                    << "marker " << int(mode.second) << " width " << width << " size " << size;
                EXPECT_EQ(recorder_->Count(RE_ERROR), 0);
            }
        }
    }
}

TEST_F(CarrierTest, BitmapHeaderValuesOtherThanACarriersAreRefused) {
    const struct {
        const char* what;
        size_t offset;  // within the file
        uint8_t value;
    } cases[] = {
        {"no BM", 0, 'X'},          {"planes 2", 26, 2},     {"32 bits", 28, 32},
        {"compressed", 30, 1},      {"image size", 34, 1},   {"x resolution", 38, 0x14},
        {"y resolution", 42, 0x14}, {"colours used", 46, 1}, {"important colours", 50, 1},
    };
    const Bytes good = BuildBitmapCarrier(PatternBytes(50));
    for (const auto& c : cases) {
        for (bool png : {false, true}) {
            Bytes file = good;
            file[c.offset] = c.value;
            EXPECT_FALSE(Extract("h.bmp", file, 0, png)) << c.what;
            ExpectRefused(png ? kPngMessage : kBitmapMessage, c.what);
        }
    }
    BitmapCarrierSpec spec;
    spec.resolution = 3780;  // 96 dots per inch in both directions
    EXPECT_FALSE(Extract("h.bmp", BuildBitmapCarrier(PatternBytes(20), spec)));
    ExpectRefused(kBitmapMessage, "96 dpi");
}

TEST_F(CarrierTest, BitmapSizesFromTheHeaderAreNotTrusted) {
    const struct {
        size_t offset;
        uint32_t value;
        bool ok;  // true: yields nothing, without an event
    } cases[] = {
        {22, 0, true},       {22, 0xFFFFFFFFu, true},  {22, 0x80000000u, true},   // height 0 or negative
        {18, 0, false},      {18, 0x80000000u, false}, {18, 0x7FFFFFFFu, false},  // widths the file cannot hold
        {18, 100000, false},
    };
    for (const auto& c : cases) {
        Bytes file = BuildBitmapCarrier(PatternBytes(20));
        PutU32(file, c.offset, c.value);
        EXPECT_EQ(Extract("n.bmp", file), c.ok) << c.offset << " " << c.value;
        EXPECT_EQ(raw_->GetSize(), 0);
        if (c.ok)
            EXPECT_TRUE(recorder_->events.empty());
        else
            ExpectRefused(kBitmapMessage, std::to_string(c.value));
    }
}

TEST_F(CarrierTest, BitmapCutShortOrLyingAboutItsLengthEndsAtTheEndOfData) {
    BitmapCarrierSpec spec;
    spec.width = 9;
    const Bytes payload = PatternBytes(300);
    const Bytes whole = BuildBitmapCarrier(payload, spec);
    ASSERT_TRUE(Extract("l.bmp", Truncated(whole, whole.size() / 2)));
    const Bytes got = RawBytes();
    ASSERT_LT(got.size(), payload.size());
    EXPECT_EQ(got, Truncated(payload, got.size()));

    spec.lengthOverride = 0x7FFFFFFF;
    ASSERT_TRUE(Extract("l.bmp", BuildBitmapCarrier(payload, spec)));
    EXPECT_EQ(Truncated(RawBytes(), payload.size()), payload);
}

// --- PNG carriers ----------------------------------------------------------------------

TEST_F(CarrierTest, PngCarriersDecodeThroughTheBitmapRoute) {
    const struct {
        const char* what;
        bool byteMode;
        int width;
        size_t size;
        bool handWritten;
    } cases[] = {
        {"hand-written, byte mode, padded rows", true, 5, 301, true},
        {"hand-written, word mode, odd length", false, 7, 77, true},
        {"through Image, byte mode", true, 16, 120, false},
        {"through Image, word mode, padded rows", false, 5, 99, false},
    };
    for (const auto& c : cases) {
        BitmapCarrierSpec spec;
        spec.byteMode = c.byteMode;
        spec.width = c.width;
        const Bytes payload = PatternBytes(c.size, c.width);
        const Bytes png =
            c.handWritten ? BuildPngCarrier(payload, spec) : PngThroughImage(BuildBitmapCarrier(payload, spec));
        ASSERT_FALSE(png.empty()) << c.what;
        EXPECT_TRUE(Extract("p.png", png)) << c.what;
        EXPECT_EQ(RawBytes(), payload) << c.what << ": " << recorder_->ErrorText();
    }
}

TEST_F(CarrierTest, PngThatIsNoCarrierIsRefusedWithThePngMessage) {
    BitmapCarrierSpec spec;
    spec.resolution = 3780;
    for (const Bytes& file : {BuildPngCarrier(PatternBytes(30), spec), PatternBytes(300), Bytes()}) {
        EXPECT_FALSE(Extract("x.png", file));
        ExpectRefused(kPngMessage, std::to_string(file.size()) + " bytes");
    }
}

TEST(CarrierDecode, EveryRunLengthGivesBothWordValuesOfEachPixel) {
    // Runs from 0 to 40 pixels cover the wide path (eight at a time) and every tail after it.
    const Bytes pixels = PatternBytes(40 * 3, 11);
    for (int count = 0; count <= 40; ++count) {
        Bytes expected;
        for (int k = 0; k < count; ++k) {
            const uint8_t b = pixels[3 * k], g = pixels[3 * k + 1], r = pixels[3 * k + 2];
            expected.push_back(static_cast<uint8_t>((g & 15) | (r & 15) << 4));
            expected.push_back(static_cast<uint8_t>((b & 63) | (g & 16) << 2 | (r & 16) << 3));
        }
        Bytes decoded(2 * count + 1, 0xEE);
        DecodeWordPixels(pixels.data(), count, decoded.data());
        EXPECT_EQ(0xEE, decoded.back()) << count;  // nothing written past the run
        decoded.pop_back();
        EXPECT_EQ(expected, decoded) << count;
    }
}

TEST(CarrierDecode, EveryGroupCountGivesFivePayloadBytesPerGroup) {
    const Bytes samples = PatternBytes(9 * 8, 12);
    for (int count = 0; count <= 9; ++count) {
        Bytes expected;
        for (int g = 0; g < count; ++g) {
            const uint8_t* s = &samples[8 * g];
            expected.push_back(static_cast<uint8_t>((s[1] & 3) << 6 | (s[3] & 3) << 4 | (s[5] & 3) << 2 | (s[7] & 3)));
            expected.insert(expected.end(), {s[0], s[2], s[4], s[6]});
        }
        Bytes decoded(5 * count + kWaveDecodeSlack + 1, 0xEE);
        DecodeWaveGroups(samples.data(), count, decoded.data());
        EXPECT_EQ(0xEE, decoded.back()) << count;  // nothing written past the slack
        EXPECT_EQ(expected, Bytes(decoded.begin(), decoded.begin() + 5 * count)) << count;
    }
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
        Bytes copied(static_cast<size_t>(raw.GetSize()));
        raw.Seek(0);
        raw.Read(copied.data(), static_cast<int>(copied.size()));
        EXPECT_EQ(copied, source) << size;
        std::vector<int> expected;
        for (int p = 1000; p < size; p += 1000)
            expected.push_back(static_cast<int>(int64_t{p} * 1000 / size));
        EXPECT_EQ(recorder.ProgressValues(), expected) << size;
    }
}

TEST_F(CarrierTest, CopyArchiveWithoutSourceFailsAndCancelStops) {
    MemoryStream raw;
    RequestRecorder failing;
    EXPECT_FALSE(CopyArchive(nullptr, raw, failing.request.block));
    EXPECT_EQ(failing.Codes(), kFailureTail);
    EXPECT_EQ(failing.ErrorText(), "Unknown Error");

    FileStream file;
    ASSERT_TRUE(file.Open(Put("b.enc", PatternBytes(4000)).c_str(), false, false, true));
    RequestRecorder cancelling;
    cancelling.cancelAtProgress = 2;
    EXPECT_FALSE(CopyArchive(&file, raw, cancelling.request.block));
    EXPECT_EQ(cancelling.Codes(), (std::vector<int32_t>{RE_PROGRESS, RE_PROGRESS, RE_WORK_END, RE_END}));
}

}  // namespace
}  // namespace kvrtest
