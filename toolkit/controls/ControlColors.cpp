// Back-colour answers of the controls; see ControlColors.h.
#include "toolkit/controls/ControlColors.h"

#include "toolkit/window/Window.h"

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
    COLORREF color = background & 0xFFFFFF;
    if ((background & 0xFF000000) == 0xFE000000)
        color = GetSysColor(static_cast<int>(background & 0xFFFFFF));
    brush_ = CreateSolidBrush(color);
    if (setDcBack)
        SetBkColor(dc, color);
    return brush_;
}
