// The shared pattern of the child windows; see ChildWindow.h.
#include "app/ChildWindow.h"

#include <mmsystem.h>
#include <windowsx.h>

#include "app/ChildWindowPainting.h"
#include "app/ScaledPictures.h"
#include "resources/ResourceIds.h"
#include "settings/Settings.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/window/DisplayScale.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

ChildWindow::ChildWindow(int width, int height, int backgroundId)
    : width_(width), height_(height), backgroundId_(backgroundId) {}

ChildWindow::~ChildWindow() {
    // Destroyed here, while the object is still a ChildWindow, so its own WM_DESTROY runs.
    if (Handle())
        Destroy();
    ReleasePictures();
}

int ChildWindow::FadeAlphaAfter(uint32_t elapsedMs) {
    const double alpha = elapsedMs * 0.255;
    return alpha >= 255.0 ? 255 : static_cast<int>(alpha);
}

void ChildWindow::AddButton(int normalId, int hoverId, int x, int y, Action action) {
    if (buttonCount_ >= kMaxButtons)
        return;
    PictureButton& button = buttons_[buttonCount_++];
    button.place = RECT{x, y, x + kButtonWidth, y + kButtonHeight};
    button.rect = button.place;
    button.action = action;
    // The pictures load at set-up, so a window made again (the help window) has them again.
    button.normalId = normalId;
    button.hoverId = hoverId;
}

LRESULT ChildWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SWND_CREATED:
            return Setup() ? 0 : 1;
        case WM_TIMER:
            if (wParam != kFadeTimer)
                break;
            Fade();
            return 0;
        case WM_DPICHANGED:
            if (lParam)
                OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SWND_OK:
            // The modal run's Enter; the base would end every run with 1.
            Perform(OnEnter());
            return 0;
        case WM_KEYDOWN:
            // The action may destroy the window: the key is used up, the base never sees it.
            if (wParam != VK_RETURN && wParam != VK_ESCAPE)
                break;
            Perform(wParam == VK_RETURN ? OnEnter() : OnEscape());
            return 0;
        case WM_SWND_CANCEL:
            // A close request during the run (Alt+F4, the owner going away) answers "no".
            Perform(kEndNo);
            return 0;
        case WM_SWND_LCLICK: {
            const int index = ButtonAt(lParam);
            if (index >= 0)
                Perform(buttons_[index].action);
            return 0;
        }
        case WM_SWND_DRAGQUERY:
            return ButtonAt(lParam) >= 0 ? -1 : 0;
        case WM_DESTROY:
            (void)KillTimer(Handle(), kFadeTimer);
            ReleasePictures();
            break;
        default:
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void ChildWindow::OnZoneEnter(const RECT&, int, int, int index) {
    if (index < 0 || index >= buttonCount_ || buttons_[index].lit)
        return;
    buttons_[index].lit = true;
    Compose();
}

void ChildWindow::OnZoneLeave(const RECT&, int, int, int index) {
    if (index < 0 || index >= buttonCount_ || !buttons_[index].lit)
        return;
    buttons_[index].lit = false;
    Compose();
}

POINT ChildWindow::ButtonCenterOnScreen(int index) const {
    POINT point{};
    if (index < 0 || index >= buttonCount_)
        return point;
    const RECT& rect = buttons_[index].rect;
    point = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(point);
    return point;
}

bool ChildWindow::Setup() {
    dpi_ = WindowDpi(Handle());
    if (!SetSize(ScaleToDpi(width_, dpi_), ScaleToDpi(height_, dpi_)))
        return false;
    SetDragMove(true);
    for (int i = 0; i < buttonCount_; i++)
        buttons_[i].lit = false;
    fadeAlpha_ = 0;
    SetLayered(true);
    if (!ApplyDpi())
        return false;
    Compose();
    (void)Center(false);
    ShowWindow(Handle(), SW_SHOW);
    fadeStart_ = timeGetTime();
    return SetTimer(Handle(), kFadeTimer, kFadeTickMs, nullptr) != 0;
}

bool ChildWindow::ApplyDpi() {
    Array<RECT> buttonZones;
    for (int i = 0; i < buttonCount_; i++) {
        PictureButton& button = buttons_[i];
        button.rect = ScaleToDpi(button.place, dpi_);
        buttonZones.Append(button.rect);
        (void)LoadPictureAtDpi(button.normal, button.normalId, dpi_, GetInstance());
        (void)LoadPictureAtDpi(button.hover, button.hoverId, dpi_, GetInstance());
    }
    SetZones(buttonZones);
    return BuildBackground();
}

// The new picture is ready before the window takes the system's rectangle, and goes out
// right after it, so nothing shows at the old size.
void ChildWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    dpi_ = dpi;
    if (!ApplyDpi())
        return;
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    Compose();
}

bool ChildWindow::BuildBackground() {
    Image picture;
    if (!LoadPictureAtDpi(picture, backgroundId_, dpi_, GetInstance()))
        return false;
    if (!RecolorChildBackground(picture, ReadChildColor(), ReadChildOpacity()))
        return false;
    if (!background_.Create(ScaleToDpi(width_, dpi_), ScaleToDpi(height_, dpi_)))
        return false;
    {
        Gdiplus::Graphics graphics(background_.Bitmap());
        graphics.DrawImage(picture.Bitmap(), Gdiplus::Rect(0, 0, picture.Width(), picture.Height()), 0, 0,
                           picture.Width(), picture.Height(), Gdiplus::UnitPixel);
    }
    DrawContent(background_);
    return true;
}

void ChildWindow::Compose() {
    if (background_.IsEmpty() || !Handle())
        return;
    Image composed;
    if (!composed.CopyFrom(background_))
        return;
    {
        Gdiplus::Graphics graphics(composed.Bitmap());
        for (int i = 0; i < buttonCount_; i++) {
            const PictureButton& button = buttons_[i];
            const Image& picture = button.lit ? button.hover : button.normal;
            if (picture.IsEmpty())
                continue;
            graphics.DrawImage(picture.Bitmap(),
                               Gdiplus::Rect(button.rect.left, button.rect.top, button.rect.right - button.rect.left,
                                             button.rect.bottom - button.rect.top),
                               0, 0, picture.Width(), picture.Height(), Gdiplus::UnitPixel);
        }
    }
    SetSkinImage(composed, true);
    (void)UpdateLayered(fadeAlpha_);
}

void ChildWindow::Fade() {
    fadeAlpha_ = FadeAlphaAfter(timeGetTime() - fadeStart_);
    if (fadeAlpha_ >= 255)
        (void)KillTimer(Handle(), kFadeTimer);
    (void)UpdateLayered(fadeAlpha_);
}

void ChildWindow::Perform(Action action) {
    switch (action) {
        case kEndYes:
            EndModal(1);
            break;
        case kEndNo:
            EndModal(0);
            break;
        case kClose:
            if (IsModal())
                EndModal(0);
            else
                (void)Close();
            break;
        default:
            break;
    }
}

int ChildWindow::ButtonAt(LPARAM position) const {
    const POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    for (int i = 0; i < buttonCount_; i++) {
        if (PtInRect(&buttons_[i].rect, point))
            return i;
    }
    return -1;
}

void ChildWindow::ReleasePictures() {
    background_.Release();
    for (int i = 0; i < buttonCount_; i++) {
        buttons_[i].normal.Release();
        buttons_[i].hover.Release();
        buttons_[i].lit = false;
    }
}
