// The toolkit's one home for colour conversions: colour words (0x00BBGGRR, with the special
// values of the top byte) resolved to GDI colours, and GDI colours to and from the ARGB values
// that GDI+ takes.
#pragma once

#include <windows.h>

#include <cstdint>

// A colour word from here up to 0xFEFFFFFF names Windows system colour (word - base).
constexpr uint32_t kSystemColorBase = 0xFE000000;

// The GDI colour a colour word stands for: a system colour resolved, the top byte dropped.
inline COLORREF ColorRefOf(uint32_t color) {
    if ((color & 0xFF000000) == kSystemColorBase) {
        return GetSysColor(static_cast<int>(color & 0x00FFFFFF));
    }
    return color & 0x00FFFFFF;
}

// Opaque ARGB of a GDI colour.
inline uint32_t ArgbOf(COLORREF color) {
    return 0xFF000000 | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// Opaque ARGB of a toolkit colour word.
inline uint32_t ToOpaqueArgb(uint32_t color) {
    return ArgbOf(ColorRefOf(color));
}

// Toolkit colour of an ARGB pixel, alpha dropped.
inline uint32_t FromArgb(uint32_t argb) {
    return ((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF);
}

// True for colour words that name a real colour to fill with (not "none" or "see-through").
inline bool IsFillColor(uint32_t color) {
    return color < 0xFF000000;
}
