// MemoryStream: a Stream over a growable buffer that it owns. Capacity grows in 1024-byte
// steps (size rounded down to a multiple of 1024, plus 1024). It is a direct stream: CopyFrom
// writes from its buffer without an intermediate copy. It can also load a resource of a
// module, which is how pictures, sounds and definitions reach the program.
#pragma once

#include <cstdint>

#include "toolkit/base/Stream.h"
#include "toolkit/base/String.h"

struct HINSTANCE__;

class MemoryStream : public Stream {
public:
    MemoryStream() : Stream(true) {}
    ~MemoryStream() override;

    bool IsOpen() const override { return buffer_ != nullptr; }
    void Close() override;
    // CRC-32 of the whole buffer; the position is untouched. False when closed.
    bool ComputeCrc32(uint32_t& value) override;
    int WriteData(const void* bytes, int count) override { return Write(bytes, count); }
    int WriteText(const char* text, int length = -1) override;
    // Grows the data when the write passes the end; a closed stream allocates on demand.
    int Write(const void* bytes, int count) override;
    int WriteLine(const char* text) override;
    String ReadText(int count) override;
    int ReadData(void* bytes, int count) override { return Read(bytes, count); }
    int Read(void* bytes, int count) override;
    // Scans for the pair CR LF: the text is every byte before it, lone CR and LF included; the
    // position moves past the pair, or stops at the end or after limit bytes.
    void ReadLine(String& text, bool keepBlanks = true, int limit = -1, bool* complete = nullptr) override;
    // The text up to the next NUL (or the end); the position moves past the NUL.
    String ReadString0() override;
    int Seek(int position) override;
    int Tell() override { return position_; }
    bool SetSize(int size) override;
    int GetSize() override { return size_; }
    int Remaining() override { return size_ - position_; }
    bool IsEof() override { return position_ == size_; }
    int Find(const void* pattern, int length) override;

    // Resizes to size bytes (negative counts as 0), reallocating only when the capacity step
    // changes; keep carries over the old bytes. False when memory runs out (nothing changes).
    bool SetLength(int size, bool keep);
    // A fresh buffer of size bytes, old content dropped, position 0.
    bool Allocate(int size);
    // Resets to an empty buffer and loads the resource id of the given type from module
    // (null: the program itself); the position ends at 0. False when the resource is missing.
    // Windows only (MemoryStreamResourceWin32.cpp).
    bool LoadResource(const char* type, int id, HINSTANCE__* module = nullptr);

    int Capacity() const { return capacity_; }
    const uint8_t* Data() const { return buffer_; }

protected:
    const uint8_t* DirectBytes() const override { return buffer_; }

private:
    static int CapacityFor(int size) { return size - (size % 1024) + 1024; }

    uint8_t* buffer_ = nullptr;
    int size_ = 0;
    int capacity_ = 0;
    int position_ = 0;
};
