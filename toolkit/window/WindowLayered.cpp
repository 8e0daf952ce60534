// Layered windows of Window: the layered style, the skin rendered into a premultiplied 32-bit
// picture, and the hand-over to the system's layered update with a constant opacity. The
// update function is looked up once at run time, so the toolkit still starts on systems that
// lack it; the library stays loaded until the program ends.
#include "toolkit/media/GdiplusApi.h"

#include <memory>

#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/LayeredBitmap.h"
#include "toolkit/window/SkinPainter.h"
#include "toolkit/window/Window.h"

namespace {

using UpdateLayeredWindowFunction =
    BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

// Thread-safe once: function-local statics are initialised under the compiler's guard.
UpdateLayeredWindowFunction LayeredUpdate() {
    static const UpdateLayeredWindowFunction function = []() -> UpdateLayeredWindowFunction {
        HMODULE user32 = LoadLibraryA("user32.dll");
        if (!user32)
            return nullptr;
        return reinterpret_cast<UpdateLayeredWindowFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
    }();
    return function;
}

}  // namespace

bool Window::SetLayered(bool on) {
    if (!handle_)
        return false;
    (void)LayeredUpdate();
    const LONG exStyle = GetWindowLongA(handle_, GWL_EXSTYLE);
    const LONG wanted = on ? (exStyle | WS_EX_LAYERED) : (exStyle & ~WS_EX_LAYERED);
    if (wanted == exStyle)
        return false;
    SetLastError(0);
    return SetWindowLongA(handle_, GWL_EXSTYLE, wanted) != 0 || GetLastError() == 0;
}

bool Window::RenderToMemory(LayeredBitmap& canvas) {
    if (!canvas.Create(GetWindowWidth(), GetWindowHeight()))
        return false;
    if (skin_.IsEmpty() || !IsGraphicsStarted())
        return true;
    std::unique_ptr<Gdiplus::Bitmap> target(canvas.NewGdiplusBitmap());
    if (!target)
        return false;
    {
        Gdiplus::Graphics graphics(target.get());
        PaintSkin(graphics, skin_, skinKey_, skinMargins_, canvas.Width(), canvas.Height());
    }
    return true;
}

bool Window::UpdateLayered(int opacity) {
    const UpdateLayeredWindowFunction update = LayeredUpdate();
    if (!update || !handle_)
        return false;
    LayeredBitmap canvas;
    if (!RenderToMemory(canvas))
        return false;
    RECT frame{};
    if (!GetWindowRect(frame))
        return false;
    POINT destination{frame.left, frame.top};
    SIZE size{canvas.Width(), canvas.Height()};
    POINT source{0, 0};
    BLENDFUNCTION blend{};
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = static_cast<BYTE>(opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity));
    blend.AlphaFormat = AC_SRC_ALPHA;
    GdiFlush();
    return update(handle_, nullptr, &destination, &size, canvas.Dc(), &source, 0, &blend, ULW_ALPHA) != 0;
}
