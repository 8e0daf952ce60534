// TextControl: messages, layout, painting and links. The text is painted while the
// background is erased, into the off-screen context the window framework hands over in the
// erase's lParam when there is one (so that the final copy to the screen carries the text),
// otherwise into the erase's own context after the background.
#include "toolkit/controls/TextControl.h"

#include <cstdlib>
#include <cstring>

#include "toolkit/base/FileSystem.h"
#include "toolkit/base/TextCodec.h"
#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"
#include "toolkit/media/GdiplusColor.h"
#include "toolkit/window/Toolkit.h"

namespace {

Gdiplus::StringAlignment Alignment(int value, int farValue) {
    if (value == farValue)
        return Gdiplus::StringAlignmentFar;
    return value == 4 ? Gdiplus::StringAlignmentCenter : Gdiplus::StringAlignmentNear;
}

bool StartsWithNoCase(const char* text, const char* prefix) {
    return _strnicmp(text, prefix, strlen(prefix)) == 0;
}

}  // namespace

TextControl::TextControl()
    : textColor_(ArgbOf(GetSysColor(COLOR_WINDOWTEXT))), linkColor_(ArgbOf(GetSysColor(COLOR_HIGHLIGHT))) {
    kind = KIND_TEXT;
}

TextControl::~TextControl() {
    // Destroyed here, while this class still answers WM_DESTROY, so its timer goes too.
    Destroy();
    free(wide_);
}

String TextControl::LinkTarget(const char* linkText) {
    if (!linkText || !*linkText)
        return String();
    if (StartsWithNoCase(linkText, "http://") || StartsWithNoCase(linkText, "https://") ||
        StartsWithNoCase(linkText, "mailto:"))
        return String(linkText);
    // A bare address: anything with a scheme of its own ("file:", "javascript:") is refused.
    if (strchr(linkText, '@') && !strchr(linkText, ':'))
        return String("mailto:") + linkText;
    return String();
}

void TextControl::OpenLink(const char* target) {
    // A link that opens nothing has no one to tell: the text stays as it was.
    (void)FileSystem().ShellOpen(target, String(), SW_SHOWNORMAL);
}

LRESULT TextControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SWND_CREATED: {
            background = GetSysColor(COLOR_BTNFACE);
            const String caption = GetText();
            SetText(caption);
            break;
        }
        case WM_SETTEXT: {
            // A wide window: the text arrives in UTF-16, whichever call set it.
            text_ = lParam ? Utf8FromWide(reinterpret_cast<const wchar_t*>(lParam)) : String();
            free(wide_);
            wide_ = text_.NewWide();
            wideLength_ = wide_ ? static_cast<int>(wcslen(wide_)) : 0;
            LayOut();
            const LRESULT result = Window::OnMessage(message, wParam, lParam);
            Redraw();
            return result;
        }
        case WM_SIZE:
        case WM_SETFONT: {
            const LRESULT result = Window::OnMessage(message, wParam, lParam);
            LayOut();
            return result;
        }
        case WM_ENABLE:
            Redraw();
            break;
        case WM_ERASEBKGND: {
            erased_ = true;
            HDC offscreen = reinterpret_cast<HDC>(lParam);
            if (offscreen) {
                Paint(offscreen);
                return Window::OnMessage(message, wParam, lParam);
            }
            const LRESULT result = Window::OnMessage(message, wParam, lParam);
            Paint(reinterpret_cast<HDC>(wParam));
            return result;
        }
        case WM_PRINTCLIENT:
            SendMessageA(Handle(), WM_ERASEBKGND, wParam, 0);
            return 0;
        case WM_PAINT: {
            // The text is painted with the background; an invalidation without erase would
            // leave both out, so they are painted here then.
            erased_ = false;
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            if (dc && !erased_)
                SendMessageA(Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_TIMER:
            if (wParam != kScrollTimer)
                break;
            ScrollStep();
            return 0;
        case WM_MOUSEMOVE:
            if (tags_)
                UpdateCursor();
            break;
        case WM_LBUTTONDOWN:
            if (tags_) {
                UpdateCursor();
                const int link = LinkAt(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
                const String target = link >= 0 ? LinkTarget(linkTexts_.At(link)) : String();
                if (!target.IsEmpty())
                    OpenLink(target);
            }
            ReportMouse(*this, WM_SWND_TEXTMOUSE, message, lParam);
            break;
        case WM_DESTROY:
            KillTimer(Handle(), kScrollTimer);
            scrolling_ = false;
            break;
        default:
            ReportMouse(*this, WM_SWND_TEXTMOUSE, message, lParam);
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void TextControl::SetWrapping(bool on) {
    if (wrapping_ == on)
        return;
    wrapping_ = on;
    LayOut();
    Redraw();
}

void TextControl::SetTags(bool on) {
    if (tags_ == on)
        return;
    tags_ = on;
    LayOut();
    Redraw();
}

void TextControl::SetMargins(int left, int top, int right, int bottom) {
    const int values[4] = {left, top, right, bottom};
    for (int i = 0; i < 4; i++)
        margins_[i] = values[i] < 0 ? 0 : values[i];
}

void TextControl::Redraw() {
    if (Handle())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool TextControl::GetBaseFont(HDC dc, LOGFONTA& font) const {
    HFONT handle = Font();
    if (handle && GetObjectA(handle, sizeof(font), &font) == sizeof(font))
        return true;
    return GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font) == sizeof(font);
}

void TextControl::LayOut() {
    if (!Handle())
        return;
    HDC dc = GetDC(Handle());
    if (!dc)
        return;
    LOGFONTA font{};
    if (GetBaseFont(dc, font)) {
        Gdiplus::Graphics graphics(dc);
        if (tags_) {
            layout_.Build(graphics, dc, font, wide_, wideLength_, textColor_, linkColor_, 0);
            textWidth_ = layout_.Width();
            textHeight_ = layout_.Height();
        } else {
            Gdiplus::Font gdiFont(dc, &font);
            Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
            format.SetFormatFlags(Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                                  (wrapping_ ? 0 : Gdiplus::StringFormatFlagsNoWrap));
            RECT client{};
            ::GetClientRect(Handle(), &client);
            const Gdiplus::RectF area(0, 0, static_cast<float>(client.right), static_cast<float>(client.bottom));
            Gdiplus::RectF box;
            graphics.MeasureString(wide_ ? wide_ : L"", wideLength_, &gdiFont, area, &format, &box);
            textWidth_ = box.Width;
            textHeight_ = box.Height;
        }
    }
    ReleaseDC(Handle(), dc);
}

void TextControl::Paint(HDC dc) {
    if (!dc || !Handle())
        return;
    RECT client{};
    ::GetClientRect(Handle(), &client);
    Gdiplus::Graphics graphics(dc);
    if (tags_)
        PaintTags(graphics, dc, client);
    else
        PaintPlain(graphics, dc, client);
}

void TextControl::PaintPlain(Gdiplus::Graphics& graphics, HDC dc, const RECT& client) {
    if (!wide_ || wideLength_ == 0)
        return;
    LOGFONTA logFont{};
    if (!GetBaseFont(dc, logFont))
        return;
    Gdiplus::Font font(dc, &logFont);
    Gdiplus::Font fallback(dc);
    Gdiplus::Font* usable = font.GetLastStatus() == Gdiplus::Ok ? &font : &fallback;
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetFormatFlags(Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                          (wrapping_ ? 0 : Gdiplus::StringFormatFlagsNoWrap));
    format.SetAlignment(Alignment(horizontalAlign_, 1));
    format.SetLineAlignment(Alignment(verticalAlign_, 3));
    const Gdiplus::RectF area(static_cast<float>(offsetX_ + margins_[0]), static_cast<float>(offsetY_ + margins_[1]),
                              static_cast<float>(client.right - margins_[0] - margins_[2]),
                              static_cast<float>(client.bottom - margins_[1] - margins_[3]));
    Gdiplus::SolidBrush brush{Gdiplus::Color(textColor_)};
    graphics.DrawString(wide_, wideLength_, usable, area, &format, &brush);
}

void TextControl::PaintTags(Gdiplus::Graphics& graphics, HDC dc, const RECT& client) {
    linkTexts_.Free();
    linkRects_.Free();
    LOGFONTA base{};
    if (!wide_ || !GetBaseFont(dc, base))
        return;
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    float y = static_cast<float>(offsetY_);
    const Array<TextLine>& lines = layout_.Lines();
    for (int l = 0; l < lines.Count() && y < client.bottom; l++) {
        const TextLine& line = lines[l];
        if (y + line.height > 0) {
            for (int r = line.firstRun; r < line.firstRun + line.runCount; r++) {
                const TextRun& run = layout_.Runs()[r];
                const LOGFONTA logFont = TextLayout::RunFont(base, run);
                Gdiplus::Font font(dc, &logFont);
                Gdiplus::SolidBrush brush{Gdiplus::Color(run.color)};
                const float x = run.x + offsetX_;
                graphics.DrawString(wide_ + run.start, run.length, &font, Gdiplus::PointF(x, y + run.y), &format,
                                    &brush);
                if (!run.link)
                    continue;
                linkTexts_.AddString(Utf8FromWide(wide_ + run.start, run.length));
                const RECT rect{static_cast<LONG>(x + 0.5f), static_cast<LONG>(y + run.y + 0.5f),
                                static_cast<LONG>(x + run.width + 0.5f),
                                static_cast<LONG>(y + run.y + run.height + 0.5f)};
                linkRects_.Append(rect);
            }
        }
        y += line.height;
    }
}

int TextControl::LinkAt(int x, int y) const {
    const POINT point{x, y};
    for (int i = 0; i < linkRects_.Count(); i++) {
        if (PtInRect(&linkRects_[i], point))
            return i;
    }
    return -1;
}

void TextControl::UpdateCursor() {
    POINT cursor{};
    if (!GetCursorPos(&cursor) || !ScreenToClient(cursor))
        return;
    SetCursor(LinkAt(cursor.x, cursor.y) >= 0 ? GetCursor(CURSOR_HAND) : nullptr);
}
