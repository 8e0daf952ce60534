// The previewer's jobs; see DialogPreview.h.
#include "tools/dialog/DialogPreview.h"

#include "toolkit/base/FileStream.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/Image.h"
#include "toolkit/window/Window.h"

namespace {

// The 1-based number of the line that ends at or contains the byte before offset.
int LineAt(const MemoryStream& text, int offset) {
    const uint8_t* bytes = text.Data();
    int line = 1;
    for (int i = 0; i + 1 < offset && bytes; i++) {
        if (bytes[i] == '\r' && bytes[i + 1] == '\n' && i + 2 < offset)
            line++;
    }
    return line;
}

// Paints one child (and its own children) at its place in the picture whose top left is at
// `origin` on the screen. Each child prints into a bitmap of its own that starts as what lies
// under it, so no control's clipping or origin changes can reach the others. That bitmap
// starts at the child's window corner, not its client corner (a bordered control's inner
// parts sit inside its border), so the grandchildren are placed from the window corner.
void PrintChild(HDC dc, POINT origin, HWND child) {
    if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
        return;
    RECT place{};
    GetWindowRect(child, &place);
    const POINT corner{place.left, place.top};
    OffsetRect(&place, -origin.x, -origin.y);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width <= 0 || height <= 0)
        return;
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, width, height));
    MemoryDC own(dc);
    if (!bitmap || !own)
        return;
    own.Select(bitmap.Get());
    BitBlt(own.Get(), 0, 0, width, height, dc, place.left, place.top, SRCCOPY);
    SendMessageA(child, WM_PRINT, reinterpret_cast<WPARAM>(own.Get()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    for (HWND inner = GetWindow(GetWindow(child, GW_CHILD), GW_HWNDLAST); inner; inner = GetWindow(inner, GW_HWNDPREV))
        PrintChild(own.Get(), corner, inner);
    BitBlt(dc, place.left, place.top, width, height, own.Get(), 0, 0, SRCCOPY);
}

}  // namespace

bool LoadDefinitionFile(const char* path, MemoryStream& out, String& error) {
    FileStream file;
    if (!file.Open(path, false, false, true)) {
        error.Format("cannot open %s", path);
        return false;
    }
    const int size = file.GetSize();
    if (size < 0 || size > DialogDefinition::kMaxDefinitionBytes) {
        error.Format("%s is larger than a definition can be", path);
        return false;
    }
    out.CopyFrom(&file);
    out.Seek(0);
    return true;
}

bool CheckDefinition(MemoryStream& text, MemoryStream& canonical, String& error) {
    DialogDefinition definition;
    text.Seek(0);
    if (!definition.ReadDefinition(&text)) {
        error.Format("line %d: %s", LineAt(text, definition.FailureOffset()), definition.FailureReason());
        return false;
    }
    if (!definition.Dialog()) {
        error = "line 3: no dialog section";
        return false;
    }
    if (!definition.WriteDefinition(&canonical)) {
        error = "the definition cannot be written";
        return false;
    }
    return true;
}

bool RenderClientArea(const Window& window, Image& picture) {
    RECT client{};
    if (!window.GetClientRect(client) || client.right <= 0 || client.bottom <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, client.right, client.bottom));
    MemoryDC dc(screen);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !dc)
        return false;
    dc.Select(bitmap.Get());
    HWND handle = window.Handle();
    // The erase clips the opaque children out of the context it is given; the children are
    // printed into it afterwards, so that clipping must not outlive the erase.
    const int saved = SaveDC(dc.Get());
    SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    RestoreDC(dc.Get(), saved);
    // Bottom of the z-order first, so that controls higher up paint over the ones below.
    POINT origin{0, 0};
    ClientToScreen(handle, &origin);
    for (HWND child = GetWindow(GetWindow(handle, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV))
        PrintChild(dc.Get(), origin, child);
    GdiFlush();
    return picture.CreateFromBitmapHandle(bitmap.Get());
}
