// DropTarget: the main window's OLE drop target. It accepts a drag of exactly one file whose
// full path fits in MAX_PATH while its sink takes drags at all, and reports the drag's
// stages to the sink. Anything else is shown to the user as "no drop here" and ignored.
#pragma once

#include <ole2.h>
#include <windows.h>

#include "toolkit/base/Com.h"
#include "toolkit/base/String.h"

// What the drop target talks to (the main window, on the user-interface thread).
class DropSink {
public:
    virtual bool AcceptsDrags() const = 0;
    virtual void OnDragEnter(const String& path) = 0;
    virtual void OnDragLeave(const String& path) = 0;
    virtual void OnDrop(const String& path) = 0;

protected:
    ~DropSink() = default;
};

class DropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
public:
    explicit DropTarget(DropSink& sink);

    // Locks the object for OLE and registers it with the window; false when refused.
    bool Register(HWND window);
    // Undoes Register; safe to call when not registered.
    void Revoke();

    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

    bool IsAccepted() const { return accepted_; }

private:
    ~DropTarget() override = default;

    // The one file a data object carries; empty when it carries none, several, or a path of
    // MAX_PATH characters or more (never cut short).
    static String SingleFileOf(IDataObject* data);

    DropSink& sink_;
    HWND window_ = nullptr;
    bool accepted_ = false;
    String fileName_;
};
