// The value forms of dialog definitions: decimal numbers and the definition
// colour word (0xFF000000 not set, 0xFE000000 + n Windows system colour n, otherwise a GDI
// colour reference 0x00BBGGRR).
#pragma once

#include <cstdint>

#include "toolkit/base/String.h"

constexpr uint32_t kColorNotSet = 0xFF000000;

// Like the C library's atoi: leading white space, one sign, digits up to the first other
// character; no digits give 0. Values past the 32-bit range are clamped, never undefined.
int ParseDecimal(const char* text);

// Colour texts ("#RRGGBB", "#" and eight digits) are ColorToText and TextToColor of
// toolkit/base/ColorText.h; ResolveColor (DefinitionColors.h) readies a colour for GDI.
