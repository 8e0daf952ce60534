// The nine-cell skin painter; see SkinPainter.h.
#include "toolkit/window/SkinPainter.h"

#include "toolkit/media/GdiplusApi.h"

#include <memory>

#include "toolkit/media/GdiplusColor.h"
#include "toolkit/media/Image.h"

using Gdiplus::Rect;

namespace {

void UseKey(Gdiplus::ImageAttributes& attributes, uint32_t key) {
    if (key == Image::kNoColor)
        return;
    const Gdiplus::Color argb(ToOpaqueArgb(key));
    attributes.SetColorKey(argb, argb);
}

bool IsEmptyArea(const Rect& area) {
    return area.Width <= 0 || area.Height <= 0;
}

class SkinCells {
public:
    SkinCells(Gdiplus::Graphics& graphics, const Image& skin, uint32_t key) : graphics_(graphics), skin_(skin) {
        UseKey(plain_, key);
        UseKey(tiled_, key);
        tiled_.SetWrapMode(Gdiplus::WrapModeTile, Gdiplus::Color(0xFF000000));
    }

    void Corner(const Rect& source, int x, int y) {
        if (IsEmptyArea(source))
            return;
        graphics_.DrawImage(skin_.Bitmap(), Rect(x, y, source.Width, source.Height), source.X, source.Y,
                            source.Width, source.Height, Gdiplus::UnitPixel, &plain_);
    }

    // The strip becomes a bitmap of its own, so the repetition never samples its neighbours.
    void Edge(const Rect& source, const Rect& destination) {
        if (IsEmptyArea(source) || IsEmptyArea(destination))
            return;
        Gdiplus::Bitmap* const bitmap = skin_.Bitmap();
        std::unique_ptr<Gdiplus::Bitmap> strip(bitmap->Clone(source, bitmap->GetPixelFormat()));
        if (!strip || strip->GetLastStatus() != Gdiplus::Ok)
            return;
        graphics_.DrawImage(strip.get(), destination, 0, 0, destination.Width, destination.Height,
                            Gdiplus::UnitPixel, &tiled_);
    }

private:
    Gdiplus::Graphics& graphics_;
    const Image& skin_;
    Gdiplus::ImageAttributes plain_;
    Gdiplus::ImageAttributes tiled_;
};

}  // namespace

void PaintSkin(Gdiplus::Graphics& graphics, const Image& skin, uint32_t key, const RECT& margins, int width,
               int height) {
    if (skin.IsEmpty() || width <= 0 || height <= 0)
        return;
    const int W = skin.Width();
    const int H = skin.Height();
    if (IsRectEmpty(&margins)) {
        skin.Draw(&graphics, Rect(0, 0, width, height));
        return;
    }
    const int L = margins.left, T = margins.top, R = margins.right, B = margins.bottom;
    const int rightWidth = W - R;
    const int bottomHeight = H - B;
    const int middleWidth = width - L - rightWidth;
    const int middleHeight = height - T - bottomHeight;

    // Cells are copied pixel for pixel; smoothing would blend each cell with its neighbours.
    const Gdiplus::InterpolationMode oldInterpolation = graphics.GetInterpolationMode();
    const Gdiplus::PixelOffsetMode oldOffset = graphics.GetPixelOffsetMode();
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    SkinCells cells(graphics, skin, key);
    cells.Corner(Rect(0, 0, L, T), 0, 0);
    cells.Corner(Rect(R, 0, rightWidth, T), width - rightWidth, 0);
    cells.Corner(Rect(0, B, L, bottomHeight), 0, height - bottomHeight);
    cells.Corner(Rect(R, B, rightWidth, bottomHeight), width - rightWidth, height - bottomHeight);
    cells.Edge(Rect(L, 0, R - L, T), Rect(L, 0, middleWidth, T));
    cells.Edge(Rect(L, B, R - L, bottomHeight), Rect(L, height - bottomHeight, middleWidth, bottomHeight));
    cells.Edge(Rect(0, T, L, B - T), Rect(0, T, L, middleHeight));
    cells.Edge(Rect(R, T, rightWidth, B - T), Rect(width - rightWidth, T, rightWidth, middleHeight));
    if (R - L > 0 && B - T > 0 && middleWidth > 0 && middleHeight > 0)
        skin.Draw(&graphics, Rect(L, T, middleWidth, middleHeight), Rect(L, T, R - L, B - T));
    graphics.SetInterpolationMode(oldInterpolation);
    graphics.SetPixelOffsetMode(oldOffset);
}
