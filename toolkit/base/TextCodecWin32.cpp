// TextCodec over the system's code page conversions.
#include "toolkit/base/TextCodec.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsAscii(const char* bytes, int length) {
    for (int i = 0; i < length; i++)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    return true;
}

}  // namespace

WideText::WideText(const char* utf8, int length) {
    if (!utf8)
        utf8 = "";
    if (length < 0)
        length = static_cast<int>(strlen(utf8));
    const int needed = length > 0 ? MultiByteToWideChar(CP_UTF8, 0, utf8, length, nullptr, 0) : 0;
    text_.reset(new wchar_t[needed + 1]);
    length_ = needed > 0 ? MultiByteToWideChar(CP_UTF8, 0, utf8, length, text_.get(), needed) : 0;
    text_[length_] = 0;
}

String Utf8FromWide(const wchar_t* text, int length) {
    String utf8;
    if (!text)
        return utf8;
    if (length < 0)
        length = static_cast<int>(wcslen(text));
    if (length == 0)
        return utf8;
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return utf8;
    utf8.SetLength(needed, false);
    const int written =
        WideCharToMultiByte(CP_UTF8, 0, text, length, const_cast<char*>(utf8.Text()), needed, nullptr, nullptr);
    utf8.SetLength(written > 0 ? written : 0, true);
    return utf8;
}

bool Utf8FromAnsi(const char* bytes, int length, String& utf8) {
    utf8.Empty();
    if (length < 0)
        length = static_cast<int>(strlen(bytes));
    if (IsAscii(bytes, length)) {
        utf8.SetLength(length, false);
        if (length > 0)
            memcpy(const_cast<char*>(utf8.Text()), bytes, length);
        return true;
    }
    const int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, length, nullptr, 0);
    if (needed <= 0)
        return false;
    std::unique_ptr<wchar_t[]> wide(new wchar_t[needed]);
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, length, wide.get(), needed) != needed)
        return false;
    utf8 = Utf8FromWide(wide.get(), needed);
    return true;
}
