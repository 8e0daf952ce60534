// Sound: one PCM wave (format, samples in a toolkit stream) and the DirectSound 8 buffer that
// plays it as a whole. A 5 ms window-less timer on the thread that called Play enforces the end
// position, loops and reports the end through OnStopped; ticks arrive through that thread's
// message loop. The process-wide list of playing sounds is shared by both threads of the
// program and guarded by a lock; one Sound object is used by one thread at a time.
// Without a sound device (GetSoundDevice() null) no buffer exists and Play returns false.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "toolkit/base/WaveHeader.h"

class Stream;
class FileStream;
class MemoryStream;
struct IDirectSoundBuffer;

class Sound {
public:
    static constexpr int kMaxFormatBytes = WaveHeader::kMaxFormatBytes;
    static constexpr uint32_t kFillChunkFrames = 10000;
    static constexpr UINT kTimerMs = 5;

    Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    virtual ~Sound();

    // Called on every timer tick while playing.
    virtual void OnPlaying() {}
    // Called once when playback ended by itself (end position or end of the buffer).
    virtual void OnStopped() {}

    void Reset();
    // Reads a RIFF WAVE image from the stream's position (the layout of ReadWaveHeader). With withData the samples are
    // copied into memory or a temporary file; without, the stream is left at the first sample byte. `dataSize` receives
    // the declared size of the data chunk.
    bool LoadWav(Stream* stream, bool intoMemory, bool withData, uint32_t* dataSize = nullptr);
    // WAVE resource read into memory, the way the program's own sounds are loaded.
    bool LoadWaveResource(int id, HMODULE module);
    // Empty 16-bit PCM wave of 1, 2 or 6 channels (6 in the extensible format).
    bool CreateBlank(int channels, uint32_t samplesPerSecond);
    bool CreateBuffer();

    // Plays [startFrame, endFrame); an end not above the start means the end of the wave.
    bool Play(uint32_t startFrame = 0, uint32_t endFrame = 0);
    void Stop();
    bool IsPlaying() const;
    uint32_t GetPosition() const;
    void SetPosition(uint32_t frame);
    uint32_t GetFrequency() const;
    bool SetFrequency(uint32_t samplesPerSecond);

    void SetLoop(bool loop) { loop_ = loop; }
    bool Loop() const { return loop_; }
    // Muted channels are written as silence when the buffer is (re)filled by CreateBuffer.
    void SetChannelMuted(int channel, bool muted);
    bool IsChannelMuted(int channel) const;

    bool IsLoaded() const { return loaded_; }
    bool IsInMemory() const { return inMemory_; }
    uint8_t Silence() const { return silence_; }
    uint16_t FormatTag() const { return Read16(0); }
    uint16_t Channels() const { return Read16(2); }
    uint32_t SamplesPerSecond() const { return Read32(4); }
    uint32_t AverageBytesPerSecond() const { return Read32(8); }
    uint16_t BlockAlign() const { return Read16(12); }
    uint16_t BitsPerSample() const { return Read16(14); }
    // The format chunk as read (WAVEFORMATEX or its extensible form), FormatSize() bytes.
    const uint8_t* FormatBytes() const { return format_; }
    int FormatSize() const { return formatSize_; }
    // Declared size of the data chunk and the frames it holds.
    uint32_t DataSize() const { return dataSize_; }
    uint32_t FrameCount() const;
    // The samples (memory or temporary file); null without samples.
    Stream* Data() const;

    // Process-wide: the number of sounds whose timer runs.
    static int PlayingCount();

private:
    static void CALLBACK TimerTick(HWND, UINT, UINT_PTR timerId, DWORD);
    void OnTick();
    bool FillBuffer();
    bool StartBuffer();
    void EndTimer();
    uint16_t Read16(int offset) const;
    uint32_t Read32(int offset) const;
    bool CopySamples(Stream* stream, bool intoMemory, uint32_t size);

    bool loaded_ = false;
    bool inMemory_ = false;
    uint8_t silence_ = 0;
    uint8_t format_[kMaxFormatBytes] = {};
    int formatSize_ = 0;
    uint32_t dataSize_ = 0;
    std::unique_ptr<FileStream> fileData_;
    std::unique_ptr<MemoryStream> memoryData_;
    IDirectSoundBuffer* buffer_ = nullptr;
    bool loop_ = false;
    uint32_t startFrame_ = 0;
    uint32_t endFrame_ = 0;
    uint64_t mutedChannels_ = 0;  // bit c set: channel c muted (channels beyond 64 cannot be muted)
    uint32_t playGeneration_ = 0;
};
