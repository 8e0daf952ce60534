// Drawing helpers shared by the window framework, images, dialog definitions and controls
// (the text form of colour words is toolkit/base/ColorText.h, included here): the grey and brightness-shift
// colour transforms for disabled and highlighted pictures, the aspect-preserving fit
// rectangle, fonts in points with a four-bit style code, GDI gradients and GDI+ text with an
// optional one-pixel shadow. Colours are 0x00BBGGRR unless named ARGB. All are stateless.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/ColorText.h"
#include "toolkit/base/String.h"

namespace Gdiplus {
class Graphics;
class Font;
class StringFormat;
class Brush;
}  // namespace Gdiplus

// Font style code bits.
constexpr uint32_t kFontBold = 0x1;
constexpr uint32_t kFontItalic = 0x2;
constexpr uint32_t kFontUnderline = 0x4;
constexpr uint32_t kFontStrikeout = 0x8;

uint32_t GreyOf(uint32_t color);
uint32_t ShiftBrightness(uint32_t color, int amount);
// The largest rectangle of the picture's aspect ratio inside `rect`, centred.
RECT FitRect(const RECT& rect, int pictureWidth, int pictureHeight);

uint32_t FontStyleOf(const LOGFONTA& font);
void FillLogFont(LOGFONTA* font, const char* faceName, int points, uint32_t style);
// Height from the context's vertical resolution (the screen's when dc is null). Caller deletes.
HFONT CreateFontPoints(HDC dc, const char* faceName, int points, uint32_t style);
HFONT CreateFontHeight(const char* faceName, int height, uint32_t style);
// Average character width and height of the font on the screen.
SIZE GetFontMetrics(HFONT font);

// Two-vertex gradient from colour1 (top-left) to colour2 (bottom-right).
bool GradientFillRect(HDC dc, const RECT& rect, uint32_t color1, uint32_t color2, bool vertical);
bool GradientFillGraphics(Gdiplus::Graphics* graphics,
                          const RECT& rect,
                          uint32_t color1,
                          uint32_t color2,
                          bool vertical);

// Draws the text (with a shadow one pixel right and down when shadowBrush is given); null
// format and brush mean a default format and opaque black. `bounds` receives the measured text.
void DrawTextShadowed(Gdiplus::Graphics* graphics,
                      const char* text,
                      const Gdiplus::Font* font,
                      const RECT& rect,
                      const Gdiplus::StringFormat* format,
                      const Gdiplus::Brush* brush,
                      const Gdiplus::Brush* shadowBrush,
                      RECT* bounds);
