// DropTarget: see DropTarget.h.
#include "app/DropTarget.h"

#include <shellapi.h>

#include "toolkit/base/TextCodec.h"

namespace {

FORMATETC FileDropFormat() {
    FORMATETC format{};
    format.cfFormat = CF_HDROP;
    format.ptd = nullptr;
    format.dwAspect = DVASPECT_CONTENT;
    format.lindex = -1;
    format.tymed = TYMED_HGLOBAL;
    return format;
}

}  // namespace

DropTarget::DropTarget(DropSink& sink) : sink_(sink) {}

bool DropTarget::Register(HWND window) {
    if (window_)
        return false;
    // Locked so that OLE's references never free it while the window still names it.
    if (FAILED(CoLockObjectExternal(this, TRUE, FALSE)))
        return false;
    if (FAILED(RegisterDragDrop(window, this))) {
        (void)CoLockObjectExternal(this, FALSE, FALSE);
        return false;
    }
    window_ = window;
    return true;
}

void DropTarget::Revoke() {
    if (!window_)
        return;
    (void)RevokeDragDrop(window_);
    window_ = nullptr;
    // Not the last unlock's release: the owner's own reference ends the object.
    (void)CoLockObjectExternal(this, FALSE, FALSE);
}

HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD /*keys*/, POINTL /*point*/, DWORD* effect) {
    accepted_ = false;
    fileName_.Empty();
    if (sink_.AcceptsDrags())
        fileName_ = SingleFileOf(data);
    accepted_ = !fileName_.IsEmpty();
    if (accepted_)
        sink_.OnDragEnter(fileName_);
    else if (effect)
        *effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD /*keys*/, POINTL /*point*/, DWORD* effect) {
    if (!accepted_ && effect)
        *effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave() {
    if (accepted_)
        sink_.OnDragLeave(fileName_);
    accepted_ = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* /*data*/, DWORD /*keys*/, POINTL /*point*/, DWORD* effect) {
    if (!accepted_) {
        if (effect)
            *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    accepted_ = false;
    // The sink may have become unwilling since the drag entered (a hand-over began): the
    // enter animation is still played back, but nothing is handed over.
    if (!sink_.AcceptsDrags()) {
        sink_.OnDragLeave(fileName_);
        if (effect)
            *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    sink_.OnDrop(fileName_);
    return S_OK;
}

String DropTarget::SingleFileOf(IDataObject* data) {
    if (!data)
        return String();
    FORMATETC format = FileDropFormat();
    if (data->QueryGetData(&format) != S_OK)
        return String();
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium)))
        return String();
    String path;
    if (void* const locked = GlobalLock(medium.hGlobal)) {
        // The medium's handle is what the shell's drop functions expect, not the locked address.
        HDROP drop = static_cast<HDROP>(medium.hGlobal);
        // The wide form reads the shell's wide list and an ANSI one alike.
        if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
            const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
            if (length > 0 && length < MAX_PATH) {
                wchar_t buffer[MAX_PATH] = {};
                if (DragQueryFileW(drop, 0, buffer, MAX_PATH) == length)
                    path = Utf8FromWide(buffer, static_cast<int>(length));
            }
        }
        (void)GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return path;
}
