// The colour word's text form; see ColorText.h.
#include "toolkit/base/ColorText.h"

#include <cstdlib>
#include <cstring>

namespace {

// One pair of hexadecimal digits, read the way strtoul reads them (stops at a non-digit).
uint32_t HexPair(const char* text) {
    const char pair[3] = {text[0], text[1], 0};
    return static_cast<uint32_t>(strtoul(pair, nullptr, 16));
}

}  // namespace

String ColorToText(uint32_t color) {
    String text;
    if (color <= 0x00FFFFFF) {
        text.Format("#%.2x%.2x%.2x", ColorRed(color), ColorGreen(color), ColorBlue(color));
    } else {
        text.Format("#%.8x", static_cast<unsigned>(color));
    }
    return text.Upper();
}

uint32_t TextToColor(const char* text) {
    const size_t length = text ? strlen(text) : 0;
    if (length == 7) {
        return ColorOf(HexPair(text + 1), HexPair(text + 3), HexPair(text + 5));
    }
    if (length == 9) {
        return (HexPair(text + 1) << 24) | (HexPair(text + 3) << 16) | (HexPair(text + 5) << 8) | HexPair(text + 7);
    }
    return 0;
}
