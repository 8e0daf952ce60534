// FileStream implementation over the C runtime's FILE, opened and sized through
// FileSystemCalls.h. Positions are the runtime's 32-bit long offsets; files of 2 GB and more
// are outside the design.
#include "toolkit/base/FileStream.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>

#include "toolkit/base/FileSystem.h"
#include "toolkit/base/FileSystemCalls.h"

namespace {

constexpr int kFindBlock = 1024;
constexpr int kCacheLine = 64;

const char* ModeFor(bool write, bool create, bool read) {
    if (read && !write)
        return "rb";
    if (read && write)
        return create ? "w+b" : "r+b";
    if (write)
        return create ? "wb" : "ab";
    return nullptr;
}

}  // namespace

FileStream::FileStream(const String& path, bool write, bool create, bool read) : Stream(false) {
    Open(path, write, create, read);
}

FileStream::~FileStream() {
    Close();
}

void FileStream::Close() {
    if (file_)
        fclose(file_);
    file_ = nullptr;
    if (!temporaryName_.IsEmpty())
        RemoveFile(temporaryName_);
    temporaryName_.Empty();
    name_.Empty();
    temporary_ = false;
    lastAccess_ = LastAccess::kNone;
    readOnlySize_ = -1;
}

bool FileStream::Open(const String& path, bool write, bool create, bool read) {
    Close();
    const char* mode = ModeFor(write, create, read);
    if (path.IsEmpty() || !mode)
        return false;
    // ext4 and other file systems with delayed allocation write a file's data out as soon as
    // it is closed after a truncation (a guard for programs that replace files by truncating
    // them), which costs about as much again as writing it. A fresh temporary file is empty
    // already, so an empty file is opened as it is; only a file with content is truncated.
    file_ = write && create ? filecalls::OpenKeepingEmpty(path, mode, read) : filecalls::Open(path, mode);
    if (!file_)
        return false;
    UseLargeBuffer();
    // A file opened for reading only cannot change size through this stream: its size is
    // taken once instead of once per block.
    readOnlySize_ = !write ? GetSize() : -1;
    name_ = path;
    return true;
}

bool FileStream::OpenTemporary() {
    Close();
    FileSystem fileSystem;
    const String path = fileSystem.TempFileName();
    if (path.IsEmpty())
        return false;
    file_ = filecalls::OpenKeepingEmpty(path, "w+b", true);
    if (!file_) {
        // The fresh name was taken but cannot be used: do not leave it behind.
        RemoveFile(path);
        return false;
    }
    UseLargeBuffer();
    temporaryName_ = path;
    temporary_ = true;
    return true;
}

void FileStream::CloseAndDelete() {
    if (!file_ || temporary_)
        return;
    const String path = name_;
    Close();
    RemoveFile(path);
}

void FileStream::UseLargeBuffer() {
    // Lines, words and small records are read a few bytes at a time; a 64 KB runtime buffer
    // turns those into few system calls (large block reads bypass it). Failure only leaves
    // the runtime's default buffer in place.
    (void)setvbuf(file_, nullptr, _IOFBF, kBufferSize);
}

void FileStream::PrepareFor(LastAccess access) {
    if (lastAccess_ != LastAccess::kNone && lastAccess_ != access)
        fseek(file_, 0, SEEK_CUR);
    lastAccess_ = access;
}

bool FileStream::ComputeCrc32(uint32_t& value) {
    if (!file_)
        return false;
    const int remembered = Tell();
    const int size = GetSize();
    uint32_t crc = 0xFFFFFFFFu;
    bool complete = Seek(0) == 0 || size == 0;
    // Whole runtime buffers go past the runtime's buffer straight into this block, which
    // starts on a cache line as the file's blocks do: the system's copy is fastest so.
    const int blockSize = size < 4 * kBufferSize ? size : 4 * kBufferSize;
    std::unique_ptr<uint8_t[]> memory(new uint8_t[(blockSize > 0 ? blockSize : 1) + kCacheLine]);
    uint8_t* const block = memory.get() + (kCacheLine - reinterpret_cast<uintptr_t>(memory.get()) % kCacheLine);
    for (int offset = 0; complete && offset < size;) {
        const int got = Read(block, blockSize);
        if (got <= 0)
            complete = false;
        else
            crc = UpdateCrc32(crc, block, got);
        offset += got;
    }
    Seek(remembered);
    if (!complete)
        return false;
    value = ~crc;
    return true;
}

int FileStream::WriteText(const char* text, int length) {
    if (!text)
        return 0;
    if (length < 0)
        length = static_cast<int>(strlen(text));
    return Write(text, length);
}

int FileStream::Write(const void* bytes, int count) {
    if (!file_ || !bytes || count < 1)
        return 0;
    PrepareFor(LastAccess::kWrite);
    return static_cast<int>(fwrite(bytes, 1, count, file_));
}

int FileStream::WriteLine(const char* text) {
    const int written = WriteText(text);
    return written + Write("\r\n", 2);
}

String FileStream::ReadText(int count) {
    String text;
    const int remaining = Remaining();
    if (count < 0 || count > remaining)
        count = remaining;
    if (count <= 0)
        return text;
    text.SetLength(count, false);
    const int got = Read(const_cast<char*>(text.Text()), count);
    text.SetLength(got, true);
    return text;
}

int FileStream::Read(void* bytes, int count) {
    if (!file_ || !bytes || count < 1)
        return 0;
    // fread itself cuts the count to what remains; asking for the size here would cost two
    // seeks (and the runtime's read buffer) per block.
    PrepareFor(LastAccess::kRead);
    return static_cast<int>(fread(bytes, 1, count, file_));
}

void FileStream::ReadLine(String& text, bool keepBlanks, int limit, bool* complete) {
    text.Empty();
    if (complete)
        *complete = false;
    if (!file_ || limit == 0)
        return;
    PrepareFor(LastAccess::kRead);
    int previous = EOF;
    int stored = 0;
    for (int c = fgetc(file_); c != EOF; c = fgetc(file_)) {
        if (c == '\n' && previous == '\r') {
            if (complete)
                *complete = true;
            break;
        }
        previous = c;
        if (c == '\r' || c == '\n')
            continue;
        text.Append(static_cast<char>(c));
        if (limit > 0 && ++stored >= limit)
            break;
    }
    if (!keepBlanks) {
        text.TrimLeft();
        text.TrimRight();
    }
}

String FileStream::ReadString0() {
    String text;
    if (!file_)
        return text;
    PrepareFor(LastAccess::kRead);
    for (int c = fgetc(file_); c != EOF && c != 0; c = fgetc(file_))
        text.Append(static_cast<char>(c));
    return text;
}

int FileStream::Seek(int position) {
    if (!file_)
        return 0;
    const int size = GetSize();
    if (position < 0 || position > size)
        position = size;
    if (fseek(file_, position, SEEK_SET) != 0)
        return Tell();
    lastAccess_ = LastAccess::kNone;
    return position;
}

int FileStream::Tell() {
    if (!file_)
        return 0;
    const long position = ftell(file_);
    if (position < 0)
        return GetSize();
    return static_cast<int>(position);
}

bool FileStream::SetSize(int size) {
    if (!file_ || size < 0)
        return false;
    fflush(file_);
    if (!filecalls::Resize(file_, size))
        return false;
    lastAccess_ = LastAccess::kNone;
    return fseek(file_, size, SEEK_SET) == 0;
}

int FileStream::GetSize() {
    if (!file_)
        return 0;
    if (readOnlySize_ >= 0)
        return readOnlySize_;
    // Buffered writes count towards the size only once they reach the file.
    if (lastAccess_ == LastAccess::kWrite)
        fflush(file_);
    // Asked of the descriptor, so that the stream's position and read buffer stay untouched:
    // the copy loops ask for the size once per block.
    const long long size = filecalls::Length(file_);
    if (size < 0)
        return 0;
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

bool FileStream::IsEof() {
    if (!file_)
        return true;
    return Tell() == GetSize();
}

int FileStream::Find(const void* pattern, int length) {
    if (!file_ || !pattern || length < 1)
        return -1;
    const int start = Tell();
    const int blockSize = length > kFindBlock ? length : kFindBlock;
    // Each read keeps the last length - 1 bytes of the one before, so that a pattern that
    // straddles two reads is still seen whole.
    std::unique_ptr<uint8_t[]> window(new uint8_t[blockSize + length - 1]);
    const uint8_t* wanted = static_cast<const uint8_t*>(pattern);
    int held = 0;
    int windowStart = start;
    int found = -1;
    while (found < 0) {
        const int got = Read(window.get() + held, blockSize);
        if (got <= 0)
            break;
        held += got;
        for (int i = 0; i + length <= held; i++) {
            if (memcmp(window.get() + i, wanted, length) == 0) {
                found = windowStart + i;
                break;
            }
        }
        const int keep = held < length - 1 ? held : length - 1;
        memmove(window.get(), window.get() + held - keep, keep);
        windowStart += held - keep;
        held = keep;
    }
    Seek(start);
    return found;
}
