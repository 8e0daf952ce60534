// Painting of the skinned child windows: the background picture recoloured with the user's
// child-window colour and opacity, and the centred text of messages and questions. Pure
// picture work; the windows themselves are in ChildWindow.
#pragma once

#include <windows.h>

#include <cstdint>

class Image;

// One pixel (ARGB) recoloured: white takes the colour (0x00BBGGRR) exactly, darker pixels are
// darkened in proportion to their darkness and the colour's brightest channel, and every pixel
// loses 255 - opacity of its alpha.
uint32_t RecolorChildPixel(uint32_t argb, uint32_t color, uint32_t opacity);
// Recolours the whole picture in place (made 32-bit ARGB first); false when it has no pixels.
// Pixels that cannot be read count as opaque black.
bool RecolorChildBackground(Image& picture, uint32_t color, uint32_t opacity);

// The text in "courier new" (or the generic sans-serif family where that is missing), dark
// blue, centred in area (pixels). A text too large for the area at 14 points is set in the
// largest smaller size that fits, so no part of a message is lost; the result is that point
// size. Points are of a 96-DPI picture, multiplied by scale for a picture drawn larger.
float DrawChildText(Image& picture, const char* text, const RECT& area, float scale = 1.0f);
