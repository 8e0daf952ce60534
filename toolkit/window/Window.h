// Window: base class of every window and control of the toolkit. One object owns one system
// window, created either with the toolkit's class "CLASS_SWND" or as a subclassed system
// control. Every message passes through the one window procedure, which finds the object in
// the process-wide registry and hands the message first to HandleMessage (the shared
// pre-processing that turns raw input and child notifications into WM_SWND_* messages),
// then to the class's OnMessage.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"
#include "toolkit/media/Image.h"

class LayeredBitmap;
class Window;
typedef int (*IdleCallback)(void* argument);

// What a window is created with. Every field has the ordinary default, so a call site names
// only what differs from it.
struct WindowArgs {
    const char* title = "";
    DWORD style = 0;  // without a parent WS_POPUP is added
    DWORD exStyle = 0;
    const RECT* rect = nullptr;  // none: no size, at 0,0
    HWND parent = nullptr;       // the parent of a child, the owner of a popup
    UINT id = 0;
    void* param = nullptr;         // creation parameter, handed to WM_SWND_CREATED
    HINSTANCE instance = nullptr;  // none: the toolkit's instance
};

class Window {
public:
    // Colour words of the background field.
    static constexpr uint32_t kNoColor = 0xFF000000;
    static constexpr uint32_t kSeeThrough = 0xFF000001;

    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    virtual void Print(HDC dc, DWORD flags);
    // Edit-command hooks for the editor windows; the base does nothing.
    virtual void EditUndo() {}
    virtual void EditRedo() {}
    virtual void EditCut() {}
    virtual void EditCopy() {}
    virtual void EditPaste() {}
    virtual void EditDelete() {}
    virtual void EditSelectAll() {}
    virtual void EditFind() {}
    virtual void EditReplace() {}
    virtual void EditPrint() {}
    // true = go on to OnMessage; false = finished, result holds the answer.
    virtual bool HandleMessage(UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) final;
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual HBRUSH OnDialogColor(HDC) { return nullptr; }
    virtual HBRUSH OnEditColor(HDC) { return nullptr; }
    virtual HBRUSH OnScrollBarColor(HDC) { return nullptr; }
    virtual HBRUSH OnStaticColor(HDC) { return nullptr; }
    virtual void OnZoneEnter(const RECT& /*zone*/, int /*x*/, int /*y*/, int /*index*/) {}
    virtual void OnZoneMove(const RECT& /*zone*/, int /*x*/, int /*y*/, int /*index*/) {}
    virtual void OnZoneLeave(const RECT& /*zone*/, int /*x*/, int /*y*/, int /*index*/) {}
    virtual void OnNcZoneEnter(const RECT* /*zone*/, int /*x*/, int /*y*/, int /*index*/) {}
    virtual void OnNcZoneMove(const RECT* /*zone*/, int /*x*/, int /*y*/, int /*index*/) {}
    virtual void OnNcZoneLeave(const RECT* /*zone*/, int /*x*/, int /*y*/, int /*index*/) {}

    // Creation and destruction.
    // A window of the toolkit's own class.
    bool Create(const WindowArgs& args);
    // A system control of the class, subclassed so that its messages pass through the toolkit.
    bool CreateControl(const char* className, const WindowArgs& args);
    bool CreatePopup(const char* title, const RECT& rect, HWND parent, void* param, bool resizable);
    bool Destroy();
    bool Close();
    static Window* FromHandle(HWND handle);
    static LRESULT CALLBACK WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

    // Modal run.
    int DoModal(WPARAM value1 = 0, LPARAM value2 = 0);
    void EndModal(int result);
    bool IsModal() const { return modal_; }
    int ModalResult() const { return modalResult_; }

    // The window's text (caption) in UTF-8; empty without a window. Windows of the toolkit keep
    // it in UTF-16, so any characters survive. SetText is false without a window or on refusal.
    String GetText() const;
    bool SetText(const char* text);

    // Geometry; false when a system call fails.
    bool GetWindowRect(RECT& rect) const;
    bool GetClientRect(RECT& rect) const;
    int GetClientWidth() const;
    int GetClientHeight() const;
    int GetWindowWidth() const;
    int GetWindowHeight() const;
    bool Move(int x, int y);
    bool SetSize(int width, int height);
    bool SetClientSize(int width, int height);
    bool GetFrameMargins(int& left, int& top, int& right, int& bottom) const;
    bool Center(bool onParent);
    bool ClientToScreen(POINT& point) const;
    bool ScreenToClient(POINT& point) const;
    bool ClientToScreen(RECT& rect) const;
    bool ScreenToClient(RECT& rect) const;
    HWND GetTopLevelHandle() const;
    bool HasRegion() const;

    // Children and keyboard navigation.
    int GetChildren(Array<Window*>& out, const Array<Window*>* exclude, bool recursive, int kind = -1) const;
    int GetSiblings(Array<Window*>& out, const Array<Window*>* exclude, int kind = -1) const;
    static int GetChildHandles(HWND parent, Array<HWND>& out, const Array<HWND>* exclude, bool recursive);
    Window* NextTabStop();

    // Caret, cursor.
    void CreateCaret(int height, int width, int x, int y, bool visible);
    void SetCaretPos(int x, int y);
    void ShowCaret(bool visible);
    void DestroyCaret();
    void SetCursor(HCURSOR cursor);

    // Window scroll bars: bar 0 horizontal, 1 vertical (3 both for SetScrollSteps).
    bool SetScrollRange(int bar, int minimum, int maximum, int page, bool redraw);
    bool SetScrollPos(int bar, int position, bool redraw);
    void SetScrollSteps(int bar, int line, int page, int granularity);
    int GetScrollMin(int bar) const;
    int GetScrollMax(int bar) const;
    int GetScrollPos(int bar) const;

    void SetAnchor(uint32_t flags);

    // Painting, skins and layered windows (WindowPaint.cpp, WindowLayered.cpp).
    // SetSkin: a copy of the image becomes the skin (none removes it); key-coloured pixels are
    // cut out of the window region; margins give the stretchable centre cell (none = one piece).
    void SetSkin(const Image* image, uint32_t key, const RECT* margins, bool redraw);
    // Replaces only the picture (a copy, with its draw settings); the region is kept.
    void SetSkinImage(const Image& image, bool redraw);
    const Image& Skin() const { return skin_; }
    RECT SkinMargins() const { return skinMargins_; }
    // Paints the background of the client area into `draw`, clipping opaque children out of
    // `target`.
    void PaintWindow(HDC target, HDC draw);
    // Window region from the skin's key colour (holes included), within `extra` when given;
    // `extra` stays the caller's.
    void UpdateSkinRegion(HRGN extra);
    // Adds or removes WS_EX_LAYERED. False without a window or when the style did not change.
    bool SetLayered(bool on);
    // The skin painted at the window's size into a premultiplied 32-bit picture.
    bool RenderToMemory(LayeredBitmap& canvas);
    // Hands the rendered skin to the system with a constant opacity 0..255 on top of the
    // per-pixel alpha; false when the layered update is unavailable or refused.
    bool UpdateLayered(int opacity);
    bool Redraw(const RECT* rect, HRGN region, UINT flags);

    HWND Handle() const { return handle_; }
    bool HasFrame() const { return hasFrame_; }
    bool HasCaptionMenu() const { return hasCaptionMenu_; }
    uint32_t AnchorFlags() const { return anchorFlags_; }
    int Sequence() const { return sequence_; }
    int ChildCounter() const { return childCounter_; }
    int CurrentZone() const { return currentZone_; }
    int CurrentNcZone() const { return currentNcZone_; }
    bool IsDragging() const { return dragging_; }
    HFONT Font() const { return font_; }
    HCURSOR Cursor() const { return cursor_; }
    bool CaretShown() const { return caretShown_; }
    POINT CaretPosition() const { return POINT{caretX_, caretY_}; }
    bool IsOwnPainted() const { return !systemProc_; }

    // A press of the left button outside any control drags the whole window.
    void SetDragMove(bool on) { dragMove_ = on; }
    // Client rectangles whose entering, moving and leaving the pointer reports (OnZoneEnter,
    // OnZoneMove, OnZoneLeave), in this order of precedence.
    void SetZones(const Array<RECT>& zones) {
        zones_ = zones;
        zonesEnabled_ = true;
    }

    // What a window is and how it looks, filled in by its class, its owner or the control
    // factory right after construction and read by the dispatch at each message. No two of
    // them have to agree and none needs work when it changes, so they stay plain fields.
    int32_t kind = 0;  // WindowKind
    int32_t definitionId = 0;
    String name;
    int32_t tabGroup = -1;  // -1 = not a tab stop
    uint32_t background = kNoColor;

private:
    bool CreateWindowObject(const char* className, const WindowArgs& args, bool subclass);
    void ResetForCreation();
    void UpdateFrameFlags();
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);

    // Dispatch steps (WindowDispatch.cpp, WindowInput.cpp, WindowNotify.cpp).
    bool HandleCreated();
    bool HandleClose(LRESULT& result);
    void HandleDestroy();
    void HandleSetFocus();
    void HandleKillFocus(HWND gaining);
    bool HandleKeyDown(WPARAM key, LRESULT& result);
    void HandleMouseMove(WPARAM keys, LPARAM position);
    void HandleMouseLeave();
    void HandleButtonDown(int button, LPARAM position);
    void HandleButtonUp(int button, LPARAM position);
    void EndDrag();
    void RunZoneMachine(int x, int y);
    void RunNcZoneMachine(int x, int y);
    void LeaveNcZones();
    void HandleDropFiles(HANDLE drop);
    void HandleCommand(WPARAM wParam, LPARAM lParam);
    void HandleNotify(const NMHDR& header);
    void HandleTreeNotify(Window& tree, const NMHDR& header);
    bool HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleControlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void HandleMenuCommand(WPARAM position, LPARAM menu);
    void HandleMenuChoice(UINT id);
    LRESULT HandleOwnScroll(int bar, WPARAM request);
    void BeginErase(HDC dc, LPARAM& drawDc);
    LRESULT EndErase(HDC dc);
    void PaintDisabled();
    void FillBackground(HDC draw);
    void ClipOpaqueChildren(HDC target);
    void ReleaseSkin();
    void ApplyAnchor();
    void NotifyChildrenOfSize(WPARAM wParam, LPARAM lParam);
    bool PlaceSystemCaret();

    RECT workArea_{};
    int32_t minTrackWidth_ = 0;
    int32_t minTrackHeight_ = 0;
    int32_t maxTrackWidth_ = -1;
    int32_t maxTrackHeight_ = -1;
    bool dragMove_ = false;
    bool zonesEnabled_ = false;
    Array<RECT> zones_;  // client coordinates
    bool ncZonesEnabled_ = false;
    Array<RECT> ncZones_;  // relative to the window's top-left corner
    WNDPROC systemProc_ = nullptr;
    HWND handle_ = nullptr;
    bool hasFrame_ = false;
    bool hasCaptionMenu_ = false;
    uint32_t anchorFlags_ = 0;
    int32_t anchorReference_[6] = {};
    int32_t eraseDepth_ = 0;
    int32_t hLine_ = 0, vLine_ = 0, hPage_ = 0, vPage_ = 0, hGranularity_ = 1, vGranularity_ = 1;
    HFONT font_ = nullptr;
    bool modal_ = false;
    int32_t modalResult_ = 0;
    bool caretEnabled_ = false;
    bool caretShown_ = false;
    int32_t caretWidth_ = 0;
    int32_t caretHeight_ = 0;
    bool caretVisible_ = false;
    int32_t caretX_ = 0;
    int32_t caretY_ = 0;
    HCURSOR cursor_ = nullptr;
    bool mouseTracked_ = false;
    int32_t currentZone_ = -1;
    int32_t currentNcZone_ = -2;
    bool dragging_ = false;
    int32_t dragOffsetX_ = 0;
    int32_t dragOffsetY_ = 0;
    int32_t childCounter_ = 0;
    int32_t sequence_ = 0;
    Image skin_;
    uint32_t skinKey_ = kNoColor;
    RECT skinMargins_{};
    bool seeThroughRedraw_ = false;
    // The open erase: its memory context, the bitmap lent to it and what that displaced.
    HDC eraseDc_ = nullptr;
    HBITMAP eraseBitmap_ = nullptr;
    HGDIOBJ eraseOldBitmap_ = nullptr;
    bool eraseTemporary_ = false;
};
