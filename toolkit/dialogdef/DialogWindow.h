// DialogWindow: the dialog host. It builds a popup toolkit window and its controls from a
// dialog definition, keeps the controls in creation order with their definition ids, names
// and fonts, finds them by id or name, ends a modal run when the button named "OK" or
// "CANCEL" is clicked, and sets up tab pages and anchoring. The definition's units are pixels
// at 96 DPI; the host scales them by the dialog's DPI, and again when that changes. A concrete dialog derives from
// it and may supply its own control classes through NewControlObject.
//
// The dialog's window is destroyed by this class's destructor, while the object is still a
// DialogWindow, so that its WM_DESTROY handling releases every control, font and name; a
// derived dialog whose own handlers matter at that time destroys its window in its own
// destructor likewise.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/Stream.h"
#include "toolkit/window/Window.h"

class ControlDefinition;
class ResourceProvider;

class DialogWindow : public Window {
public:
    DialogWindow() = default;
    ~DialogWindow() override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A control object for a definition type, or none for the built-in class.
    virtual Window* NewControlObject(int /*type*/) { return nullptr; }

    // Builds the window and its controls from the definition text in the stream (read from
    // its start). Refused while the window exists. On any failure nothing is left behind:
    // the window and the controls made so far are destroyed.
    bool BuildFromDefinition(Stream* stream, HWND parent, ResourceProvider* provider);
    // Takes ownership of the control; makes its font from the record's FONT.
    bool AddControl(Window* control, const ControlDefinition* record);
    Window* FindControlById(int id) const;
    Window* FindControlByName(const char* name) const;
    int IndexOfControl(const Window* control) const;
    void ClearControls();

    int ControlCount() const { return controls_.Count(); }
    Window* Control(int index) const { return controls_[index]; }
    HFONT ControlFont(int index) const { return fonts_[index]; }

private:
    // byId: the control index of each 16-bit id (-1: none), so that the pairs of a crafted
    // definition find their controls at once. Notes in shown (per control index) whether the
    // tab's selected page shows or hides each control it names.
    void AttachTabPages(const ControlDefinition& record, const Array<int>& byId, Array<int8_t>& shown);
    void Rescale(int dpi, const RECT& suggested);
    // The control's font from the old DPI's height to the new one's.
    void RescaleFont(int index, int dpi, int old);

    Array<Window*> controls_;
    Array<int16_t> ids_;
    StringList names_;
    Array<HFONT> fonts_;
    int dpi_ = 96;  // the dialog's, which its controls are sized at
};
