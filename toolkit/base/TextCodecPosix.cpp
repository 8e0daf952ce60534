// TextCodec without Windows: archive names are read as Windows-1252, the ANSI code page of
// the Western systems that write them, so that the native command line names every entry
// as the Windows program does there. The five bytes that 1252 leaves undefined go to the
// C1 controls of the same value, as Windows' own table maps them. WideText and Utf8FromWide
// serve the Windows wide calls and exist only there.
#include "toolkit/base/TextCodec.h"

#include <cstdint>
#include <cstring>

namespace {

// 0x80..0x9F; the bytes from 0xA0 on are the code points of the same value.
constexpr uint16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(String& utf8, uint32_t code) {
    if (code < 0x80) {
        utf8.Append(static_cast<char>(code));
    } else if (code < 0x800) {
        utf8.Append(static_cast<char>(0xC0 | code >> 6));
        utf8.Append(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        utf8.Append(static_cast<char>(0xE0 | code >> 12));
        utf8.Append(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        utf8.Append(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

bool Utf8FromAnsi(const char* bytes, int length, String& utf8) {
    utf8.Empty();
    if (length < 0)
        length = static_cast<int>(strlen(bytes));
    for (int i = 0; i < length; i++) {
        const uint8_t byte = static_cast<uint8_t>(bytes[i]);
        AppendUtf8(utf8, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
    }
    return true;
}
