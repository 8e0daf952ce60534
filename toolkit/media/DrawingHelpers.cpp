// Colour words, colour transforms, fit rectangle, fonts, gradients and shadowed text.
#include "toolkit/media/DrawingHelpers.h"

#include "toolkit/media/GdiplusApi.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

int Round(double x) {
    return static_cast<int>(std::lround(x));
}

int Luma(uint32_t c) {
    return Round(0.299 * ColorRed(c) + 0.587 * ColorGreen(c) + 0.114 * ColorBlue(c));
}

int ScreenLogPixelsY(HDC dc) {
    if (dc) {
        return GetDeviceCaps(dc, LOGPIXELSY);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT CreateFontFromStyle(const char* faceName, int height, uint32_t style) {
    return CreateFontA(height, 0, 0, 0, (style & kFontBold) ? FW_BOLD : 0, (style & kFontItalic) ? TRUE : FALSE,
                       (style & kFontUnderline) ? TRUE : FALSE, (style & kFontStrikeout) ? TRUE : FALSE, 0, 0, 0, 0, 0,
                       faceName);
}

// A gradient vertex channel is 16 bits; 8-bit c maps to (c + 1) * 255 (0 -> 0x00FF, 255 -> 0xFF00).
COLOR16 VertexChannel(int c) {
    return static_cast<COLOR16>((c + 1) * 255);
}

}  // namespace

uint32_t GreyOf(uint32_t color) {
    const int y = Luma(color);
    const int red = Round(y * 1079.05 * 0.000661 * 1.40169);
    return ColorOf(red, y, y);
}

uint32_t ShiftBrightness(uint32_t color, int amount) {
    const int r = ColorRed(color);
    const int g = ColorGreen(color);
    const int b = ColorBlue(color);
    int y = Luma(color) + amount;
    y = y < 0 ? 0 : (y > 255 ? 255 : y);
    const int cr = static_cast<int8_t>(static_cast<uint8_t>(-Round(0.081 * b + 0.419 * g - 0.5 * r)));
    const int cb = static_cast<int8_t>(static_cast<uint8_t>(-Round(0.331 * g - 0.5 * b + 0.169 * r)));
    const int r2 = Round((cr - (cb - 1079.05 * y) * 0.000661) * 1.40169);
    const int g2 = Round(y - (0.714169 * cr + 0.343695 * cb));
    const int b2 = Round(1.77216 * cb + 0.00099 * cr + y);
    return ColorOf(r2, g2, b2);
}

RECT FitRect(const RECT& rect, int pictureWidth, int pictureHeight) {
    const double ratio = pictureHeight < 1 ? 1.0 : static_cast<double>(pictureWidth) / pictureHeight;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int fitHeight = Round(width / ratio);
    RECT result = rect;
    if (fitHeight > height) {
        const int fitWidth = Round(height * ratio);
        result.left = width / 2 - fitWidth / 2 + rect.left;
        result.right = result.left + fitWidth;
    } else {
        result.top = height / 2 - fitHeight / 2 + rect.top;
        result.bottom = result.top + fitHeight;
    }
    return result;
}

uint32_t FontStyleOf(const LOGFONTA& font) {
    uint32_t style = 0;
    if (font.lfWeight == FW_BOLD) {
        style |= kFontBold;
    }
    if (font.lfItalic) {
        style |= kFontItalic;
    }
    if (font.lfUnderline) {
        style |= kFontUnderline;
    }
    if (font.lfStrikeOut) {
        style |= kFontStrikeout;
    }
    return style;
}

void FillLogFont(LOGFONTA* font, const char* faceName, int points, uint32_t style) {
    memset(font, 0, sizeof(*font));
    if (faceName) {
        strncpy(font->lfFaceName, faceName, LF_FACESIZE - 1);  // at most 31 characters, always terminated
    }
    font->lfHeight = -MulDiv(points, ScreenLogPixelsY(nullptr), 72);
    font->lfWeight = (style & kFontBold) ? FW_BOLD : 0;
    font->lfItalic = (style & kFontItalic) ? TRUE : FALSE;
    font->lfUnderline = (style & kFontUnderline) ? TRUE : FALSE;
    font->lfStrikeOut = (style & kFontStrikeout) ? TRUE : FALSE;
}

HFONT CreateFontPoints(HDC dc, const char* faceName, int points, uint32_t style) {
    return CreateFontFromStyle(faceName, -MulDiv(points, ScreenLogPixelsY(dc), 72), style);
}

HFONT CreateFontHeight(const char* faceName, int height, uint32_t style) {
    return CreateFontFromStyle(faceName, height, style);
}

SIZE GetFontMetrics(HFONT font) {
    SIZE size = {0, 0};
    HDC screen = GetDC(nullptr);
    if (!screen) {
        return size;
    }
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics;
    if (GetTextMetricsA(screen, &metrics)) {
        size.cx = metrics.tmAveCharWidth;
        size.cy = metrics.tmHeight;
    }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size;
}

bool GradientFillRect(HDC dc, const RECT& rect, uint32_t color1, uint32_t color2, bool vertical) {
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rect.left;
    vertices[0].y = rect.top;
    vertices[0].Red = VertexChannel(ColorRed(color1));
    vertices[0].Green = VertexChannel(ColorGreen(color1));
    vertices[0].Blue = VertexChannel(ColorBlue(color1));
    vertices[1].x = rect.right;
    vertices[1].y = rect.bottom;
    vertices[1].Red = VertexChannel(ColorRed(color2));
    vertices[1].Green = VertexChannel(ColorGreen(color2));
    vertices[1].Blue = VertexChannel(ColorBlue(color2));
    GRADIENT_RECT mesh = {0, 1};
    return GradientFill(dc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H) != FALSE;
}

bool GradientFillGraphics(Gdiplus::Graphics* graphics,
                          const RECT& rect,
                          uint32_t color1,
                          uint32_t color2,
                          bool vertical) {
    if (!graphics) {
        return false;
    }
    HDC dc = graphics->GetHDC();
    if (!dc) {
        return false;
    }
    const bool filled = GradientFillRect(dc, rect, color1, color2, vertical);
    graphics->ReleaseHDC(dc);
    return filled;
}

void DrawTextShadowed(Gdiplus::Graphics* graphics,
                      const char* text,
                      const Gdiplus::Font* font,
                      const RECT& rect,
                      const Gdiplus::StringFormat* format,
                      const Gdiplus::Brush* brush,
                      const Gdiplus::Brush* shadowBrush,
                      RECT* bounds) {
    if (!graphics) {
        return;
    }
    String copy(text ? text : "");
    const wchar_t* wide = copy.ToWide();
    const Gdiplus::RectF layout(static_cast<float>(rect.left), static_cast<float>(rect.top),
                                static_cast<float>(rect.right - rect.left), static_cast<float>(rect.bottom - rect.top));
    if (bounds) {
        Gdiplus::RectF measured;
        graphics->MeasureString(wide, -1, font, layout, &measured);
        bounds->left = Round(measured.X);
        bounds->top = Round(measured.Y);
        bounds->right = Round(measured.X + measured.Width);
        bounds->bottom = Round(measured.Y + measured.Height);
    }
    const Gdiplus::StringFormat defaultFormat(0, LANG_NEUTRAL);
    const Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
    const Gdiplus::StringFormat* useFormat = format ? format : &defaultFormat;
    const Gdiplus::Brush* useBrush = brush ? brush : &black;
    if (shadowBrush) {
        const Gdiplus::RectF shadow(layout.X + 1, layout.Y + 1, layout.Width, layout.Height);
        graphics->DrawString(wide, -1, font, shadow, useFormat, shadowBrush);
    }
    graphics->DrawString(wide, -1, font, layout, useFormat, useBrush);
}
