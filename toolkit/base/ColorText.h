// ColorText: the colour word (0x00BBGGRR; above 0x00FFFFFF the special values: 0xFF000000
// not set, 0xFF000001 see-through, 0xFE000000 + n system colour n) and its text form in
// dialog definitions: "#" and six hexadecimal digits, red first, or "#" and eight digits of
// the whole word.
#pragma once

#include <cstdint>

#include "toolkit/base/String.h"

inline int ColorRed(uint32_t color) {
    return color & 0xFF;
}
inline int ColorGreen(uint32_t color) {
    return (color >> 8) & 0xFF;
}
inline int ColorBlue(uint32_t color) {
    return (color >> 16) & 0xFF;
}
// Each channel is cut to its low 8 bits.
inline uint32_t ColorOf(int red, int green, int blue) {
    return (static_cast<uint32_t>(blue & 0xFF) << 16) | (static_cast<uint32_t>(green & 0xFF) << 8) |
           static_cast<uint32_t>(red & 0xFF);
}

// "#RRGGBB" for colours up to 0x00FFFFFF, "#" and eight digits of the whole word above that.
String ColorToText(uint32_t color);
// Inverse of ColorToText for texts of 7 or 9 characters; any other length gives 0.
uint32_t TextToColor(const char* text);
