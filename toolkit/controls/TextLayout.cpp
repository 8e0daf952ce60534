// TextLayout; see TextLayout.h.
#include "toolkit/controls/TextLayout.h"

#include <cwchar>
#include <cwctype>

namespace {

enum TagKind { TAG_NONE, TAG_BOLD, TAG_ITALIC, TAG_UNDERLINE, TAG_LINK, TAG_COLOR };

struct Tag {
    TagKind kind;
    bool closing;
    uint32_t color;
};

bool SameNoCase(const wchar_t* text, int length, const wchar_t* word) {
    const int n = static_cast<int>(wcslen(word));
    if (n != length)
        return false;
    for (int i = 0; i < n; i++) {
        if (towupper(text[i]) != word[i])
            return false;
    }
    return true;
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// The tag between "<" and ">" (inner excludes both), or TAG_NONE when it is plain text.
Tag ReadTag(const wchar_t* inner, int length) {
    const bool closing = length > 0 && inner[0] == L'/';
    const wchar_t* name = closing ? inner + 1 : inner;
    const int n = closing ? length - 1 : length;
    if (SameNoCase(name, n, L"B"))
        return {TAG_BOLD, closing, 0};
    if (SameNoCase(name, n, L"I"))
        return {TAG_ITALIC, closing, 0};
    if (SameNoCase(name, n, L"U"))
        return {TAG_UNDERLINE, closing, 0};
    if (SameNoCase(name, n, L"LINK"))
        return {TAG_LINK, closing, 0};
    if (n < 1 || name[0] != L'#')
        return {TAG_NONE, false, 0};
    if (closing)
        return {TAG_COLOR, true, 0};
    if (n != 7 && n != 9)
        return {TAG_NONE, false, 0};
    uint32_t bytes[4] = {0, 0, 0, 0xFF};
    for (int i = 0; i < (n - 1) / 2; i++) {
        const int high = HexValue(name[1 + 2 * i]);
        const int low = HexValue(name[2 + 2 * i]);
        if (high < 0 || low < 0)
            return {TAG_NONE, false, 0};
        bytes[i] = static_cast<uint32_t>(high * 16 + low);
    }
    return {TAG_COLOR, false, (bytes[3] << 24) | (bytes[0] << 16) | (bytes[1] << 8) | bytes[2]};
}

void Step(int& depth, bool closing) {
    depth = closing ? (depth > 0 ? depth - 1 : 0) : depth + 1;
}

}  // namespace

LOGFONTA TextLayout::RunFont(const LOGFONTA& base, const TextRun& run) {
    LOGFONTA font = base;
    font.lfWeight = run.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = run.italic ? TRUE : FALSE;
    font.lfUnderline = run.underline || run.link ? TRUE : FALSE;
    return font;
}

void TextLayout::Clear() {
    lines_.Free();
    runs_.Free();
    width_ = height_ = 0;
}

void TextLayout::AddPiece(Gdiplus::Graphics& graphics,
                          HDC dc,
                          const LOGFONTA& base,
                          const wchar_t* text,
                          int start,
                          int end) {
    if (end <= start)
        return;
    TextRun run{};
    run.start = start;
    run.length = end - start;
    run.bold = bold_ > 0;
    run.italic = italic_ > 0;
    run.underline = underline_ > 0;
    run.link = link_;
    run.color = link_ ? linkColor_ : colors_[colors_.Count() - 1];
    const LOGFONTA logFont = RunFont(base, run);
    Gdiplus::Font font(dc, &logFont);
    Gdiplus::RectF box;
    graphics.MeasureString(text + start, run.length, &font, Gdiplus::PointF(x_, 0), format_, &box);
    run.x = box.X;
    run.y = box.Y;
    run.width = box.Width;
    run.height = box.Height;
    x_ = box.X + box.Width;
    runs_.Append(run);
}

void TextLayout::Build(Gdiplus::Graphics& graphics,
                       HDC dc,
                       const LOGFONTA& baseFont,
                       const wchar_t* text,
                       int length,
                       uint32_t textColor,
                       uint32_t linkColor,
                       float startX) {
    Clear();
    bold_ = italic_ = underline_ = 0;
    link_ = false;
    colors_.Free();
    colors_.Append(textColor);
    linkColor_ = linkColor;
    if (!text || length <= 0)
        return;
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    format_ = &format;
    Gdiplus::Font plain(dc, &baseFont);
    const float emptyLineHeight = plain.GetHeight(&graphics);
    int lineStart = 0;
    while (lineStart <= length) {
        int lineEnd = lineStart;
        while (lineEnd < length && text[lineEnd] != L'\r' && text[lineEnd] != L'\n')
            lineEnd++;
        TextLine line{0, 0, runs_.Count(), 0};
        x_ = startX;
        int piece = lineStart;
        for (int open = lineStart; open < lineEnd; open++) {
            if (text[open] != L'<')
                continue;
            int close = open + 1;
            while (close < lineEnd && text[close] != L'>')
                close++;
            if (close >= lineEnd)
                break;
            const Tag tag = ReadTag(text + open + 1, close - open - 1);
            if (tag.kind == TAG_NONE)
                continue;
            AddPiece(graphics, dc, baseFont, text, piece, open);
            if (tag.kind == TAG_BOLD)
                Step(bold_, tag.closing);
            else if (tag.kind == TAG_ITALIC)
                Step(italic_, tag.closing);
            else if (tag.kind == TAG_UNDERLINE)
                Step(underline_, tag.closing);
            else if (tag.kind == TAG_LINK)
                link_ = !tag.closing;
            else if (!tag.closing)
                colors_.Append(tag.color);
            else if (colors_.Count() > 1)
                colors_.RemoveAt(colors_.Count() - 1);
            piece = close + 1;
            open = close;
        }
        AddPiece(graphics, dc, baseFont, text, piece, lineEnd);
        line.runCount = runs_.Count() - line.firstRun;
        for (int i = line.firstRun; i < runs_.Count(); i++) {
            line.width = runs_[i].x + runs_[i].width;
            if (runs_[i].height > line.height)
                line.height = runs_[i].height;
        }
        // An empty line still takes a line's height, so blank lines keep their space.
        if (line.runCount == 0)
            line.height = emptyLineHeight;
        lines_.Append(line);
        if (line.width > width_)
            width_ = line.width;
        height_ += line.height;
        if (lineEnd >= length)
            break;
        lineStart = lineEnd + (text[lineEnd] == L'\r' && lineEnd + 1 < length && text[lineEnd + 1] == L'\n' ? 2 : 1);
    }
    format_ = nullptr;
}
