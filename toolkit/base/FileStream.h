// FileStream: a Stream over a C runtime FILE opened in binary mode. It can own a
// temporary file of its own, which is deleted whenever the stream is closed, reopened or
// destroyed, so that no working file outlives the job that made it.
#pragma once

#include <cstdio>

#include "toolkit/base/Stream.h"
#include "toolkit/base/String.h"

class FileStream : public Stream {
public:
    FileStream() : Stream(false) {}
    FileStream(const String& path, bool write, bool create, bool read);
    ~FileStream() override;

    bool IsOpen() const override { return file_ != nullptr; }
    // Closes the file; a temporary file of this stream is deleted.
    void Close() override;
    // CRC-32 of the whole file, read from the start in large blocks; the position is restored.
    bool ComputeCrc32(uint32_t& value) override;
    int WriteData(const void* bytes, int count) override { return Write(bytes, count); }
    int WriteText(const char* text, int length = -1) override;
    int Write(const void* bytes, int count) override;
    int WriteLine(const char* text) override;
    String ReadText(int count) override;
    int ReadData(void* bytes, int count) override { return Read(bytes, count); }
    int Read(void* bytes, int count) override;
    // CR and LF bytes are never stored, wherever they stand; the line ends at an LF that
    // follows a CR, at the end of the file, or when limit bytes have been stored.
    void ReadLine(String& text, bool keepBlanks = true, int limit = -1, bool* complete = nullptr) override;
    // Bytes up to a NUL or the end; the NUL is consumed and not stored.
    String ReadString0() override;
    int Seek(int position) override;
    int Tell() override;
    bool SetSize(int size) override;
    int GetSize() override;
    int Remaining() override { return GetSize() - Tell(); }
    bool IsEof() override;
    int Find(const void* pattern, int length) override;

    // Closes whatever is open first. Modes: read only "rb"; read+write "w+b" (create) or
    // "r+b"; write only "wb" (create) or "ab"; neither read nor write fails.
    bool Open(const String& path, bool write, bool create, bool read);
    // Opens a fresh file in the temporary folder with "w+b"; it goes when the stream closes.
    bool OpenTemporary();
    // Closes and deletes the file of a stream that is open and not temporary; a temporary
    // stream is left alone (its file goes when it is closed).
    void CloseAndDelete();
    // The temporary file's path for a temporary stream, else the path given to Open.
    String Name() const { return temporary_ ? temporaryName_ : name_; }

    // Size of the runtime buffer of every file stream. The runtime moves reads and writes of
    // whole multiples of it straight between the caller's block and the file, while a block
    // of any other size leaves a part in the buffer and the next blocks then all pass
    // through it, one copy more each: callers that move large amounts use such multiples.
    static constexpr int kBufferSize = 64 * 1024;

private:
    enum class LastAccess { kNone, kRead, kWrite };
    // The C runtime requires a positioning call between a write and a read on one FILE.
    void PrepareFor(LastAccess access);
    void UseLargeBuffer();

    FILE* file_ = nullptr;
    String name_;
    String temporaryName_;
    bool temporary_ = false;
    LastAccess lastAccess_ = LastAccess::kNone;
    int readOnlySize_ = -1;
};
