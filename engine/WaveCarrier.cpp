// WaveCarrier: block-wise decoding of the low bits of a 16-bit PCM wave's samples.
#include "engine/WaveCarrier.h"

#include <algorithm>
#include <cstdint>

#include "engine/RequestEvents.h"
#include "toolkit/base/ByteOrder.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/media/Sound.h"

namespace {

constexpr int kGroupBytes = 8;
constexpr int kGroupPayload = 5;

void DecodeGroup(const uint8_t* s, uint8_t* out) {
    out[0] = static_cast<uint8_t>((s[1] & 3) << 6 | (s[3] & 3) << 4 | (s[5] & 3) << 2 | (s[7] & 3));
    out[1] = s[0];
    out[2] = s[2];
    out[3] = s[4];
    out[4] = s[6];
}

}  // namespace

bool ExtractWavePayload(Stream& raw, const String& wavePath, const RequestCallbackBlock& block) {
    FileStream wave;
    if (!wave.Open(wavePath, false, false, true))
        return FailRequest(block, messages::kUnknownError);
    uint32_t dataSize = 0;
    Sound header;
    if (!header.LoadWav(&wave, false, false, &dataSize) || header.BitsPerSample() != 16)
        return FailRequest(block, messages::kWaveCarrier);
    uint8_t lengthBytes[4];
    if (wave.Read(lengthBytes, 4) != 4)
        return FailRequest(block, messages::kWaveCarrier);
    const int64_t length = LoadU32(lengthBytes);

    // The data chunk's declared size may lie; the walk ends at the end of the file as well.
    const int64_t total = dataSize;
    int64_t produced = 0;
    ChangedProgress progress(block);
    uint8_t data[Stream::kBlockSize];
    uint8_t payload[Stream::kBlockSize / kGroupBytes * kGroupPayload];
    for (int64_t at = 0; at < total; at += Stream::kBlockSize) {
        if (!progress.Report(at, total))
            return StopRequest(block);
        const int wanted = static_cast<int>(std::min<int64_t>(Stream::kBlockSize, total - at));
        const int got = wave.Read(data, wanted);
        if (got <= 0)
            break;
        int emitted = 0;
        for (int group = 0; group + kGroupBytes <= got && produced < length; group += kGroupBytes) {
            const int take = static_cast<int>(std::min<int64_t>(kGroupPayload, length - produced));
            uint8_t decoded[kGroupPayload];
            DecodeGroup(data + group, decoded);
            std::copy(decoded, decoded + take, payload + emitted);
            emitted += take;
            produced += take;
        }
        if (raw.Write(payload, emitted) != emitted)
            return FailRequest(block, messages::kUnknownError);
    }
    return true;
}
