// EditControl: the Win32 "EDIT" with the toolkit's colours, a report of the Enter key to the
// parent (WM_SWND_EDITENTER) and an optional completion list. With completion on, a popup
// list under the edit offers the completion words that begin with the typed text (letter
// case counts); Down opens it on an empty edit, Up and Down move through it, Enter or a click
// takes the chosen word over, Escape closes it. The popup never takes the focus from the
// edit and goes with the edit.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/window/Window.h"

class ListControl;

class EditControl : public Window {
public:
    // Height of the completion popup, in pixels.
    static constexpr int kPopupHeight = 200;

    EditControl();
    ~EditControl() override;

    void Print(HDC dc, DWORD flags) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnEditColor(HDC dc) override;
    // A read-only or disabled edit asks as a static control does.
    HBRUSH OnStaticColor(HDC dc) override;

    // The text colour as 0xAARRGGBB (alpha is not used for drawing).
    uint32_t TextColor() const { return textColor_; }
    void SetTextColor(uint32_t argb) { textColor_ = argb; }

    // The words offered, in the order offered; the owner fills them.
    StringList& CompletionWords() { return completionWords_; }
    bool CompletionOn() const { return completionOn_; }
    // Turning completion off closes the popup.
    void SetCompletion(bool on);
    // The open popup, or none.
    ListControl* CompletionPopup() const;

    // Where the popup goes, in screen coordinates: under the edit when it fits in the work
    // area, otherwise above it when it fits there, otherwise on the roomier side cut to the
    // room; moved sideways to stay inside the work area.
    static RECT PlacePopup(const RECT& edit, const RECT& workArea, int height);

private:
    // The text colour with the back colour, or with the system's back when none is set.
    HBRUSH AnswerColors(HDC dc, int systemBack);
    void UpdateCompletion(WPARAM key);
    bool OpenPopup();
    void DestroyPopup();
    // The popup's selected word becomes the text, the caret goes to its end, the popup closes.
    bool TakeSelectedWord();
    void MovePopupSelection(WPARAM key);

    uint32_t textColor_ = 0xFF000000;
    OwnedBrush brush_;
    StringList completionWords_;
    bool completionOn_ = false;
    ListControl* popup_ = nullptr;
};
