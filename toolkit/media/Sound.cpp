// Sound: the header is read by ReadWaveHeader (toolkit/base/WaveHeader.h); the samples follow.
#include "toolkit/media/Sound.h"

#include "toolkit/media/DirectSoundApi.h"

#include <cstring>
#include <vector>

#include "toolkit/base/FileStream.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/base/WaveHeader.h"
#include "toolkit/media/MediaStartup.h"

namespace {

constexpr uint16_t kWaveFormatExtensible = 0xFFFE;
constexpr DWORD kBufferFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY |
                               DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS;  // 0x180E0

void Put16(uint8_t* p, uint16_t v) {
    p[0] = v & 0xFF;
    p[1] = v >> 8;
}

void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

}  // namespace

Sound::Sound() : fileData_(new FileStream), memoryData_(new MemoryStream) {
    Reset();
}

Sound::~Sound() {
    Reset();
}

uint16_t Sound::Read16(int offset) const {
    return static_cast<uint16_t>(format_[offset] | (format_[offset + 1] << 8));
}

uint32_t Sound::Read32(int offset) const {
    return Read16(offset) | (static_cast<uint32_t>(Read16(offset + 2)) << 16);
}

uint32_t Sound::FrameCount() const {
    const uint16_t align = BlockAlign();
    return align ? dataSize_ / align : 0;
}

Stream* Sound::Data() const {
    if (!loaded_) {
        return nullptr;
    }
    if (inMemory_) {
        return memoryData_->IsOpen() ? memoryData_.get() : nullptr;
    }
    return fileData_->IsOpen() ? fileData_.get() : nullptr;
}

void Sound::Reset() {
    Stop();
    if (buffer_) {
        buffer_->Release();
        buffer_ = nullptr;
    }
    loaded_ = false;
    inMemory_ = false;
    silence_ = 0;
    memset(format_, 0, sizeof(format_));
    formatSize_ = 0;
    dataSize_ = 0;
    loop_ = false;
    startFrame_ = 0;
    endFrame_ = 0;
    mutedChannels_ = 0;
    fileData_->Close();
    memoryData_->Close();
}

bool Sound::CopySamples(Stream* stream, bool intoMemory, uint32_t size) {
    if (size > 0x7FFFFFFF) {
        return false;  // streams count in signed 32 bits
    }
    const int count = static_cast<int>(size);
    if (intoMemory) {
        memoryData_->Close();
        return memoryData_->CopyFrom(stream, count) == count;
    }
    if (!fileData_->OpenTemporary()) {
        return false;
    }
    return fileData_->CopyFrom(stream, count) == count;
}

bool Sound::LoadWav(Stream* stream, bool intoMemory, bool withData, uint32_t* dataSize) {
    if (!stream) {
        return false;
    }
    Reset();
    WaveHeader header;
    bool ok = ReadWaveHeader(*stream, header);
    const uint32_t size = header.dataSize;
    if (ok) {
        memcpy(format_, header.format, sizeof(format_));
        formatSize_ = header.formatSize;
        silence_ = header.BitsPerSample() == 8 ? 128 : 0;
    }
    if (ok && withData) {
        ok = CopySamples(stream, intoMemory, size);
    }
    if (!ok) {
        Reset();
        return false;
    }
    loaded_ = true;
    inMemory_ = intoMemory;
    dataSize_ = size;
    if (withData) {
        CreateBuffer();
    }
    if (dataSize) {
        *dataSize = size;
    }
    return true;
}

bool Sound::LoadWaveResource(int id, HMODULE module) {
    MemoryStream resource;
    if (!resource.LoadResource("WAVE", id, module)) {
        Reset();
        return false;
    }
    return LoadWav(&resource, true, true, nullptr);
}

bool Sound::CreateBlank(int channels, uint32_t samplesPerSecond) {
    Reset();
    if ((channels != 1 && channels != 2 && channels != 6) || samplesPerSecond < 1) {
        return false;
    }
    const uint16_t align = static_cast<uint16_t>(channels * 2);
    const bool extensible = channels == 6;
    Put16(format_, extensible ? kWaveFormatExtensible : WAVE_FORMAT_PCM);
    Put16(format_ + 2, static_cast<uint16_t>(channels));
    Put32(format_ + 4, samplesPerSecond);
    Put32(format_ + 8, samplesPerSecond * align);
    Put16(format_ + 12, align);
    Put16(format_ + 14, 16);
    formatSize_ = 18;
    if (extensible) {
        static const uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                                  0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        Put16(format_ + 16, 22);  // extension size
        Put16(format_ + 18, 16);  // valid bits
        Put32(format_ + 20, 0x3F);
        memcpy(format_ + 24, kPcmSubFormat, sizeof(kPcmSubFormat));
        formatSize_ = 40;
    }
    if (!fileData_->OpenTemporary()) {
        Reset();
        return false;
    }
    loaded_ = true;
    inMemory_ = false;
    return true;
}

void Sound::SetChannelMuted(int channel, bool muted) {
    if (channel < 0 || channel >= 64) {
        return;
    }
    const uint64_t bit = uint64_t{1} << channel;
    mutedChannels_ = muted ? (mutedChannels_ | bit) : (mutedChannels_ & ~bit);
}

bool Sound::IsChannelMuted(int channel) const {
    return channel >= 0 && channel < 64 && (mutedChannels_ >> channel) & 1;
}

bool Sound::CreateBuffer() {
    Stop();
    if (buffer_) {
        buffer_->Release();
        buffer_ = nullptr;
    }
    IDirectSound8* device = GetSoundDevice();
    Stream* data = Data();
    if (!device || !data || dataSize_ == 0) {
        return false;
    }
    bool anyAudible = false;
    for (int c = 0; c < Channels(); ++c) {
        anyAudible = anyAudible || !IsChannelMuted(c);
    }
    if (!anyAudible) {
        return false;
    }
    // The format block is at most 40 bytes; DirectSound reads cbSize more bytes after the
    // first 18, so a short PCM block is handed over zero-extended.
    uint8_t format[kMaxFormatBytes + 2] = {};
    memcpy(format, format_, static_cast<size_t>(formatSize_));
    if (formatSize_ < 18) {
        Put16(format + 16, 0);
    }
    DSBUFFERDESC description = {};
    description.dwSize = sizeof(description);
    description.dwFlags = kBufferFlags;
    description.dwBufferBytes = dataSize_;
    description.lpwfxFormat = reinterpret_cast<WAVEFORMATEX*>(format);
    if (FAILED(device->CreateSoundBuffer(&description, &buffer_, nullptr))) {
        buffer_ = nullptr;
        return false;
    }
    return FillBuffer();
}

bool Sound::FillBuffer() {
    Stream* data = Data();
    if (!buffer_ || !data) {
        return false;
    }
    void* bytes = nullptr;
    DWORD length = 0;
    HRESULT hr = buffer_->Lock(0, 0, &bytes, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
    if (hr == DSERR_BUFFERLOST) {
        buffer_->Restore();
        hr = buffer_->Lock(0, 0, &bytes, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
    }
    if (FAILED(hr)) {
        buffer_->Restore();
        return false;
    }
    const int align = BlockAlign();
    const int sampleBytes = BitsPerSample() / 8;
    const int chunkBytes = static_cast<int>(kFillChunkFrames) * align;
    std::vector<uint8_t> chunk(static_cast<size_t>(chunkBytes));
    auto* out = static_cast<uint8_t*>(bytes);
    DWORD filled = 0;
    data->Seek(0);
    while (filled < length) {
        const int want =
            static_cast<int>(length - filled < static_cast<DWORD>(chunkBytes) ? length - filled : chunkBytes);
        const int got = data->Read(chunk.data(), want);
        if (got <= 0) {
            break;
        }
        for (int c = 0; mutedChannels_ && c < Channels(); ++c) {
            if (!IsChannelMuted(c)) {
                continue;
            }
            for (int frame = 0; (frame + 1) * align <= got; ++frame) {
                memset(chunk.data() + frame * align + c * sampleBytes, silence_, static_cast<size_t>(sampleBytes));
            }
        }
        memcpy(out + filled, chunk.data(), static_cast<size_t>(got));
        filled += static_cast<DWORD>(got);
    }
    if (filled < length) {
        memset(out + filled, silence_, length - filled);  // a short source plays silence, not noise
    }
    buffer_->Unlock(bytes, length, nullptr, 0);
    return true;
}
