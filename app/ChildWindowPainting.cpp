// Recolouring and text of the child windows; see ChildWindowPainting.h.
#include "app/ChildWindowPainting.h"

#include "toolkit/media/GdiplusApi.h"

#include <memory>

#include "toolkit/base/String.h"
#include "toolkit/media/Image.h"
#include "toolkit/window/Lock.h"

namespace {

constexpr float kTextPoints = 14.0f;
constexpr float kSmallestTextPoints = 6.0f;
constexpr Gdiplus::ARGB kTextColor = 0xFF000060;

uint32_t ClampedChannel(int value) {
    return value < 0 ? 0 : static_cast<uint32_t>(value);
}

// The fallback family is asked of GDI+ once and kept, whichever thread needs it first.
const Gdiplus::FontFamily* SansSerifFamily() {
    static CriticalSection lock;
    static const Gdiplus::FontFamily* family = nullptr;
    ScopedLock hold(lock);
    if (!family)
        family = Gdiplus::FontFamily::GenericSansSerif();
    return family;
}

// A font of the text family at the size; where that family or font cannot be made, the
// generic sans-serif family; where the system has neither (a bare Wine), the first installed
// family, so a message is never left without its text.
// The size is given in pixels (points at 96 DPI, times the picture's scale): a picture's own
// resolution, which GDI+ would apply to points, differs between systems.
std::unique_ptr<Gdiplus::Font> MakeTextFont(const Gdiplus::FontFamily& preferred, float points, float scale) {
    std::unique_ptr<Gdiplus::Font> font;
    const float pixels = points * scale * 96.0f / 72.0f;
    auto make = [&font, pixels](const Gdiplus::FontFamily* family) {
        if (!family || !family->IsAvailable())
            return false;
        font.reset(new Gdiplus::Font(family, pixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel));
        return font->IsAvailable() != FALSE;
    };
    if (make(&preferred) || make(SansSerifFamily()))
        return font;
    Gdiplus::InstalledFontCollection installed;
    Gdiplus::FontFamily first;
    INT found = 0;
    if (installed.GetFamilies(1, &first, &found) == Gdiplus::Ok && found == 1 && make(&first))
        return font;
    return nullptr;
}

// Whether the whole text fits the layout rectangle at this font.
bool TextFits(Gdiplus::Graphics& graphics,
              const wchar_t* text,
              int length,
              const Gdiplus::Font& font,
              const Gdiplus::RectF& layout,
              const Gdiplus::StringFormat& format) {
    Gdiplus::RectF bounds;
    INT fitted = 0;
    INT lines = 0;
    if (graphics.MeasureString(text, length, &font, layout, &format, &bounds, &fitted, &lines) != Gdiplus::Ok)
        return true;
    return fitted >= length && bounds.Height <= layout.Height + 0.5f;
}

}  // namespace

uint32_t RecolorChildPixel(uint32_t argb, uint32_t color, uint32_t opacity) {
    const int r = static_cast<int>(color & 0xFF);
    const int g = static_cast<int>((color >> 8) & 0xFF);
    const int b = static_cast<int>((color >> 16) & 0xFF);
    int brightest = r > g ? r : g;
    brightest = brightest > b ? brightest : b;
    const int pixelRed = static_cast<int>((argb >> 16) & 0xFF);
    // Each product is rounded to a double before the next step, as IEEE arithmetic does; the
    // x87 unit would otherwise keep extra bits and darken some pixels by one less. Both
    // products are exact in the x87 format, so the stores round once, like SSE would.
    volatile double scaled = (255 - pixelRed) * (1.0 / 255.0);
    volatile double product = scaled * brightest;
    const int darkening = static_cast<int>(product);
    const uint32_t alpha = ClampedChannel(static_cast<int>(argb >> 24) + static_cast<int>(opacity) - 255);
    return (alpha << 24) | (ClampedChannel(r - darkening) << 16) | (ClampedChannel(g - darkening) << 8) |
           ClampedChannel(b - darkening);
}

bool RecolorChildBackground(Image& picture, uint32_t color, uint32_t opacity) {
    if (picture.IsEmpty())
        return false;
    const int width = picture.Width();
    const int height = picture.Height();
    if (picture.PixelFormat() != Image::kPixelFormat32bppARGB) {
        Image converted(width, height);
        if (converted.IsEmpty())
            return false;
        Gdiplus::Graphics graphics(converted.Bitmap());
        graphics.DrawImage(picture.Bitmap(), Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                           Gdiplus::UnitPixel);
        picture.CopyFrom(converted);
        if (picture.IsEmpty())
            return false;
    }
    Gdiplus::Rect whole(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (picture.Bitmap()->LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                                   PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return picture.FillRect(whole, RecolorChildPixel(0xFF000000, color, opacity));
    }
    for (int y = 0; y < height; y++) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < width; x++)
            row[x] = RecolorChildPixel(row[x], color, opacity);
    }
    return picture.Bitmap()->UnlockBits(&data) == Gdiplus::Ok;
}

float DrawChildText(Image& picture, const char* text, const RECT& area, float scale) {
    if (picture.IsEmpty() || !text || !*text)
        return 0.0f;
    String copy(text);
    const wchar_t* wide = copy.ToWide();
    const int length = lstrlenW(wide);
    Gdiplus::Graphics graphics(picture.Bitmap());
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    const Gdiplus::RectF layout(static_cast<float>(area.left), static_cast<float>(area.top),
                                static_cast<float>(area.right - area.left), static_cast<float>(area.bottom - area.top));
    const Gdiplus::FontFamily preferred(L"courier new");
    float points = kTextPoints;
    std::unique_ptr<Gdiplus::Font> font = MakeTextFont(preferred, points, scale);
    while (font && points > kSmallestTextPoints && !TextFits(graphics, wide, length, *font, layout, format)) {
        points -= 1.0f;
        font = MakeTextFont(preferred, points, scale);
    }
    if (!font)
        return 0.0f;
    const Gdiplus::SolidBrush brush{Gdiplus::Color(kTextColor)};
    graphics.DrawString(wide, length, font.get(), layout, &format, &brush);
    return points;
}
