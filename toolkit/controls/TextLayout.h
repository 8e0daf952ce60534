// TextLayout: the measured form of a text control's content in tag mode, and the tag
// language itself. A tag is "<B>", "<I>", "<U>", "<LINK>" or a colour "<#RRGGBB>" /
// "<#RRGGBBAA>" (alpha last), each closed by its "</...>" form ("</#" closes a colour); tags
// are read without regard to case, never span lines, and anything else between "<" and ">"
// is plain text. Layout lines break only at the text's own line breaks.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/media/GdiplusApi.h"

struct TextRun {
    int start;  // in the wide text
    int length;
    float x, y, width, height;  // x from the line's left, as measured
    bool bold, italic, underline, link;
    uint32_t color;  // 0xAARRGGBB
};

struct TextLine {
    float width, height;
    int firstRun, runCount;
};

class TextLayout {
public:
    // Lays the wide text out with the given base font (a GDI font description) and colours.
    void Build(Gdiplus::Graphics& graphics,
               HDC dc,
               const LOGFONTA& baseFont,
               const wchar_t* text,
               int length,
               uint32_t textColor,
               uint32_t linkColor,
               float startX);
    void Clear();

    const Array<TextLine>& Lines() const { return lines_; }
    const Array<TextRun>& Runs() const { return runs_; }
    float Width() const { return width_; }
    float Height() const { return height_; }

    // The font of a run: the base font with the run's weight, slant and underline.
    static LOGFONTA RunFont(const LOGFONTA& base, const TextRun& run);

private:
    void AddPiece(Gdiplus::Graphics& graphics, HDC dc, const LOGFONTA& base, const wchar_t* text, int start, int end);

    Array<TextLine> lines_;
    Array<TextRun> runs_;
    float width_ = 0;
    float height_ = 0;
    // Layout state while building.
    int bold_ = 0, italic_ = 0, underline_ = 0;
    bool link_ = false;
    Array<uint32_t> colors_;
    uint32_t linkColor_ = 0;
    float x_ = 0;
    const Gdiplus::StringFormat* format_ = nullptr;
};
