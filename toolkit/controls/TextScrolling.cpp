// TextControl's automatic scrolling: a 5 ms window timer moves the content by the time
// elapsed times the speed, so the speed holds however late the timer fires. With the loop
// on, content that has left at one edge comes back in from the opposite edge.
#include <windows.h>

#include <mmsystem.h>

#include "toolkit/controls/TextControl.h"

namespace {

constexpr UINT kScrollPeriodMs = 5;

// Where the content starts, and starts over, on one axis: just outside the window on the
// side it comes in from.
double LoopStart(double speed, int clientSize, float textSize) {
    return speed < 0 ? clientSize : -static_cast<double>(textSize);
}

bool HasLeft(double speed, int offset, int clientSize, float textSize) {
    return speed < 0 ? textSize + offset < 0 : offset > clientSize;
}

}  // namespace

void TextControl::StartAutoScroll(double speedX, double speedY) {
    speedX_ = speedX / 1000;
    speedY_ = speedY / 1000;
    if (speedX == 0 && speedY == 0) {
        scrolling_ = false;
        if (Handle())
            KillTimer(Handle(), kScrollTimer);
        Redraw();
        return;
    }
    if (!Handle())
        return;
    if (loop_) {
        // The loop follows the axis that moves, so content scrolling only sideways is not
        // parked below the window where it could never come back.
        verticalLoop_ = speedY != 0;
        if (verticalLoop_)
            offsetY_ = static_cast<int>(LoopStart(speedY_, GetClientHeight(), textHeight_));
        else
            offsetX_ = static_cast<int>(LoopStart(speedX_, GetClientWidth(), textWidth_));
    }
    KillTimer(Handle(), kScrollTimer);
    scrolling_ = true;
    preciseX_ = offsetX_;
    preciseY_ = offsetY_;
    lastTick_ = timeGetTime();
    Redraw();
    (void)SetTimer(Handle(), kScrollTimer, kScrollPeriodMs, nullptr);
}

void TextControl::SetAutoScrollLoop(bool loop, bool vertical) {
    loop_ = loop;
    verticalLoop_ = vertical;
}

void TextControl::ScrollStep() {
    const DWORD now = timeGetTime();
    const DWORD elapsed = now - lastTick_;
    lastTick_ = now;
    preciseX_ += elapsed * speedX_;
    preciseY_ += elapsed * speedY_;
    const int x = static_cast<int>(preciseX_);
    const int y = static_cast<int>(preciseY_);
    if (x == offsetX_ && y == offsetY_)
        return;
    offsetX_ = x;
    offsetY_ = y;
    if (loop_ && verticalLoop_ && HasLeft(speedY_, offsetY_, GetClientHeight(), textHeight_)) {
        preciseY_ = LoopStart(speedY_, GetClientHeight(), textHeight_);
        offsetY_ = static_cast<int>(preciseY_);
    } else if (loop_ && !verticalLoop_ && HasLeft(speedX_, offsetX_, GetClientWidth(), textWidth_)) {
        preciseX_ = LoopStart(speedX_, GetClientWidth(), textWidth_);
        offsetX_ = static_cast<int>(preciseX_);
    }
    Redraw();
    if (tags_)
        UpdateCursor();
}
