// Builds a window region from the pixels of a system bitmap that lie outside a key colour's
// tolerance box: one rectangle per horizontal run of kept pixels, united in batches.
#pragma once

#include <windows.h>

#include <cstdint>

// key and tolerance are 0x00BBGGRR; a channel is transparent within [key, key + tolerance].
// Gives the region (caller deletes) or null when the bitmap cannot be read.
HRGN BuildRegionFromBitmap(HBITMAP bitmap, uint32_t key, uint32_t tolerance);
