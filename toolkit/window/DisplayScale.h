// DisplayScale: the dots per inch a window is shown at, and sizes given in 96-DPI units turned
// into that window's pixels. The program declares per-monitor awareness, so each top-level
// window has its own DPI (it changes when the window moves to another monitor); where the
// system cannot tell a window's DPI (older systems, some Wine versions), the system DPI holds.
#pragma once

#include <windows.h>

constexpr int kBaseDpi = 96;

// GetDpiForWindow where the system has it, else the screen's logical DPI; 96 when neither answers.
int WindowDpi(HWND window);
int SystemDpi();
// A length in 96-DPI units at the DPI, rounded to the nearest pixel.
inline int ScaleToDpi(int length, int dpi) {
    return MulDiv(length, dpi, kBaseDpi);
}
RECT ScaleToDpi(const RECT& rect, int dpi);
// GetSystemMetricsForDpi where the system has it, else the system DPI's metric re-scaled.
int SystemMetricForDpi(int index, int dpi);
