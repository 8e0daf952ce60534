// The off-screen bitmaps behind flicker-free erasing: one per thread, because a bitmap can be
// selected into one device context at a time and both threads erase windows at once (the
// worker's message windows while the main window animates). Each is screen-compatible and at
// least as large as the screen, and is made again when the display size changes.
#pragma once

#include <windows.h>

namespace OffscreenBitmaps {

// Lends the calling thread's bitmap, at least width x height. While it is lent (a nested erase
// on the same thread) a temporary bitmap of that size is made instead: `temporary` says so.
HBITMAP Acquire(int width, int height, bool& temporary);
void Return(HBITMAP bitmap, bool temporary);
// The calling thread's bitmap (made on first use); for inspection.
HBITMAP ForThisThread();
// Deletes every bitmap (toolkit shutdown).
void ReleaseAll();

}  // namespace OffscreenBitmaps
