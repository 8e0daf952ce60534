// The back-colour answer shared by the controls that colour themselves (check box, radio
// button, group box, scroll bar): none when no colour is set, the stock null brush for a
// see-through back, otherwise a solid brush that the control owns until its next answer.
#pragma once

#include <windows.h>

#include <cstdint>

// The answer DefWindowProc would give for a control without a back colour (the system colour's
// brush, and the context's back set to it). A control that colours its text must answer with
// it: a null answer sends the message on to DefWindowProc, which resets the text colour too.
HBRUSH SystemBackAnswer(HDC dc, int systemColor);

class OwnedBrush {
public:
    OwnedBrush() = default;
    OwnedBrush(const OwnedBrush&) = delete;
    OwnedBrush& operator=(const OwnedBrush&) = delete;
    ~OwnedBrush() { Reset(); }

    // The brush for background (a Window background word); setDcBack also makes it the
    // device context's background (and mode TRANSPARENT for a see-through back).
    HBRUSH Answer(uint32_t background, HDC dc, bool setDcBack);
    void Reset();

private:
    HBRUSH brush_ = nullptr;
};
