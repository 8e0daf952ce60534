// Conversions between the toolkit's colour words (0x00BBGGRR, with the special values of the
// top byte) and the ARGB values that GDI+ takes.
#pragma once

#include <windows.h>

#include <cstdint>

// Opaque ARGB of a toolkit colour; 0xFE000000 + n stands for Windows system colour n.
inline uint32_t ToOpaqueArgb(uint32_t color) {
    if ((color & 0xFF000000) == 0xFE000000) {
        color = GetSysColor(static_cast<int>(color & 0xFF));
    }
    return 0xFF000000 | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// Toolkit colour of an ARGB pixel, alpha dropped.
inline uint32_t FromArgb(uint32_t argb) {
    return ((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF);
}

// True for colour words that name a real colour to fill with (not "none" or "see-through").
inline bool IsFillColor(uint32_t color) {
    return color < 0xFF000000;
}
