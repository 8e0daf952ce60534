// EditControl; see EditControl.h.
#include "toolkit/controls/EditControl.h"

#include "toolkit/base/TextCodec.h"
#include "toolkit/base/Wildcard.h"
#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/ListControl.h"
#include "toolkit/controls/MouseReport.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/GdiplusColor.h"

namespace {

// Private to the edit: a click in the popup posts it, so that the word is taken over (and
// the popup destroyed) after the popup's own message has returned.
constexpr UINT kTakeCompletion = WM_SWND_EDITENTER + 1;

// The completion popup: a list that a click chooses from without taking the focus or the
// activation from the edit's window.
class CompletionList : public ListControl {
public:
    explicit CompletionList(HWND edit) : edit_(edit) {}

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_MOUSEACTIVATE:
                return MA_NOACTIVATE;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                // Not passed on: the list box would take the focus and the mouse.
                pressed_ = SelectAt(lParam);
                return 0;
            case WM_LBUTTONUP:
                if (pressed_ && SelectAt(lParam))
                    PostMessageA(edit_, kTakeCompletion, 0, 0);
                pressed_ = false;
                return 0;
            case WM_SWND_LCLICK:
            case WM_SWND_MCLICK:
            case WM_SWND_RCLICK:
                return 0;  // the popup's clicks are the edit's business, not the dialog's
            default:
                return ListControl::OnMessage(message, wParam, lParam);
        }
    }

private:
    bool SelectAt(LPARAM position) {
        const LRESULT hit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, position);
        if (HIWORD(hit) != 0 || LOWORD(hit) >= GetCount())
            return false;
        SetSelection(LOWORD(hit));
        return true;
    }

    HWND edit_;
    bool pressed_ = false;
};

}  // namespace

EditControl::EditControl() {
    kind = KIND_EDIT;
}

EditControl::~EditControl() {
    // Destroyed here, while the object is still an edit, so that WM_DESTROY closes the popup.
    if (Handle())
        Destroy();
    DestroyPopup();
}

void EditControl::Print(HDC dc, DWORD flags) {
    if (flags & PRF_CLIENT) {
        RECT client{};
        GetClientRect(client);
        if (background == kNoColor) {
            FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        } else if (background != kSeeThrough) {
            GdiObject<HBRUSH> brush(CreateSolidBrush(ColorRefOf(background)));
            FillRect(dc, &client, brush.Get());
        }
        HGDIOBJ oldFont = Font() ? SelectObject(dc, Font()) : nullptr;
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = ::SetTextColor(dc, FromArgb(textColor_));
        const WideText text(GetText());
        DrawTextW(dc, text, text.Length(), &client, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        ::SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
        if (oldFont)
            SelectObject(dc, oldFont);
    }
    Window::Print(dc, flags);
}

HBRUSH EditControl::OnEditColor(HDC dc) {
    return AnswerColors(dc, COLOR_WINDOW);
}

HBRUSH EditControl::OnStaticColor(HDC dc) {
    return AnswerColors(dc, COLOR_BTNFACE);
}

HBRUSH EditControl::AnswerColors(HDC dc, int systemBack) {
    HBRUSH brush = brush_.Answer(background, dc, true);
    ::SetTextColor(dc, FromArgb(textColor_));
    return brush ? brush : SystemBackAnswer(dc, systemBack);
}

void EditControl::SetCompletion(bool on) {
    completionOn_ = on;
    if (!on)
        DestroyPopup();
}

ListControl* EditControl::CompletionPopup() const {
    return popup_ && popup_->Handle() ? popup_ : nullptr;
}

LRESULT EditControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_EDITMOUSE, message, lParam);
    switch (message) {
        case WM_KEYDOWN:
            // While the popup is open the keys are its own: the caret stays where it is.
            if (completionOn_ && CompletionPopup())
                return 0;
            if (wParam == VK_RETURN && GetParent(Handle()))
                SendMessageA(GetParent(Handle()), WM_SWND_EDITENTER, reinterpret_cast<WPARAM>(this), 0);
            break;
        case WM_CHAR:
            // Enter and Escape choose from or close the popup; the edit would only beep at them.
            if (completionOn_ && CompletionPopup() && (wParam == VK_RETURN || wParam == VK_ESCAPE))
                return 0;
            break;
        case WM_KEYUP:
            if (!completionOn_)
                break;
            UpdateCompletion(wParam);
            if (CompletionPopup() && (wParam == VK_UP || wParam == VK_DOWN)) {
                MovePopupSelection(wParam);
                return 0;
            }
            break;
        case kTakeCompletion:
            TakeSelectedWord();
            return 0;
        case WM_KILLFOCUS:
            // The focus left for another window: the offer is over.
            if (popup_ && reinterpret_cast<HWND>(wParam) != popup_->Handle())
                DestroyPopup();
            break;
        case WM_DESTROY:
            DestroyPopup();
            break;
        default:
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void EditControl::UpdateCompletion(WPARAM key) {
    if (!CompletionPopup()) {
        // Enter was reported to the parent and Escape has nothing to close: neither offers.
        if (key == VK_RETURN || key == VK_ESCAPE)
            return;
        if (GetWindowTextLengthA(Handle()) == 0 && key != VK_DOWN)
            return;
    } else if (key == VK_RETURN) {
        if (TakeSelectedWord())
            return;
    } else if (key == VK_ESCAPE) {
        DestroyPopup();
        return;
    } else if (key == VK_UP || key == VK_DOWN) {
        return;
    }
    String pattern = GetText();
    pattern += kWildcardAnySequence;
    Array<int> matches;
    for (int i = 0; i < completionWords_.Count(); i++) {
        if (MatchWildcard(completionWords_.At(i), pattern))
            matches.Append(i);
    }
    if (matches.Count() == 0) {
        DestroyPopup();
        return;
    }
    if (!CompletionPopup() && !OpenPopup())
        return;
    popup_->Clear();
    for (int i = 0; i < matches.Count(); i++)
        popup_->AddItem(completionWords_.At(matches[i]));
    ShowWindow(popup_->Handle(), SW_SHOWNOACTIVATE);
    if (GetFocus() != Handle())
        SetFocus(Handle());
}

RECT EditControl::PlacePopup(const RECT& edit, const RECT& workArea, int height) {
    RECT place{edit.left, edit.bottom, edit.right, edit.bottom + height};
    const int below = workArea.bottom - edit.bottom;
    const int above = edit.top - workArea.top;
    if (below < height && above >= height) {
        place.top = edit.top - height;
        place.bottom = edit.top;
    } else if (below < height && above > below) {
        place.top = workArea.top;
        place.bottom = edit.top;
    } else if (below < height) {
        place.bottom = workArea.bottom;
    }
    const int width = place.right - place.left;
    if (place.right > workArea.right) {
        place.right = workArea.right;
        place.left = place.right - width;
    }
    if (place.left < workArea.left) {
        place.left = workArea.left;
        place.right = place.left + width;
    }
    return place;
}

bool EditControl::OpenPopup() {
    DestroyPopup();
    RECT edit{};
    if (!GetWindowRect(edit))
        return false;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor))
        (void)SystemParametersInfoA(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    const RECT place = PlacePopup(edit, monitor.rcWork, kPopupHeight);
    // Owned by the edit's window; without integral height it keeps the height it was placed with.
    CompletionList* popup = new CompletionList(Handle());
    if (!popup->CreateList(WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, place, Handle())) {
        delete popup;
        return false;
    }
    popup_ = popup;
    SendMessageA(popup_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return true;
}

void EditControl::DestroyPopup() {
    delete popup_;
    popup_ = nullptr;
}

bool EditControl::TakeSelectedWord() {
    ListControl* popup = CompletionPopup();
    const int selection = popup ? popup->GetSelection() : -1;
    if (selection < 0)
        return false;
    const String word = popup->GetItemText(selection);
    DestroyPopup();
    SetText(word);
    // The caret goes after the word: positions count UTF-16 units.
    const int end = WideText(word).Length();
    SendMessageA(Handle(), EM_SETSEL, end, end);
    if (GetFocus() != Handle())
        SetFocus(Handle());
    return true;
}

void EditControl::MovePopupSelection(WPARAM key) {
    ListControl* popup = CompletionPopup();
    const int selection = popup->GetSelection();
    if (key == VK_UP && selection > 0)
        popup->SetSelection(selection - 1);
    else if (key == VK_DOWN && selection + 1 < popup->GetCount())
        popup->SetSelection(selection + 1);
}
