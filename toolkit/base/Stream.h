// Stream: abstract base of the toolkit's byte streams. The virtual operations sit in a
// fixed slot order that FileStream and MemoryStream both fill; on top of them the base
// carries the block operations the decryption engine is built from: Fill, CopyFrom,
// ApplyKey (key removal), InflateChunks / InflateFile (the chunked zlib layer) and the
// CRC-32 step behind ComputeCrc32. Positions and sizes are signed 32-bit byte counts; every
// block operation works through fixed buffers, whatever the data's size.
#pragma once

#include <cstdint>

#include "toolkit/base/String.h"

// Progress of a block operation in thousandths (0..999); answering false stops it.
typedef bool (*StreamHook)(int thousandths, void* context);

class Stream {
public:
    // Set by the owner before ApplyKey / InflateChunks; both start null.
    StreamHook keyStageHook = nullptr;
    StreamHook decompressionHook = nullptr;

    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    virtual ~Stream() = default;

    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
    virtual bool ComputeCrc32(uint32_t& value) = 0;
    virtual int WriteData(const void* bytes, int count) = 0;
    // length < 0 writes the whole text.
    virtual int WriteText(const char* text, int length = -1) = 0;
    virtual int Write(const void* bytes, int count) = 0;
    // The text, then CR LF; gives the bytes written.
    virtual int WriteLine(const char* text) = 0;
    // count < 0 reads the rest; empty at the end of data.
    virtual String ReadText(int count) = 0;
    virtual int ReadData(void* bytes, int count) = 0;
    virtual int Read(void* bytes, int count) = 0;
    // One CR LF line; limit > 0 caps the bytes taken, 0 gives an empty text at once, < 0 no cap.
    // complete (when given) tells whether the line ended at CR LF. The two streams differ in
    // how they treat lone CR and LF bytes (see each class).
    virtual void ReadLine(String& text, bool keepBlanks = true, int limit = -1, bool* complete = nullptr) = 0;
    virtual String ReadString0() = 0;
    // A position outside 0..size moves to the end; gives the new position.
    virtual int Seek(int position) = 0;
    virtual int Tell() = 0;
    virtual bool SetSize(int size) = 0;
    virtual int GetSize() = 0;
    virtual int Remaining() = 0;
    virtual bool IsEof() = 0;
    // Absolute position of the next occurrence of the pattern at or after the position, or -1.
    // The position is left where it was.
    virtual int Find(const void* pattern, int length) = 0;

    // The next byte as 0..255, or -1 at the end of data.
    int ReadByte();
    // Writes count copies of byte, 100 at a time; stops at a short write. Gives the bytes written.
    int Fill(uint8_t byte, int count);
    // Reads count bytes (fewer when the data ends first) from the position without keeping
    // them, in fixed blocks; crc receives their CRC-32. Gives the bytes read.
    int ReadCrc32(int count, uint32_t& crc);
    // Copies count bytes (< 0: all that remain) from the source's position into this stream
    // in 64 KB blocks; gives the bytes written.
    int CopyFrom(Stream* source, int count = -1);
    // Removes the key (the key stream's whole content, repeating) from length bytes (< 0: the
    // rest) of this stream from its position: plain = stored - key[i mod keylen]. The result
    // goes to destination at its position, or over the data itself when destination is null.
    // An empty key stands for 100 zero bytes. Reports to keyStageHook before each progress
    // step of kProgressStep bytes; a stop leaves exactly the steps before it done.
    bool ApplyKey(Stream* key, int length, Stream* destination, void* context);
    // Inflates this stream's chunked zlib layer (from position 0) into destination. Reports to
    // decompressionHook before each chunk. Fails on any malformed chunk, a short source, or
    // output that would pass 2^31 - 1 bytes. Chunks are inflated on two threads, but events,
    // output and the point of a stop or failure are those of a chunk-by-chunk run.
    bool InflateChunks(Stream* destination, void* context);
    // Opens packedPath for reading and plainPath for writing (created or truncated) and runs
    // InflateChunks between them; on failure the plain file is deleted.
    static bool InflateFile(const String& packedPath, const String& plainPath, StreamHook hook, void* context);

    // Limits of the chunked zlib layer: the sizes of the two fixed buffers.
    static constexpr int kMaxPlainChunk = 100000;
    static constexpr int kMaxPackedChunk = 110012;
    // Progress of the block operations and of the engine's copy stages is counted in steps of
    // this many bytes, whatever size the data actually moves in.
    static constexpr int kProgressStep = 1000;
    // The data itself moves in blocks of this size, a whole number of progress steps (and of
    // a wave carrier's 8-byte sample groups), so that a block costs few system calls.
    static constexpr int kCopyBlock = 256000;

protected:
    explicit Stream(bool direct) : direct_(direct) {}

    // One step of the CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320) over bytes; the
    // caller starts from 0xFFFFFFFF and complements at the end.
    static uint32_t UpdateCrc32(uint32_t crc, const uint8_t* bytes, int count);
    // Start of the memory of a direct stream (null for others).
    virtual const uint8_t* DirectBytes() const { return nullptr; }

    // True for streams whose bytes are addressable in memory (MemoryStream), so that
    // CopyFrom can write straight from their buffer.
    const bool direct_;
};
