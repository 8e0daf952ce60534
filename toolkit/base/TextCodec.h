// TextCodec: conversions between the toolkit's text, which is UTF-8, and the encodings met at
// its edges: UTF-16 for the system's wide calls, and the 8-bit code page in which archives
// store their names. TextCodecWin32.cpp uses the system's conversions; TextCodecPosix.cpp
// reads archive names as Windows-1252 and has no wide calls to serve.
#pragma once

#include <memory>

#include "toolkit/base/String.h"

// A UTF-16 copy of a UTF-8 text, made for one wide system call and gone with it. Bytes that
// are not UTF-8 become U+FFFD.
class WideText {
public:
    explicit WideText(const char* utf8, int length = -1);
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    const wchar_t* Text() const { return text_.get(); }
    operator const wchar_t*() const { return Text(); }  // NOLINT: passed straight to wide calls
    int Length() const { return length_; }

private:
    std::unique_ptr<wchar_t[]> text_;
    int length_ = 0;
};

// UTF-8 of a UTF-16 text; length -1 reads up to the NUL. Unpaired surrogates become U+FFFD.
String Utf8FromWide(const wchar_t* text, int length = -1);

// Names inside archives are bytes in the ANSI code page of the machine that wrote them; this
// reads them as the system's ANSI code page (Windows-1252 elsewhere). False, with utf8 empty, when a byte has no
// character there: such a name is never used half converted.
bool Utf8FromAnsi(const char* bytes, int length, String& utf8);
