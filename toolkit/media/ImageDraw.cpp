// Image::Draw: fits the picture into a destination rectangle by the image's draw mode, keeps
// key-coloured pixels out, and fills what the picture leaves uncovered with the background.
#include "toolkit/media/Image.h"

#include "toolkit/media/GdiplusApi.h"

#include <memory>

#include "toolkit/media/DrawingHelpers.h"
#include "toolkit/media/GdiplusColor.h"

using Gdiplus::Rect;

namespace {

void UseKey(Gdiplus::ImageAttributes* attributes, uint32_t key) {
    if (key != Image::kNoColor) {
        const Gdiplus::Color argb(ToOpaqueArgb(key));
        attributes->SetColorKey(argb, argb);
    }
}

}  // namespace

bool Image::ResampleFrom(const Image& source, int width, int height) {
    if (source.IsEmpty() || width <= 0 || height <= 0 || &source == this)
        return false;
    std::unique_ptr<Gdiplus::Bitmap> target(new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
    if (target->GetLastStatus() != Gdiplus::Ok)
        return false;
    {
        Gdiplus::Graphics graphics(target.get());
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        // Mirrored edges: the filter would otherwise fade the border pixels towards nothing.
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        if (graphics.DrawImage(source.bitmap_, Rect(0, 0, width, height), 0, 0, source.Width(), source.Height(),
                               Gdiplus::UnitPixel, &attributes) != Gdiplus::Ok)
            return false;
    }
    Adopt(target.release());
    return bitmap_ != nullptr;
}

void Image::Draw(Gdiplus::Graphics* graphics, const Rect& destination) const {
    Draw(graphics, destination, Rect(0, 0, -1, -1));
}

void Image::FillAround(Gdiplus::Graphics* graphics, const Rect& destination, const Rect& picture) const {
    if (!IsFillColor(background_)) {
        return;
    }
    Gdiplus::Region saved;
    graphics->GetClip(&saved);
    graphics->ExcludeClip(picture);
    Gdiplus::SolidBrush brush{Gdiplus::Color(ToOpaqueArgb(background_))};
    graphics->FillRectangle(&brush, destination);
    graphics->SetClip(&saved);
}

void Image::Draw(Gdiplus::Graphics* graphics, const Rect& destination, const Rect& sourceArea) const {
    if (!bitmap_ || !graphics) {
        return;
    }
    Rect source = sourceArea;
    if (source.Width < 0 || source.Height < 0) {
        source = Rect(0, 0, Width(), Height());
    }
    Gdiplus::ImageAttributes attributes;
    UseKey(&attributes, key_);
    const Gdiplus::ImageAttributes* keyed = key_ != kNoColor ? &attributes : nullptr;
    auto drawInto = [&](const Rect& target) {
        graphics->DrawImage(bitmap_, target, source.X, source.Y, source.Width, source.Height, Gdiplus::UnitPixel,
                            keyed);
    };
    const Rect& d = destination;

    switch (mode_) {
        case kModeCentre: {
            const Rect picture((2 * d.X + d.Width) / 2 - source.Width / 2, (2 * d.Y + d.Height) / 2 - source.Height / 2,
                               source.Width, source.Height);
            drawInto(picture);
            FillAround(graphics, d, picture);
            break;
        }
        case kModeStretch:
            drawInto(d);
            break;
        case kModeTile: {
            // The tile is a bitmap of its own so that wrapping never samples beyond the area.
            std::unique_ptr<Gdiplus::Bitmap> tile(bitmap_->Clone(source, bitmap_->GetPixelFormat()));
            if (!tile || tile->GetLastStatus() != Gdiplus::Ok) {
                return;
            }
            Gdiplus::ImageAttributes tiling;
            tiling.SetWrapMode(Gdiplus::WrapModeTile);
            UseKey(&tiling, key_);
            graphics->DrawImage(tile.get(), d, 0, 0, d.Width, d.Height, Gdiplus::UnitPixel, &tiling);
            break;
        }
        case kModeFit: {
            const RECT area = {d.X, d.Y, d.X + d.Width, d.Y + d.Height};
            const RECT fit = FitRect(area, source.Width, source.Height);
            const Rect picture(fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top);
            drawInto(picture);
            FillAround(graphics, d, picture);
            break;
        }
        default: {
            const Rect picture(d.X, d.Y, source.Width, source.Height);
            drawInto(picture);
            FillAround(graphics, d, picture);
            break;
        }
    }
}
