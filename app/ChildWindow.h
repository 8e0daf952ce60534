// ChildWindow: the one pattern of the program's message, question and help windows. Each is a
// layered popup whose picture is a background recoloured with the user's child-window colour
// and opacity, with picture buttons that light up under the mouse; it fades in over one
// second and can be dragged anywhere but on its buttons. A subclass names its size, pictures
// and buttons, draws its own content into the background and says what a button, Enter and
// Escape do. Sizes and places are given in 96-DPI units; the window scales them, its pictures
// and its text by its DPI, and again when it moves to a monitor of another scale. The window is destroyed by the
// object's own destructor, so a message run on the worker thread leaves no window, picture or timer behind.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/String.h"
#include "toolkit/media/Image.h"
#include "toolkit/window/Window.h"

class ChildWindow : public Window {
public:
    static constexpr int kButtonWidth = 44;
    static constexpr int kButtonHeight = 47;
    static constexpr int kMaxButtons = 2;
    static constexpr UINT_PTR kFadeTimer = 1;
    static constexpr UINT kFadeTickMs = 10;

    ~ChildWindow() override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnZoneEnter(const RECT& zone, int x, int y, int index) override;
    void OnZoneLeave(const RECT& zone, int x, int y, int index) override;

    // The constant alpha applied now, 0 .. 255.
    int FadeAlpha() const { return fadeAlpha_; }
    bool IsButtonLit(int index) const { return index >= 0 && index < buttonCount_ && buttons_[index].lit; }
    // Centre of a button in screen coordinates, for whoever drives the window (tests, demos).
    POINT ButtonCenterOnScreen(int index) const;

    // The fade's alpha after `elapsedMs` since the window was shown: 0.255 per millisecond, 255 at most.
    static int FadeAlphaAfter(uint32_t elapsedMs);

protected:
    enum Action { kNothing, kEndYes, kEndNo, kClose };

    ChildWindow(int width, int height, int backgroundId);
    // Buttons are added by the subclass's constructor, in zone order.
    void AddButton(int normalId, int hoverId, int x, int y, Action action);
    // The window's DPI, which DrawContent draws at.
    int Dpi() const { return dpi_; }
    // The text or picture over the recoloured background.
    virtual void DrawContent(Image& background) = 0;
    virtual Action OnEnter() const = 0;
    virtual Action OnEscape() const = 0;

private:
    struct PictureButton {
        int normalId = 0;
        int hoverId = 0;
        Image normal;
        Image hover;
        RECT place{};  // in 96-DPI units
        RECT rect{};   // in the window's pixels
        bool lit = false;
        Action action = kNothing;
    };

    bool Setup();
    // Sizes, zones, pictures and background at dpi_.
    bool ApplyDpi();
    void OnDpiChanged(int dpi, const RECT& suggested);
    bool BuildBackground();
    void Compose();
    void Fade();
    void Perform(Action action);
    int ButtonAt(LPARAM position) const;
    void ReleasePictures();

    const int width_;
    const int height_;
    const int backgroundId_;
    int dpi_ = 96;
    PictureButton buttons_[kMaxButtons];
    int buttonCount_ = 0;
    Image background_;
    uint32_t fadeStart_ = 0;
    int fadeAlpha_ = 0;
};
