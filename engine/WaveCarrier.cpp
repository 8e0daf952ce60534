// WaveCarrier: block-wise decoding of the low bits of a 16-bit PCM wave's samples.
#include "engine/WaveCarrier.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "engine/CarrierDecode.h"
#include "engine/RequestEvents.h"
#include "toolkit/base/ByteOrder.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/WaveHeader.h"

namespace {

constexpr int kGroupBytes = 8;
constexpr int kGroupPayload = 5;

// Decodes the whole groups of data (at most room payload bytes of them) into payload, which
// has kWaveDecodeSlack bytes of room past the result; gives the bytes emitted.
int DecodeBlock(const uint8_t* data, int size, int64_t room, uint8_t* payload) {
    // Groups that fit whole: no per-byte limit to check.
    const int wholeGroups = static_cast<int>(std::min<int64_t>(size / kGroupBytes, room / kGroupPayload));
    DecodeWaveGroups(data, wholeGroups, payload);
    int emitted = wholeGroups * kGroupPayload;
    const int group = wholeGroups * kGroupBytes;
    if (group + kGroupBytes <= size && emitted < room) {
        uint8_t decoded[kGroupPayload + kWaveDecodeSlack];
        DecodeWaveGroups(data + group, 1, decoded);
        const int take = static_cast<int>(room - emitted);
        std::copy(decoded, decoded + take, payload + emitted);
        emitted += take;
    }
    return emitted;
}

}  // namespace

bool ExtractWavePayload(Stream& raw, const String& wavePath, const RequestCallbackBlock& block, int64_t* capacity) {
    FileStream wave;
    if (!wave.Open(wavePath, false, false, true))
        return FailRequest(block, messages::kUnknownError);
    WaveHeader header;
    if (!ReadWaveHeader(wave, header) || header.BitsPerSample() != 16)
        return FailRequest(block, messages::kWaveCarrier);
    uint8_t lengthBytes[4];
    if (wave.Read(lengthBytes, 4) != 4)
        return FailRequest(block, messages::kWaveCarrier);
    const int64_t length = LoadU32(lengthBytes);

    // The data chunk's declared size may lie; the walk ends at the end of the file as well.
    const int64_t total = header.dataSize;
    if (capacity)
        *capacity = std::min<int64_t>(total, std::max(0, wave.Remaining())) / kGroupBytes * kGroupPayload;
    int64_t produced = 0;
    ChangedProgress progress(block);
    std::unique_ptr<uint8_t[]> data(new uint8_t[Stream::kCopyBlock]);
    std::unique_ptr<uint8_t[]> payload(
        new uint8_t[Stream::kCopyBlock / kGroupBytes * kGroupPayload + kWaveDecodeSlack]);
    for (int64_t at = 0; at < total; at += Stream::kCopyBlock) {
        const int wanted = static_cast<int>(std::min<int64_t>(Stream::kCopyBlock, total - at));
        const int got = std::max(0, wave.Read(data.get(), wanted));
        const int emitted = DecodeBlock(data.get(), got, length - produced, payload.get());
        produced += emitted;
        const bool written = raw.Write(payload.get(), emitted) == emitted;
        // Progress as if the data were read a step at a time: at the end of the file the
        // step that found nothing is still reported.
        const int64_t step = Stream::kProgressStep;
        const int64_t emptyStep = (at + got + step - 1) / step * step;
        const int64_t reached = got < wanted ? std::min(emptyStep + 1, at + wanted) : at + wanted;
        if (!progress.ReportSteps(at, reached, total))
            return StopRequest(block);
        if (!written)
            return FailRequest(block, messages::kUnknownError);
        if (got < wanted)
            break;
    }
    return true;
}
