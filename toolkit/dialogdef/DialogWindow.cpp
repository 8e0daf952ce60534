// DialogWindow; see DialogWindow.h.
#include "toolkit/dialogdef/DialogWindow.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "toolkit/controls/TabControl.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/ControlFactory.h"
#include "toolkit/dialogdef/DefinitionColors.h"
#include "toolkit/dialogdef/DefinitionValues.h"
#include "toolkit/dialogdef/Tokenizer.h"
#include "toolkit/media/Image.h"
#include "toolkit/window/DisplayScale.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"

namespace {

int16_t ScaledUnit(int16_t value, int dpi) {
    const int scaled = ScaleToDpi(value, dpi);
    return static_cast<int16_t>(scaled < INT16_MIN ? INT16_MIN : (scaled > INT16_MAX ? INT16_MAX : scaled));
}

// The record with its place, size and font height in the dialog's pixels.
ControlDefinition ScaledRecord(const ControlDefinition& record, int dpi) {
    ControlDefinition scaled(record);
    if (dpi == kBaseDpi)
        return scaled;
    scaled.x = ScaledUnit(record.x, dpi);
    scaled.y = ScaledUnit(record.y, dpi);
    scaled.width = ScaledUnit(record.width, dpi);
    scaled.height = ScaledUnit(record.height, dpi);
    scaled.fontSize = ScaledUnit(record.fontSize, dpi);
    return scaled;
}

HFONT MakeFont(const ControlDefinition& record) {
    const uint32_t flags = record.fontFlags;
    return CreateFontA(record.fontSize, 0, 0, 0, (flags & 1) ? FW_BOLD : FW_DONTCARE, (flags & 2) ? TRUE : FALSE,
                       (flags & 4) ? TRUE : FALSE, (flags & 8) ? TRUE : FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, record.fontName);
}

}  // namespace

DialogWindow::~DialogWindow() {
    Destroy();
    ClearControls();
}

LRESULT DialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED && lParam) {
        Rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    if (message == WM_DESTROY) {
        ClearControls();
    } else if (message == WM_SWND_BUTTONCLICKED && IsModal()) {
        const int index = IndexOfControl(reinterpret_cast<Window*>(wParam));
        if (index >= 0 && names_.At(index) == "OK")
            SendMessageA(Handle(), WM_SWND_OK, 0, 0);
        else if (index >= 0 && names_.At(index) == "CANCEL")
            SendMessageA(Handle(), WM_SWND_CANCEL, 0, 0);
    }
    return Window::OnMessage(message, wParam, lParam);
}

// Moved to a monitor of another scale: every control's place, size and font grow or shrink
// by the ratio of the DPIs, and the dialog takes the system's rectangle. Its resize moves the
// anchored controls from their old-scale references, so the places are set after it and the
// references taken again at the new size.
void DialogWindow::Rescale(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    const int old = dpi_;
    dpi_ = dpi;
    Array<RECT> places;
    for (int i = 0; i < controls_.Count(); i++) {
        RECT rect{};
        if (controls_[i]->GetWindowRect(rect) && ScreenToClient(rect))
            rect = RECT{MulDiv(rect.left, dpi, old), MulDiv(rect.top, dpi, old), MulDiv(rect.right, dpi, old),
                        MulDiv(rect.bottom, dpi, old)};
        places.Append(rect);
        RescaleFont(i, dpi, old);
    }
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    HDWP positions = BeginDeferWindowPos(controls_.Count());
    for (int i = 0; i < controls_.Count() && positions; i++) {
        const RECT& place = places[i];
        positions = DeferWindowPos(positions, controls_[i]->Handle(), nullptr, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions)
        (void)EndDeferWindowPos(positions);
    for (int i = 0; i < controls_.Count(); i++) {
        if (controls_[i]->AnchorFlags())
            controls_[i]->SetAnchor(controls_[i]->AnchorFlags());
    }
}

void DialogWindow::RescaleFont(int index, int dpi, int old) {
    LOGFONTA face{};
    if (!fonts_[index] || GetObjectA(fonts_[index], sizeof(face), &face) != sizeof(face))
        return;
    face.lfHeight = MulDiv(face.lfHeight, dpi, old);
    HFONT font = CreateFontIndirectA(&face);
    if (!font)
        return;
    SendMessageA(controls_[index]->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    DeleteObject(fonts_[index]);
    fonts_[index] = font;
}

bool DialogWindow::AddControl(Window* control, const ControlDefinition* record) {
    if (!control || !record)
        return false;
    HFONT font = nullptr;
    if (!record->fontName.IsEmpty()) {
        font = MakeFont(*record);
        if (font)
            SendMessageA(control->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    controls_.Append(control);
    ids_.Append(record->id);
    names_.AddString(record->name);
    fonts_.Append(font);
    return true;
}

Window* DialogWindow::FindControlById(int id) const {
    for (int i = 0; i < ids_.Count(); i++) {
        if (ids_[i] == id)
            return controls_[i];
    }
    return nullptr;
}

Window* DialogWindow::FindControlByName(const char* name) const {
    if (!name)
        return nullptr;
    for (int i = 0; i < names_.Count(); i++) {
        if (strcmp(names_.At(i).Text(), name) == 0)
            return controls_[i];
    }
    return nullptr;
}

int DialogWindow::IndexOfControl(const Window* control) const {
    for (int i = 0; i < controls_.Count(); i++) {
        if (controls_[i] == control)
            return i;
    }
    return -1;
}

void DialogWindow::ClearControls() {
    if (Handle())
        ShowWindow(Handle(), SW_HIDE);
    // Controls first: a control may still be using its font while its window goes.
    for (int i = 0; i < controls_.Count(); i++)
        delete controls_[i];
    controls_.Free();
    ids_.Free();
    names_.Free();
    for (int i = 0; i < fonts_.Count(); i++) {
        if (fonts_[i])
            DeleteObject(fonts_[i]);
    }
    fonts_.Free();
}

void DialogWindow::AttachTabPages(const ControlDefinition& record, const Array<int>& byId, Array<int8_t>& shown) {
    const auto indexOf = [&](int id) { return id >= INT16_MIN && id <= INT16_MAX ? byId[id - INT16_MIN] : -1; };
    const int tabIndex = indexOf(record.id);
    TabControl* tab = tabIndex >= 0 ? dynamic_cast<TabControl*>(controls_[tabIndex]) : nullptr;
    if (!tab)
        return;
    StringList numbers;
    Tokenizer::Split(record.GetProperty("TAB_CHILDREN_PRIVATE"), " \t", 0, numbers);
    const int pageCount = tab->PageCount();
    const int selected = tab->GetSelectedPage();
    const bool showing = selected >= 0 && selected < pageCount;
    Array<TabAttachment> pairs;
    // The selected page's controls shown, the tab's other ones hidden, as ShowPage would.
    for (int pass = 0; pass < 2; pass++) {
        for (int i = 0; i + 1 < numbers.Count(); i += 2) {
            const int page = ParseDecimal(numbers.At(i));
            const int index = indexOf(ParseDecimal(numbers.At(i + 1)));
            if (index < 0 || index == tabIndex || page < 0 || page >= pageCount)
                continue;
            if (pass == 0)
                pairs.Append(TabAttachment{page, controls_[index]});
            if (showing && (pass == 0 || page == selected))
                shown[index] = pass == 0 ? 0 : 1;
        }
    }
    tab->AttachAll(pairs);
}

bool DialogWindow::BuildFromDefinition(Stream* stream, HWND parent, ResourceProvider* provider) {
    if (!stream || Handle())
        return false;
    DialogDefinition definition;
    stream->Seek(0);
    if (!definition.ReadDefinition(stream) || !definition.Dialog())
        return false;
    const ControlDefinition& dialog = *definition.Dialog();
    WindowArgs args;
    args.title = dialog.caption;
    args.style = (dialog.style & ~WS_VISIBLE) | WS_POPUP;
    args.exStyle = dialog.exStyle;
    args.parent = parent;
    if (!Create(args))
        return false;
    // Positions, sizes and fonts of a definition are 96-DPI units: the dialog's DPI scales them.
    const int dpi = WindowDpi(Handle());
    dpi_ = dpi;
    SetClientSize(ScaleToDpi(dialog.width, dpi), ScaleToDpi(dialog.height, dpi));
    Center(true);
    COLORREF back = 0;
    if (ResolveColor(dialog.backColor, back))
        background = back;
    Image skin;
    if (LoadResourceImage(provider, dialog.GetProperty("DIALOG_IMAGE"), skin)) {
        skin.SetBackground(background);
        SetSkin(&skin, kNoColor, nullptr, false);
    }
    for (int i = 0; i < definition.ControlCount(); i++) {
        const ControlDefinition scaled = ScaledRecord(*definition.Control(i), dpi);
        Window* control = BuildControl(this, Handle(), &scaled, provider, true);
        if (!control || !AddControl(control, &scaled)) {
            delete control;
            // A half-built dialog is never handed out: the window takes its controls along.
            Destroy();
            return false;
        }
    }
    Array<int> byId;
    byId.SetSize(UINT16_MAX + 1, false);
    for (int i = 0; i <= UINT16_MAX; i++)
        byId[i] = -1;
    // Backwards: the first control of an id wins, as FindControlById finds it.
    for (int i = ids_.Count() - 1; i >= 0; i--)
        byId[ids_[i] - INT16_MIN] = i;
    // Decided over all tabs first (the last tab that names a control decides, as one ShowPage
    // after another would), then each control changes at most once: a change costs a trip to
    // the window server that grows with the dialog, and a crafted definition would ask for
    // hundreds of thousands of them.
    Array<int8_t> shown;  // per control: -1 no tab's, 0 hidden, 1 shown
    shown.SetSize(controls_.Count(), false);
    memset(shown.Data(), -1, shown.Count());
    for (int i = 0; i < definition.ControlCount(); i++) {
        if (definition.Control(i)->type == CT_TAB)
            AttachTabPages(*definition.Control(i), byId, shown);
    }
    for (int i = 0; i < controls_.Count(); i++) {
        HWND handle = controls_[i]->Handle();
        if (shown[i] >= 0 && (shown[i] != 0) != ((GetWindowLongA(handle, GWL_STYLE) & WS_VISIBLE) != 0))
            ShowWindow(handle, shown[i] ? SW_SHOW : SW_HIDE);
    }
    // Every record has its control, in the same order.
    for (int i = 0; i < definition.ControlCount(); i++) {
        const ControlDefinition* record = definition.Control(i);
        const int flags = record->GetPropertyInt("VALIGN") | record->GetPropertyInt("HALIGN");
        controls_[i]->SetAnchor(static_cast<uint32_t>(flags));
    }
    if (dialog.style & WS_VISIBLE)
        ShowWindow(Handle(), SW_SHOW);
    return true;
}
