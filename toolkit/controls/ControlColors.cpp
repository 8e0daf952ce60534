// Back-colour answers of the controls; see ControlColors.h.
#include "toolkit/controls/ControlColors.h"

#include "toolkit/media/GdiplusColor.h"
#include "toolkit/window/Window.h"

HBRUSH SystemBackAnswer(HDC dc, int systemColor) {
    SetBkColor(dc, GetSysColor(systemColor));
    return GetSysColorBrush(systemColor);
}

void OwnedBrush::Reset() {
    if (brush_)
        DeleteObject(brush_);
    brush_ = nullptr;
}

HBRUSH OwnedBrush::Answer(uint32_t background, HDC dc, bool setDcBack) {
    Reset();
    if (background == Window::kNoColor)
        return nullptr;
    if (background == Window::kSeeThrough) {
        if (setDcBack)
            SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    const COLORREF color = ColorRefOf(background);
    brush_ = CreateSolidBrush(color);
    if (setDcBack)
        SetBkColor(dc, color);
    return brush_;
}
