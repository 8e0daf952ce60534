// Painting of Window: the erase path (composed off screen and copied to the screen once),
// background colours, see-through and no-background windows, clipping of opaque children,
// skins and the window region cut from a skin's key colour. Layered windows are in
// WindowLayered.cpp.
#include "toolkit/media/GdiplusApi.h"

#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/GdiplusColor.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/OffscreenBitmaps.h"
#include "toolkit/window/SkinPainter.h"
#include "toolkit/window/Window.h"

namespace {

constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

// Kinds that paint over their parent's background, so the parent must not clip them out.
bool PaintsOverParent(int kind) {
    return kind == KIND_BUTTON || kind == KIND_GROUPBOX || kind == KIND_RADIO || kind == KIND_TABCONTROL;
}

// The child's window rectangle in the parent's client coordinates.
RECT ChildRect(HWND parent, HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExcludeRegion(HDC dc, HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0)
        return;
    Array<BYTE> buffer;
    buffer.SetSize(static_cast<int>(size), false);
    RGNDATA* const data = reinterpret_cast<RGNDATA*>(&buffer[0]);
    if (GetRegionData(region, size, data) != size)
        return;
    const RECT* const rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; i++)
        ExcludeClipRect(dc, rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
}

void CopySkin(Image& skin, const Image& source, uint32_t key) {
    skin.CopyFrom(source);
    skin.SetMode(source.Mode());
    skin.SetBackground(source.Background());
    // The centre cell follows the picture's own key; a picture without one takes the skin's.
    skin.SetKey(source.Key() != Image::kNoColor ? source.Key() : key);
}

}  // namespace

void Window::BeginErase(HDC dc, LPARAM& drawDc) {
    // Every erase is counted, so that each close matches its opening whatever the background
    // became in between.
    const bool outermost = ++eraseDepth_ == 1;
    if (background == kSeeThrough) {
        PaintWindow(dc, dc);
        drawDc = reinterpret_cast<LPARAM>(dc);
        return;
    }
    if (!outermost) {
        drawDc = 0;  // a nested erase paints into the one already open
        return;
    }
    if (background == kNoColor && skin_.IsEmpty()) {
        // Nothing to compose: copying an unpainted bitmap would put stale pixels on screen.
        drawDc = reinterpret_cast<LPARAM>(dc);
        return;
    }
    RECT client{};
    ::GetClientRect(handle_, &client);
    bool temporary = false;
    eraseDc_ = CreateCompatibleDC(dc);
    eraseBitmap_ = eraseDc_ ? OffscreenBitmaps::Acquire(client.right, client.bottom, temporary) : nullptr;
    if (!eraseBitmap_) {
        // Without an off-screen bitmap the background goes straight to the screen.
        if (eraseDc_)
            DeleteDC(eraseDc_);
        eraseDc_ = nullptr;
        PaintWindow(dc, dc);
        drawDc = reinterpret_cast<LPARAM>(dc);
        return;
    }
    eraseTemporary_ = temporary;
    eraseOldBitmap_ = SelectObject(eraseDc_, eraseBitmap_);
    PaintWindow(dc, eraseDc_);
    drawDc = reinterpret_cast<LPARAM>(eraseDc_);
}

LRESULT Window::EndErase(HDC dc) {
    if (eraseDepth_ <= 0)
        return 1;
    if (--eraseDepth_ > 0 || !eraseDc_)
        return 1;
    RECT client{};
    ::GetClientRect(handle_, &client);
    if (dc)
        BitBlt(dc, 0, 0, client.right, client.bottom, eraseDc_, 0, 0, SRCCOPY);
    SelectObject(eraseDc_, eraseOldBitmap_);
    DeleteDC(eraseDc_);
    OffscreenBitmaps::Return(eraseBitmap_, eraseTemporary_);
    eraseDc_ = nullptr;
    eraseBitmap_ = nullptr;
    eraseOldBitmap_ = nullptr;
    return 1;
}

void Window::PaintDisabled() {
    HDC dc = GetDC(handle_);
    if (dc) {
        PaintWindow(dc, dc);
        ReleaseDC(handle_, dc);
    }
    ValidateRect(handle_, nullptr);
}

void Window::PaintWindow(HDC target, HDC draw) {
    if (!handle_ || !draw)
        return;
    if (target)
        ClipOpaqueChildren(target);
    if (!skin_.IsEmpty()) {
        if (IsFillColor(background))
            FillBackground(draw);
        if (!IsGraphicsStarted())
            return;
        Gdiplus::Graphics graphics(draw);
        PaintSkin(graphics, skin_, skinKey_, skinMargins_, GetClientWidth(), GetClientHeight());
        return;
    }
    if (background == kNoColor)
        return;
    if (background != kSeeThrough) {
        FillBackground(draw);
        return;
    }
    // See-through: the parent paints the area under this window. Only a child shows its
    // parent's pixels (an owned popup's owner may even belong to another thread).
    HWND parent = ::GetParent(handle_);
    if (!seeThroughRedraw_ || !parent || !(GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) || !FromHandle(parent))
        return;
    const RECT under = ChildRect(parent, handle_);
    RedrawWindow(parent, &under, nullptr, kRedrawNow | RDW_NOCHILDREN);
}

void Window::FillBackground(HDC draw) {
    RECT client{};
    ::GetClientRect(handle_, &client);
    GdiObject<HBRUSH> brush(CreateSolidBrush(ColorRefOf(background)));
    if (brush)
        FillRect(draw, &client, brush.Get());
}

void Window::ClipOpaqueChildren(HDC target) {
    Array<Window*> children;
    GetChildren(children, nullptr, false);
    for (int i = 0; i < children.Count(); i++) {
        Window* const child = children[i];
        HWND handle = child->Handle();
        if (!handle || !IsWindowVisible(handle) || !(GetWindowLongA(handle, GWL_STYLE) & WS_CHILD))
            continue;
        if (PaintsOverParent(child->kind) || child->background == kSeeThrough)
            continue;
        const RECT rect = ChildRect(handle_, handle);
        GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        if (region && GetWindowRgn(handle, region.Get()) != ERROR) {
            OffsetRgn(region.Get(), rect.left, rect.top);
            ExcludeRegion(target, region.Get());
        } else {
            ExcludeClipRect(target, rect.left, rect.top, rect.right, rect.bottom);
        }
    }
}

void Window::SetSkin(const Image* image, uint32_t key, const RECT* margins, bool redraw) {
    Image own;
    if (image == &skin_) {
        // The window's own skin given back: keep a copy across the release.
        CopySkin(own, skin_, skinKey_);
        image = &own;
    }
    skin_.Release();
    SetRectEmpty(&skinMargins_);
    skinKey_ = kNoColor;
    if (image && !image->IsEmpty()) {
        CopySkin(skin_, *image, key);
        if (margins)
            skinMargins_ = *margins;
        skinKey_ = key;
    }
    UpdateSkinRegion(nullptr);
    if (redraw && handle_)
        RedrawWindow(handle_, nullptr, nullptr, kRedrawNow);
}

void Window::SetSkinImage(const Image& image, bool redraw) {
    CopySkin(skin_, image, skinKey_);
    if (redraw && handle_)
        RedrawWindow(handle_, nullptr, nullptr, kRedrawNow);
}

void Window::UpdateSkinRegion(HRGN extra) {
    if (!handle_)
        return;
    HRGN shape = nullptr;
    if (extra) {
        shape = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(shape, extra, nullptr, RGN_COPY);
    }
    const int width = GetClientWidth();
    const int height = GetClientHeight();
    if (skin_.IsEmpty() || skinKey_ == kNoColor || !IsGraphicsStarted() || width <= 0 || height <= 0) {
        // No shape: the window is rectangular again.
        if (!SetWindowRgn(handle_, shape, TRUE) && shape)
            DeleteObject(shape);
        return;
    }
    Image canvas(width, height, Image::kPixelFormat32bppARGB);
    canvas.Clear(skinKey_);
    {
        Gdiplus::Graphics graphics(canvas.Bitmap());
        PaintSkin(graphics, skin_, skinKey_, skinMargins_, width, height);
    }
    GdiObject<HRGN> opaque(canvas.CreateRegion(skinKey_));
    GdiObject<HRGN> holes(CreateRectRgn(0, 0, width, height));
    if (opaque)
        CombineRgn(holes.Get(), holes.Get(), opaque.Get(), RGN_DIFF);
    // The region is in window coordinates: move the client-area holes past the frame.
    POINT origin{0, 0};
    ::ClientToScreen(handle_, &origin);
    RECT frame{};
    ::GetWindowRect(handle_, &frame);
    OffsetRgn(holes.Get(), origin.x - frame.left, origin.y - frame.top);
    if (!shape)
        shape = CreateRectRgn(0, 0, frame.right - frame.left, frame.bottom - frame.top);
    CombineRgn(shape, shape, holes.Get(), RGN_DIFF);
    if (!SetWindowRgn(handle_, shape, TRUE))
        DeleteObject(shape);
}

bool Window::Redraw(const RECT* rect, HRGN region, UINT flags) {
    if (!handle_)
        return false;
    const bool seeThrough = background == kSeeThrough;
    if (seeThrough)
        seeThroughRedraw_ = true;
    const bool done = RedrawWindow(handle_, rect, region, flags) != 0;
    if (seeThrough)
        seeThroughRedraw_ = false;
    return done;
}

void Window::ReleaseSkin() {
    skin_.Release();
    SetRectEmpty(&skinMargins_);
    skinKey_ = kNoColor;
    if (handle_)
        SetWindowRgn(handle_, nullptr, FALSE);
}
