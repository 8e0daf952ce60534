// The nine-cell skin painter: a skin picture spread over an area of any size. The corner cells
// are drawn 1:1, the four edge cells repeat along their sides, and the centre cell is drawn by
// the picture's own rule (draw mode, background, key). Pixels of the key colour stay out.
#pragma once

#include <windows.h>

#include <cstdint>

class Image;
namespace Gdiplus {
class Graphics;
}

// margins: the centre cell, columns left..right and rows top..bottom of the skin; an empty
// rectangle draws the whole skin by its own rule. key: 0x00BBGGRR, or Image::kNoColor.
void PaintSkin(Gdiplus::Graphics& graphics, const Image& skin, uint32_t key, const RECT& margins, int width,
               int height);
