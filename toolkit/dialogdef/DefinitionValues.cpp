// Value forms of dialog definitions; see DefinitionValues.h.
#include "toolkit/dialogdef/DefinitionValues.h"

#include <cctype>
#include <climits>
#include <cstring>

int ParseDecimal(const char* text) {
    if (!text)
        return 0;
    while (isspace(static_cast<unsigned char>(*text)))
        text++;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    long long value = 0;
    for (; isdigit(static_cast<unsigned char>(*text)); text++) {
        value = value * 10 + (*text - '0');
        if (value > 1LL + INT_MAX)
            value = 1LL + INT_MAX;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

String ColorToText(uint32_t color) {
    String text;
    if (color <= 0xFFFFFF)
        text.Format("#%.2X%.2X%.2X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    else
        text.Format("#%.8X", color);
    return text;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

uint32_t TextToColor(const char* text) {
    const size_t length = text ? strlen(text) : 0;
    if (length != 7 && length != 9)
        return 0;
    uint32_t bytes[4] = {};
    const int pairs = static_cast<int>(length / 2);
    for (int i = 0; i < pairs; i++) {
        const int high = HexDigit(text[1 + 2 * i]);
        const int low = HexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0)
            return 0;
        bytes[i] = static_cast<uint32_t>(high * 16 + low);
    }
    if (pairs == 3)
        return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
    return (bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
}

bool ResolveColor(uint32_t color, COLORREF& out) {
    if (color == kColorNotSet)
        return false;
    if (color >= kSystemColorBase && color < kColorNotSet)
        out = GetSysColor(static_cast<int>(color - kSystemColorBase));
    else
        out = color & 0xFFFFFF;
    return true;
}
