// String: the one text type of the toolkit. UTF-8 text (paths included), always
// NUL-terminated; every position, length and count is in bytes. Capacity grows in steps
// of 16 bytes and never shrinks while the object lives (only Empty releases it).
// Positions are 0-based, a count of -1 means "to the end", and searches give -1 when
// nothing is found. Out-of-range arguments are clamped or make the operation a no-op.
#pragma once

#include <cstdarg>
#include <cstdint>

// The formats are checked as GNU printf reads them; MinGW has to be told, as its default
// checks follow Microsoft's runtime (the one #ifdef of the toolkit's headers).
#ifdef __MINGW32__
#define KVR_PRINTF_STYLE gnu_printf
#else
#define KVR_PRINTF_STYLE printf
#endif

class String {
public:
    String() = default;
    String(const char* text);  // NOLINT: implicit on purpose, texts convert freely
    String(const String& other);
    String(String&& other) noexcept;
    virtual ~String();

    String& operator=(const String& other) { return Assign(other); }
    String& operator=(String&& other) noexcept;
    String& operator=(const char* text) { return Assign(text); }

    String& Assign(const char* text);
    String& Assign(const String& other);
    String& Assign(char c);
    void Empty();

    const char* Text() const { return text_ ? text_ : ""; }
    operator const char*() const { return Text(); }  // NOLINT
    int Length() const { return length_; }
    int Capacity() const { return capacity_; }
    bool IsEmpty() const { return length_ == 0; }
    uint32_t Tag() const { return tag_; }
    void SetTag(uint32_t tag) { tag_ = tag; }

    // Any position reads safely: 0..Length()-1 gives the byte, anything else the NUL.
    char GetAt(int i) const { return i >= 0 && i < length_ ? text_[i] : '\0'; }
    // Writes inside the text only; writing a NUL there cuts the text at i.
    void SetAt(int i, char c);

    String& Append(const char* text);
    String& Append(char c);
    String& operator+=(const char* text) { return Append(text); }
    String& operator+=(char c) { return Append(c); }

    // printf-style formatting into this string; the whole text is produced whatever the arguments.
    String& Format(const char* format, ...) __attribute__((format(KVR_PRINTF_STYLE, 2, 3)));
    String& FormatV(const char* format, va_list args);
    String& FromDouble(double x);

    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;

    int Find(char c, int start = 0, int count = -1) const;
    int Find(const char* needle, int start = 0, int count = -1, bool afterMatch = false) const;
    int FindNoCase(const char* needle, int start = 0, int count = -1) const;
    int ReverseFind(char c, int start = -1) const;

    String Left(int n) const;
    String Right(int n) const;
    String Mid(int start, int count = -1) const;
    String BeforeChar(char c) const;
    String Upper() const;
    String GetToken(int start, int& next) const;
    String GetLine(int start, int& next) const;

    void MakeLower();
    void Insert(const char* text, int pos);
    void Insert(char c, int pos, int count);
    int Delete(int start, int count = -1);
    void ReplaceRange(const char* text, int start, int count = -1);
    int Replace(char oldChar, char newChar, int start = 0, int count = -1);
    int Replace(const char* oldText, const char* newText, int start = 0, int count = -1);
    void TrimLeft(int n = -1);
    void TrimRight(int n = -1);
    void SetLength(int n, bool keep);
    void Resize(int n, char fill);
    int LineCount() const;

    // UTF-16 copy cached in the string, valid until the next ToWide or destruction. Windows
    // only (StringWideWin32.cpp).
    const wchar_t* ToWide();
    // Heap copies that the caller releases with free().
    wchar_t* NewWide() const;
    char* NewCopy() const;

    // Capacity needed for a text of n bytes: a multiple of 16, at least n + 2.
    static int CapacityFor(int n) { return ((n + 1) / 16 + 1) * 16; }

private:
    // Clamps [start, start + count) to the text; false when start lies at or past the end.
    bool ClampRange(int& start, int& count) const;
    void AssignBytes(const char* bytes, int n);

    char* text_ = nullptr;
    int length_ = 0;
    int capacity_ = 0;
    wchar_t* wide_ = nullptr;
    uint32_t tag_ = 0;
};

String operator+(const String& left, const char* right);

bool IsIdentChar(char c);
bool IsIdentLetter(char c);
bool IsIdentifier(const char* text);
