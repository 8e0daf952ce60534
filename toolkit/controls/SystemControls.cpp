// The remaining Win32 control wrappers; see SystemControls.h.
#include "toolkit/controls/SystemControls.h"

#include "toolkit/controls/ControlMessages.h"
#include "toolkit/controls/MouseReport.h"

ComboControl::ComboControl() {
    kind = KIND_COMBOBOX;
}

IpEditControl::IpEditControl() {
    kind = KIND_IPEDIT;
}

LRESULT IpEditControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_IPEDITMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

ListViewControl::ListViewControl() {
    kind = KIND_LISTVIEW;
}

RichEditControl::RichEditControl() {
    kind = KIND_RICHEDIT;
}

LRESULT RichEditControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ReportMouse(*this, WM_SWND_RICHEDITMOUSE, message, lParam);
    return Window::OnMessage(message, wParam, lParam);
}

bool RichEditControl::LoadLibraryOnce() {
    // The library stays loaded for the life of the process, as its window class must.
    static const bool loaded = LoadLibraryA("riched20.dll") != nullptr;
    return loaded;
}

TreeControl::TreeControl() {
    kind = KIND_TREEVIEW;
}
