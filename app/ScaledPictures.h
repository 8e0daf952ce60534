// The program's pictures at a window's DPI: at 96 the picture as drawn, at 192 its twice-size
// drawing as it is, at any other DPI the twice-size drawing resampled once to the size asked.
#pragma once

#include <windows.h>

class Image;

// Loads BINARY picture `id` (its 96-DPI id) for a window at `dpi`; false leaves it empty.
bool LoadPictureAtDpi(Image& picture, int id, int dpi, HMODULE module);
