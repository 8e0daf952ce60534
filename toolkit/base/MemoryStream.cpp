// MemoryStream implementation. The buffer is the stream's own; every size change goes
// through SetLength so that the capacity rule (1024-byte steps) holds everywhere.
#include "toolkit/base/MemoryStream.h"

#include <climits>
#include <cstdlib>
#include <cstring>

MemoryStream::~MemoryStream() {
    free(buffer_);
}

void MemoryStream::Close() {
    free(buffer_);
    buffer_ = nullptr;
    size_ = capacity_ = position_ = 0;
}

bool MemoryStream::ComputeCrc32(uint32_t& value) {
    if (!buffer_)
        return false;
    value = ~UpdateCrc32(0xFFFFFFFFu, buffer_, size_);
    return true;
}

int MemoryStream::WriteText(const char* text, int length) {
    if (!text)
        return 0;
    if (length < 0)
        length = static_cast<int>(strlen(text));
    return Write(text, length);
}

int MemoryStream::Write(const void* bytes, int count) {
    if (!bytes || count < 1 || count > INT_MAX - position_)
        return 0;
    if (position_ + count > size_ || !buffer_) {
        const int newSize = position_ + count > size_ ? position_ + count : size_;
        if (!SetLength(newSize, true))
            return 0;
    }
    memmove(buffer_ + position_, bytes, count);
    position_ += count;
    return count;
}

int MemoryStream::WriteLine(const char* text) {
    const int written = WriteText(text);
    return written + Write("\r\n", 2);
}

String MemoryStream::ReadText(int count) {
    String text;
    if (count < 0 || count > Remaining())
        count = Remaining();
    if (count <= 0)
        return text;
    text.SetLength(count, false);
    Read(const_cast<char*>(text.Text()), count);
    return text;
}

int MemoryStream::Read(void* bytes, int count) {
    if (!bytes || count < 1 || position_ >= size_)
        return 0;
    if (count > size_ - position_)
        count = size_ - position_;
    memcpy(bytes, buffer_ + position_, count);
    position_ += count;
    return count;
}

void MemoryStream::ReadLine(String& text, bool keepBlanks, int limit, bool* complete) {
    text.Empty();
    if (complete)
        *complete = false;
    if (!buffer_ || limit == 0)
        return;
    const int start = position_;
    int end = start;
    int next = start;
    for (;; end++) {
        if (end + 1 < size_ && buffer_[end] == '\r' && buffer_[end + 1] == '\n') {
            next = end + 2;
            if (complete)
                *complete = true;
            break;
        }
        if (end >= size_ || (limit > 0 && end - start >= limit)) {
            next = end < size_ ? end : size_;
            end = next;
            break;
        }
    }
    if (end > start) {
        text.SetLength(end - start, false);
        memcpy(const_cast<char*>(text.Text()), buffer_ + start, end - start);
    }
    position_ = next;
    if (!keepBlanks) {
        text.TrimLeft();
        text.TrimRight();
    }
}

String MemoryStream::ReadString0() {
    String text;
    if (!buffer_ || position_ >= size_)
        return text;
    const uint8_t* from = buffer_ + position_;
    const void* nul = memchr(from, 0, size_ - position_);
    const int length = nul ? static_cast<int>(static_cast<const uint8_t*>(nul) - from) : size_ - position_;
    if (length > 0) {
        text.SetLength(length, false);
        memcpy(const_cast<char*>(text.Text()), from, length);
    }
    position_ += nul ? length + 1 : length;
    return text;
}

int MemoryStream::Seek(int position) {
    if (position < 0 || position > size_)
        position = size_;
    position_ = position;
    return position_;
}

bool MemoryStream::SetSize(int size) {
    if (!SetLength(size, true))
        return false;
    if (position_ > size_)
        position_ = size_;
    return true;
}

int MemoryStream::Find(const void* pattern, int length) {
    if (!buffer_ || !pattern || length < 1)
        return -1;
    for (int i = position_; i + length <= size_; i++)
        if (memcmp(buffer_ + i, pattern, length) == 0)
            return i;
    return -1;
}

bool MemoryStream::SetLength(int size, bool keep) {
    if (size < 0)
        size = 0;
    if (size > INT_MAX - 1024)
        return false;
    const int capacity = CapacityFor(size);
    if (capacity == capacity_ && buffer_) {
        size_ = size;
        return true;
    }
    uint8_t* fresh = static_cast<uint8_t*>(malloc(capacity));
    if (!fresh)
        return false;
    if (keep && buffer_ && size_ > 0)
        memcpy(fresh, buffer_, size_ < size ? size_ : size);
    free(buffer_);
    buffer_ = fresh;
    capacity_ = capacity;
    size_ = size;
    return true;
}

bool MemoryStream::Allocate(int size) {
    Close();
    return SetLength(size, false);
}
