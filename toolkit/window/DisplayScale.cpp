// The DPI of windows and metrics at a DPI; see DisplayScale.h. The per-window functions are
// looked up at run time: they exist from Windows 10 1607 on, and the program starts earlier.
#include "toolkit/window/DisplayScale.h"

namespace {

using DpiForWindowFunction = UINT(WINAPI*)(HWND);
using MetricForDpiFunction = int(WINAPI*)(int, UINT);

FARPROC User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? GetProcAddress(user32, name) : nullptr;
}

// Thread-safe once: function-local statics are initialised under the compiler's guard.
DpiForWindowFunction DpiForWindow() {
    static const auto function =
        reinterpret_cast<DpiForWindowFunction>(reinterpret_cast<void*>(User32Function("GetDpiForWindow")));
    return function;
}

MetricForDpiFunction MetricForDpi() {
    static const auto function =
        reinterpret_cast<MetricForDpiFunction>(reinterpret_cast<void*>(User32Function("GetSystemMetricsForDpi")));
    return function;
}

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen)
        return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(HWND window) {
    const DpiForWindowFunction forWindow = DpiForWindow();
    const int dpi = forWindow && window ? static_cast<int>(forWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

RECT ScaleToDpi(const RECT& rect, int dpi) {
    return RECT{ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.right, dpi),
                ScaleToDpi(rect.bottom, dpi)};
}

int SystemMetricForDpi(int index, int dpi) {
    const MetricForDpiFunction forDpi = MetricForDpi();
    if (forDpi)
        return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}
