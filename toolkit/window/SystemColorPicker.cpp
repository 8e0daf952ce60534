// SystemColorPicker; see SystemColorPicker.h.
#include "toolkit/window/SystemColorPicker.h"

#include "toolkit/media/GdiplusColor.h"
#include "toolkit/window/CommonDialog.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

namespace {

struct NamedColor {
    int index;
    const char* name;
};

const NamedColor kSystemColors[] = {
    {COLOR_SCROLLBAR, "Scroll bar"},
    {COLOR_BACKGROUND, "Desktop"},
    {COLOR_ACTIVECAPTION, "Active caption"},
    {COLOR_INACTIVECAPTION, "Inactive caption"},
    {COLOR_MENU, "Menu"},
    {COLOR_WINDOW, "Window"},
    {COLOR_WINDOWFRAME, "Window frame"},
    {COLOR_MENUTEXT, "Menu text"},
    {COLOR_WINDOWTEXT, "Window text"},
    {COLOR_CAPTIONTEXT, "Caption text"},
    {COLOR_ACTIVEBORDER, "Active border"},
    {COLOR_INACTIVEBORDER, "Inactive border"},
    {COLOR_APPWORKSPACE, "Application workspace"},
    {COLOR_HIGHLIGHT, "Highlight"},
    {COLOR_HIGHLIGHTTEXT, "Highlighted text"},
    {COLOR_BTNFACE, "Button face"},
    {COLOR_BTNSHADOW, "Button shadow"},
    {COLOR_GRAYTEXT, "Grey text"},
    {COLOR_BTNTEXT, "Button text"},
    {COLOR_INACTIVECAPTIONTEXT, "Inactive caption text"},
    {COLOR_BTNHIGHLIGHT, "Button highlight"},
    {COLOR_3DDKSHADOW, "3D dark shadow"},
    {COLOR_3DLIGHT, "3D light"},
    {COLOR_INFOTEXT, "Tooltip text"},
    {COLOR_INFOBK, "Tooltip background"},
    {COLOR_HOTLIGHT, "Hot-tracked item"},
    {COLOR_GRADIENTACTIVECAPTION, "Active caption gradient"},
    {COLOR_GRADIENTINACTIVECAPTION, "Inactive caption gradient"},
    {COLOR_MENUHILIGHT, "Menu highlight"},
    {COLOR_MENUBAR, "Menu bar"},
};

RECT At(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}

// A visible child of the picker.
WindowArgs ChildArgs(const char* title, DWORD style, const RECT& rect, HWND parent) {
    WindowArgs args;
    args.title = title;
    args.style = WS_CHILD | WS_VISIBLE | style;
    args.rect = &rect;
    args.parent = parent;
    return args;
}

}  // namespace

SystemColorPicker::SystemColorPicker() {
    list_.kind = KIND_COMBOBOX;
    okButton_.kind = KIND_BUTTON;
    cancelButton_.kind = KIND_BUTTON;
}

SystemColorPicker::~SystemColorPicker() {
    Destroy();
}

int SystemColorPicker::Run(HWND owner, const char* title) {
    const RECT frame = At(0, 0, kWidth, kHeight);
    if (!CreatePopup(title ? title : "", frame, owner, nullptr, false))
        return 0;
    (void)SetClientSize(kWidth, kHeight);
    const RECT listRect = At(10, 12, 200, 300);
    list_.CreateControl("COMBOBOX", ChildArgs("", WS_VSCROLL | CBS_DROPDOWNLIST | WS_TABSTOP, listRect, Handle()));
    const RECT previewRect = At(220, 12, 70, 22);
    preview_.Create(ChildArgs("", WS_BORDER, previewRect, Handle()));
    const RECT okRect = At(120, 58, 80, 26);
    okButton_.CreateControl("BUTTON", ChildArgs("OK", BS_DEFPUSHBUTTON, okRect, Handle()));
    const RECT cancelRect = At(210, 58, 80, 26);
    cancelButton_.CreateControl("BUTTON", ChildArgs("Cancel", 0, cancelRect, Handle()));
    for (const NamedColor& entry : kSystemColors) {
        const LRESULT at = SendMessageA(list_.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name));
        if (at >= 0)
            SendMessageA(list_.Handle(), CB_SETITEMDATA, static_cast<WPARAM>(at), entry.index);
    }
    SendMessageA(list_.Handle(), CB_SETCURSEL, 0, 0);
    ShowSelection();
    Center(false);
    const int result = DoModal();
    Destroy();
    return result;
}

int SystemColorPicker::SelectedIndex() const {
    const LRESULT at = SendMessageA(list_.Handle(), CB_GETCURSEL, 0, 0);
    if (at < 0)
        return -1;
    return static_cast<int>(SendMessageA(list_.Handle(), CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

void SystemColorPicker::ShowSelection() {
    const int index = SelectedIndex();
    if (index < 0)
        return;
    preview_.background = kSystemColorBase + static_cast<uint32_t>(index);
    preview_.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT SystemColorPicker::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SWND_COMBOSELCHANGE:
            ShowSelection();
            return 0;
        case WM_SWND_BUTTONCLICKED:
            if (reinterpret_cast<Window*>(wParam) == &okButton_)
                SendMessageA(Handle(), WM_SWND_OK, 0, 0);
            else
                SendMessageA(Handle(), WM_SWND_CANCEL, 0, 0);
            return 0;
        case WM_SWND_OK: {
            const int index = SelectedIndex();
            EndModal(index < 0 ? 0 : CommonDialog::kSystemColorResult + index);
            return 0;
        }
        default:
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}
