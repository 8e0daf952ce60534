// OffscreenBitmaps; see OffscreenBitmaps.h. Entries of threads that have ended are dropped
// whenever a new thread asks, so the table stays as small as the set of erasing threads.
#include "toolkit/window/OffscreenBitmaps.h"

#include "toolkit/base/Array.h"
#include "toolkit/window/Lock.h"

namespace {

struct Entry {
    DWORD threadId;
    HBITMAP bitmap;
    int width;
    int height;
    int screenWidth;
    int screenHeight;
    bool lent;
};

CriticalSection poolLock;
Array<Entry> pool;

HBITMAP NewScreenBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

bool ThreadHasEnded(DWORD threadId) {
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, threadId);
    if (!thread)
        return true;
    const bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return ended;
}

void DropEndedThreads() {
    for (int i = pool.Count() - 1; i >= 0; i--) {
        if (pool[i].lent || !ThreadHasEnded(pool[i].threadId))
            continue;
        if (pool[i].bitmap)
            DeleteObject(pool[i].bitmap);
        pool.RemoveAt(i);
    }
}

Entry& EntryOfThisThread() {
    const DWORD self = GetCurrentThreadId();
    for (int i = 0; i < pool.Count(); i++) {
        if (pool[i].threadId == self)
            return pool[i];
    }
    DropEndedThreads();
    pool.Append(Entry{self, nullptr, 0, 0, 0, 0, false});
    return pool[pool.Count() - 1];
}

// Makes the entry's bitmap cover the request and the current screen.
bool Fit(Entry& entry, int width, int height) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (entry.bitmap && entry.screenWidth == screenWidth && entry.screenHeight == screenHeight &&
        entry.width >= width && entry.height >= height)
        return true;
    if (entry.bitmap)
        DeleteObject(entry.bitmap);
    entry.width = width > screenWidth ? width : screenWidth;
    entry.height = height > screenHeight ? height : screenHeight;
    entry.screenWidth = screenWidth;
    entry.screenHeight = screenHeight;
    entry.bitmap = NewScreenBitmap(entry.width, entry.height);
    return entry.bitmap != nullptr;
}

}  // namespace

namespace OffscreenBitmaps {

HBITMAP Acquire(int width, int height, bool& temporary) {
    temporary = false;
    {
        ScopedLock lock(poolLock);
        Entry& entry = EntryOfThisThread();
        if (!entry.lent) {
            if (!Fit(entry, width, height))
                return nullptr;
            entry.lent = true;
            return entry.bitmap;
        }
    }
    temporary = true;
    return NewScreenBitmap(width > 0 ? width : 1, height > 0 ? height : 1);
}

void Return(HBITMAP bitmap, bool temporary) {
    if (!bitmap)
        return;
    if (temporary) {
        DeleteObject(bitmap);
        return;
    }
    ScopedLock lock(poolLock);
    Entry& entry = EntryOfThisThread();
    if (entry.bitmap == bitmap)
        entry.lent = false;
}

HBITMAP ForThisThread() {
    ScopedLock lock(poolLock);
    Entry& entry = EntryOfThisThread();
    Fit(entry, 0, 0);
    return entry.bitmap;
}

void ReleaseAll() {
    ScopedLock lock(poolLock);
    for (int i = 0; i < pool.Count(); i++) {
        if (pool[i].bitmap)
            DeleteObject(pool[i].bitmap);
    }
    pool.Free();
}

}  // namespace OffscreenBitmaps
