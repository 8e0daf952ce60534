// DefinitionColors: a definition colour word made ready for the dialog host's GDI drawing.
#pragma once

#include <windows.h>

#include <cstdint>

// System colours resolved. False when not set.
bool ResolveColor(uint32_t color, COLORREF& out);
