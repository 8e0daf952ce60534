// String implementation. Every length change goes through SetLength (or AssignBytes, which
// applies the same capacity rule), so no operation writes beyond the buffer.
#include "toolkit/base/String.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

String::String(const char* text) {
    Assign(text);
}

String::String(const String& other) : tag_(other.tag_) {
    AssignBytes(other.text_, other.length_);
}

String::String(String&& other) noexcept
    : text_(other.text_), length_(other.length_), capacity_(other.capacity_), tag_(other.tag_) {
    other.text_ = nullptr;
    other.length_ = other.capacity_ = 0;
}

String::~String() {
    free(text_);
    free(wide_);
}

String& String::operator=(String&& other) noexcept {
    if (this == &other)
        return *this;
    free(text_);
    text_ = other.text_;
    length_ = other.length_;
    capacity_ = other.capacity_;
    tag_ = other.tag_;
    other.text_ = nullptr;
    other.length_ = other.capacity_ = 0;
    return *this;
}

void String::AssignBytes(const char* bytes, int n) {
    if (!bytes)
        n = 0;
    const int needed = CapacityFor(n);
    if (needed > capacity_) {
        // Allocate before releasing: the bytes may point into the old buffer.
        char* fresh = static_cast<char*>(malloc(needed));
        if (n > 0)
            memcpy(fresh, bytes, n);
        free(text_);
        text_ = fresh;
        capacity_ = needed;
    } else if (n > 0) {
        memmove(text_, bytes, n);
    }
    length_ = n;
    text_[n] = 0;
}

String& String::Assign(const char* text) {
    AssignBytes(text, text ? static_cast<int>(strlen(text)) : 0);
    return *this;
}

String& String::Assign(const String& other) {
    if (this != &other) {
        AssignBytes(other.text_, other.length_);
        tag_ = other.tag_;
    }
    return *this;
}

String& String::Assign(char c) {
    AssignBytes(&c, 1);
    return *this;
}

void String::Empty() {
    free(text_);
    text_ = nullptr;
    length_ = capacity_ = 0;
}

void String::SetAt(int i, char c) {
    if (i < 0 || i >= length_)
        return;
    text_[i] = c;
    if (c == 0)
        length_ = i;
}

String& String::Append(const char* text) {
    // Built as a new string first, so a text pointing into this buffer stays valid.
    const String joined = *this + text;
    AssignBytes(joined.text_, joined.length_);
    return *this;
}

String& String::Append(char c) {
    const int n = length_;
    SetLength(n + 1, true);
    text_[n] = c;
    return *this;
}

String operator+(const String& left, const char* right) {
    const int rightLength = right ? static_cast<int>(strlen(right)) : 0;
    String result;
    result.SetLength(left.Length() + rightLength, false);
    char* out = const_cast<char*>(result.Text());
    memcpy(out, left.Text(), left.Length());
    if (rightLength > 0)
        memcpy(out + left.Length(), right, rightLength);
    return result;
}

String& String::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
    return *this;
}

String& String::FormatV(const char* format, va_list args) {
    if (!format) {
        Assign("");
        return *this;
    }
    // Measure first, then format into a buffer of exactly that size: never writes past it.
    va_list measure;
    va_copy(measure, args);
    const int needed = vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed < 0) {
        Assign("");
        return *this;
    }
    SetLength(needed, false);
    vsnprintf(text_, needed + 1, format, args);
    length_ = static_cast<int>(strlen(text_));
    return *this;
}

String& String::FromDouble(double x) {
    Format("%f", x);
    const int point = Find('.');
    if (point < 0)
        return *this;
    int end = length_;
    while (end > point + 1 && text_[end - 1] == '0')
        end--;
    if (end == point + 1)
        end = point;
    SetLength(end, true);
    return *this;
}

bool String::operator==(const char* text) const {
    return strcmp(Text(), text ? text : "") == 0;
}

int String::Compare(const char* text) const {
    const int r = strcmp(Text(), text ? text : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int String::CompareNoCase(const char* text) const {
    return strcasecmp(Text(), text ? text : "");
}

bool String::ClampRange(int& start, int& count) const {
    if (start < 0)
        start = 0;
    if (start >= length_)
        return false;
    if (count < 0 || count > length_ - start)
        count = length_ - start;
    return true;
}

int String::Find(char c, int start, int count) const {
    if (!ClampRange(start, count))
        return -1;
    for (int i = start; i < start + count; i++)
        if (text_[i] == c)
            return i;
    return -1;
}

int String::Find(const char* needle, int start, int count, bool afterMatch) const {
    const int n = needle ? static_cast<int>(strlen(needle)) : 0;
    if (n == 0 || !ClampRange(start, count))
        return -1;
    for (int p = start; p <= start + count - n; p++)
        if (memcmp(text_ + p, needle, n) == 0)
            return afterMatch ? p + n : p;
    return -1;
}

int String::FindNoCase(const char* needle, int start, int count) const {
    const int n = needle ? static_cast<int>(strlen(needle)) : 0;
    if (n == 0 || !ClampRange(start, count))
        return -1;
    for (int p = start; p <= start + count - n; p++)
        if (strncasecmp(text_ + p, needle, n) == 0)
            return p;
    return -1;
}

int String::ReverseFind(char c, int start) const {
    if (start == -1)
        start = length_ - 1;
    if (start < 0 || start >= length_)
        return -1;
    for (int i = start; i >= 0; i--)
        if (text_[i] == c)
            return i;
    return -1;
}

String String::Left(int n) const {
    return Mid(0, n <= 0 ? 0 : n);
}

String String::Right(int n) const {
    if (n <= 0)
        return String();
    if (n > length_)
        n = length_;
    return Mid(length_ - n, n);
}

String String::Mid(int start, int count) const {
    String result;
    if (count == 0 || !ClampRange(start, count)) {
        result.Assign("");
        return result;
    }
    result.AssignBytes(text_ + start, count);
    return result;
}

String String::BeforeChar(char c) const {
    const int at = Find(c);
    return at < 0 ? String(Text()) : Left(at);
}

String String::Upper() const {
    String result(Text());
    for (int i = 0; i < result.length_; i++)
        result.text_[i] = static_cast<char>(toupper(static_cast<unsigned char>(result.text_[i])));
    return result;
}

String String::GetToken(int start, int& next) const {
    if (start < 0)
        start = 0;
    if (start >= length_) {
        next = length_;
        return String("");
    }
    const bool blank = IsBlank(text_[start]);
    int end = start;
    while (end < length_ && IsBlank(text_[end]) == blank)
        end++;
    next = end;
    return Mid(start, end - start);
}

String String::GetLine(int start, int& next) const {
    if (start < 0)
        start = 0;
    int end = start;
    while (end < length_ && text_[end] != '\r' && text_[end] != '\n')
        end++;
    next = end;
    if (end < length_) {
        next = end + 1;
        if (text_[end] == '\r' && end + 1 < length_ && text_[end + 1] == '\n')
            next = end + 2;
    }
    return start < length_ ? Mid(start, end - start) : String("");
}

void String::MakeLower() {
    for (int i = 0; i < length_; i++)
        text_[i] = static_cast<char>(tolower(static_cast<unsigned char>(text_[i])));
}

void String::Insert(const char* text, int pos) {
    if (pos > length_)
        return;
    if (pos < 0)
        pos = length_;
    ReplaceRange(text, pos, 0);
}

void String::Insert(char c, int pos, int count) {
    if (count < 1 || pos > length_)
        return;
    if (pos < 0)
        pos = length_;
    const int oldLength = length_;
    SetLength(oldLength + count, true);
    memmove(text_ + pos + count, text_ + pos, oldLength - pos);
    memset(text_ + pos, c, count);
}

int String::Delete(int start, int count) {
    if (!ClampRange(start, count))
        return 0;
    memmove(text_ + start, text_ + start + count, length_ - start - count);
    SetLength(length_ - count, true);
    return count;
}

void String::ReplaceRange(const char* text, int start, int count) {
    if (start > length_)
        return;
    if (start < 0)
        start = 0;
    if (count < 0 || count > length_ - start)
        count = length_ - start;
    const String replacement(text);  // a copy: the text may point into this buffer
    const int oldLength = length_;
    const int n = replacement.length_;
    const int tail = oldLength - start - count;
    if (n > count) {
        SetLength(oldLength + n - count, true);
        memmove(text_ + start + n, text_ + start + count, tail);
    } else {
        memmove(text_ + start + n, text_ + start + count, tail);
        SetLength(oldLength + n - count, true);
    }
    if (n > 0)
        memcpy(text_ + start, replacement.text_, n);
}

int String::Replace(char oldChar, char newChar, int start, int count) {
    if (!ClampRange(start, count))
        return 0;
    int replaced = 0;
    for (int i = start; i < start + count; i++) {
        if (text_[i] == oldChar) {
            text_[i] = newChar;
            replaced++;
        }
    }
    // A NUL replacement cuts the text at its first occurrence.
    if (newChar == 0 && replaced > 0)
        length_ = static_cast<int>(strlen(text_));
    return replaced;
}

int String::Replace(const char* oldText, const char* newText, int start, int count) {
    const int oldLength = oldText ? static_cast<int>(strlen(oldText)) : 0;
    if (oldLength == 0 || !ClampRange(start, count))
        return 0;
    const String replacement(newText);
    int end = start + count;
    int replaced = 0;
    int p = start;
    while (p <= end - oldLength) {
        if (memcmp(text_ + p, oldText, oldLength) != 0) {
            p++;
            continue;
        }
        ReplaceRange(replacement.Text(), p, oldLength);
        p += replacement.length_;
        end += replacement.length_ - oldLength;
        replaced++;
    }
    return replaced;
}

void String::TrimLeft(int n) {
    if (n == 0 || length_ == 0)
        return;
    if (n < 0) {
        n = 0;
        while (n < length_ && (text_[n] == ' ' || text_[n] == '\t'))
            n++;
    }
    Delete(0, n);
}

void String::TrimRight(int n) {
    if (n == 0 || length_ == 0)
        return;
    if (n < 0) {
        n = 0;
        while (n < length_ && (text_[length_ - 1 - n] == ' ' || text_[length_ - 1 - n] == '\t'))
            n++;
    }
    if (n > length_)
        n = length_;
    SetLength(length_ - n, true);
}

void String::SetLength(int n, bool keep) {
    if (n < 0)
        n = 0;
    const int needed = CapacityFor(n);
    if (needed > capacity_) {
        char* fresh = static_cast<char*>(malloc(needed));
        if (keep && text_) {
            const int carried = length_ < n ? length_ : n;
            memcpy(fresh, text_, carried);
        }
        free(text_);
        text_ = fresh;
        capacity_ = needed;
    }
    length_ = n;
    text_[n] = 0;
}

void String::Resize(int n, char fill) {
    const int oldLength = length_;
    SetLength(n, true);
    if (fill != 0 && length_ > oldLength)
        memset(text_ + oldLength, fill, length_ - oldLength);
}

int String::LineCount() const {
    int lines = 1;
    for (int i = 0; i + 1 < length_; i++)
        if (text_[i] == '\r' && text_[i + 1] == '\n')
            lines++;
    return lines;
}

char* String::NewCopy() const {
    char* copy = static_cast<char*>(malloc(length_ + 1));
    memcpy(copy, Text(), length_ + 1);
    return copy;
}

bool IsIdentChar(char c) {
    return isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentLetter(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (isalpha(u))
        return true;
    return (u >= 0xE0 && u <= 0xE4) || (u >= 0xE7 && u <= 0xEF) || (u >= 0xF1 && u <= 0xF4) || u == 0xF6 ||
           (u >= 0xF9 && u <= 0xFC);
}

bool IsIdentifier(const char* text) {
    if (!text || !*text || isdigit(static_cast<unsigned char>(*text)))
        return false;
    for (; *text; text++)
        if (!IsIdentChar(*text))
            return false;
    return true;
}
