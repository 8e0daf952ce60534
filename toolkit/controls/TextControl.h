// TextControl: the toolkit's own text window. It draws its window text with GDI+ over the
// background the window framework paints: plain text with margins and optional word
// wrapping, or, in tag mode, text formatted by the inline tags of TextLayout, with links
// that open web and mail addresses. The content can scroll by itself at a set speed and
// start over once it has left the window. Mouse input goes to the parent as
// WM_SWND_TEXTMOUSE.
#pragma once

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"
#include "toolkit/controls/TextLayout.h"
#include "toolkit/window/Window.h"

class TextControl : public Window {
public:
    static constexpr UINT_PTR kScrollTimer = 182;

    TextControl();
    ~TextControl() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void SetWrapping(bool on);
    void SetTags(bool on);
    void SetMargins(int left, int top, int right, int bottom);
    void SetColor(uint32_t argb) { textColor_ = argb; }
    uint32_t Color() const { return textColor_; }
    // Pixels per second; both 0 stop the scrolling.
    void StartAutoScroll(double speedX, double speedY);
    void SetAutoScrollLoop(bool loop, bool vertical);
    void Redraw();

    bool IsScrolling() const { return scrolling_; }
    int ScrollX() const { return offsetX_; }
    int ScrollY() const { return offsetY_; }
    float TextWidth() const { return textWidth_; }
    float TextHeight() const { return textHeight_; }
    const TextLayout& Layout() const { return layout_; }

    // What a link's text opens: the text itself when it is a web or mail address, "mailto:"
    // before it when it holds an "@"; empty for anything else (files, programs, scripts),
    // which is never handed to the shell.
    static String LinkTarget(const char* linkText);

protected:
    // Hands an accepted link target to the shell.
    virtual void OpenLink(const char* target);

private:
    void LayOut();
    void Paint(HDC dc);
    void PaintPlain(Gdiplus::Graphics& graphics, HDC dc, const RECT& client);
    void PaintTags(Gdiplus::Graphics& graphics, HDC dc, const RECT& client);
    void ScrollStep();
    int LinkAt(int x, int y) const;
    void UpdateCursor();
    bool GetBaseFont(HDC dc, LOGFONTA& font) const;

    String text_;
    wchar_t* wide_ = nullptr;
    int wideLength_ = 0;
    uint32_t textColor_;
    uint32_t linkColor_;
    int horizontalAlign_ = 0;
    int verticalAlign_ = 4;
    bool wrapping_ = false;
    int margins_[4] = {4, 4, 4, 4};
    float textWidth_ = 0, textHeight_ = 0;
    int offsetX_ = 0, offsetY_ = 0;
    bool scrolling_ = false;
    bool loop_ = true;
    bool verticalLoop_ = true;
    double preciseX_ = 0, preciseY_ = 0;
    double speedX_ = 0, speedY_ = 0;
    DWORD lastTick_ = 0;
    bool tags_ = false;
    bool erased_ = false;  // an erase ran inside the current WM_PAINT
    TextLayout layout_;
    StringList linkTexts_;
    Array<RECT> linkRects_;
};
