// Window: construction, creation, destruction and the one window procedure of the toolkit.
// The object enters the registry once its system window exists and leaves it after
// OnMessage has handled WM_DESTROY; messages the system sends during CreateWindowEx (before
// the object is registered) get the default behaviour.
#include "toolkit/window/Window.h"

#include "toolkit/base/TextCodec.h"
#include "toolkit/window/Messages.h"
#include "toolkit/window/Toolkit.h"
#include "toolkit/window/WindowRegistry.h"

namespace {

constexpr DWORD kPopupStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kResizableStyle = WS_THICKFRAME | WS_MAXIMIZEBOX;

}  // namespace

Window::Window() {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea_, 0);
    minTrackWidth_ = GetSystemMetrics(SM_CXMINTRACK);
    minTrackHeight_ = GetSystemMetrics(SM_CYMINTRACK);
}

Window::~Window() {
    if (handle_)
        SendMessageA(handle_, WM_CLOSE, 0, 0);
    if (handle_) {
        ShowWindow(handle_, SW_HIDE);
        DestroyWindow(handle_);
    }
    // DestroyWindow fails for a window of another thread; the registry must still forget us.
    if (handle_)
        WindowRegistry::Remove(handle_);
    handle_ = nullptr;
}

void Window::Print(HDC dc, DWORD flags) {
    SendMessageA(handle_, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
}

bool Window::Create(const WindowArgs& args) {
    return CreateWindowObject(kWindowClassName, args, false);
}

bool Window::CreateControl(const char* className, const WindowArgs& args) {
    return CreateWindowObject(className, args, true);
}

bool Window::CreatePopup(const char* title, const RECT& rect, HWND parent, void* param, bool resizable) {
    WindowArgs args;
    args.title = title;
    args.style = kPopupStyle | (resizable ? kResizableStyle : 0);
    args.rect = &rect;
    args.parent = parent;
    args.param = param;
    return Create(args);
}

bool Window::CreateWindowObject(const char* className, const WindowArgs& args, bool subclass) {
    if (handle_)
        return false;
    const HWND parent = args.parent;
    const RECT* const rect = args.rect;
    DWORD style = args.style;
    ResetForCreation();
    // An owner may live on the other thread (the worker's message windows are owned by the
    // main window), so the counter is taken atomically.
    if (Window* const parentObject = FromHandle(parent))
        sequence_ = InterlockedExchangeAdd(reinterpret_cast<volatile LONG*>(&parentObject->childCounter_), 1);
    const bool visible = (style & WS_VISIBLE) != 0;
    style &= ~WS_VISIBLE;
    if (!parent)
        style |= WS_POPUP;
    systemProc_ = nullptr;
    const int x = rect ? rect->left : 0;
    const int y = rect ? rect->top : 0;
    const int width = rect ? rect->right - rect->left : 0;
    const int height = rect ? rect->bottom - rect->top : 0;
    // Created, and subclassed below, through the wide calls: the window then takes and gives
    // its texts in UTF-16, converted from and to UTF-8 at the toolkit's edge.
    HWND handle = CreateWindowExW(args.exStyle, WideText(className), WideText(args.title ? args.title : ""), style, x,
                                  y, width, height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(args.id)),
                                  args.instance ? args.instance : GetInstance(), args.param);
    if (!handle)
        return false;
    handle_ = handle;
    UpdateFrameFlags();
    WindowRegistry::Insert(handle, this);
    if (subclass) {
        systemProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::WindowProc)));
    }
    if (WindowProc(handle, WM_SWND_CREATED, 0, reinterpret_cast<LPARAM>(args.param)) != 0) {
        Destroy();
        return false;
    }
    if (visible && handle_)
        ShowWindow(handle_, SW_SHOW);
    return handle_ != nullptr;
}

void Window::ResetForCreation() {
    name.Empty();
    hasFrame_ = hasCaptionMenu_ = false;
    minTrackWidth_ = GetSystemMetrics(SM_CXMINTRACK);
    minTrackHeight_ = GetSystemMetrics(SM_CYMINTRACK);
    maxTrackWidth_ = maxTrackHeight_ = -1;
    caretEnabled_ = caretShown_ = caretVisible_ = false;
    caretWidth_ = caretHeight_ = caretX_ = caretY_ = 0;
    mouseTracked_ = false;
    currentZone_ = -1;
    currentNcZone_ = -2;
    dragging_ = false;
    childCounter_ = 0;
    sequence_ = 0;
    tabGroup = -1;
    modal_ = false;
    modalResult_ = 0;
    eraseDepth_ = 0;
    hLine_ = 10;
    vPage_ = 10;
    hGranularity_ = vGranularity_ = 1;
}

void Window::UpdateFrameFlags() {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(handle_, GWL_EXSTYLE));
    hasFrame_ = (style & (WS_BORDER | WS_THICKFRAME)) != 0 ||
                (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE)) != 0;
    hasCaptionMenu_ = (style & WS_SYSMENU) != 0 && (style & WS_CAPTION) == WS_CAPTION;
}

bool Window::Destroy() {
    if (!handle_)
        return false;
    HWND handle = handle_;
    ShowWindow(handle, SW_HIDE);
    if (!DestroyWindow(handle))
        return false;
    handle_ = nullptr;
    return true;
}

bool Window::Close() {
    if (!handle_)
        return false;
    return SendMessageA(handle_, WM_CLOSE, 0, 0) == 0;
}

Window* Window::FromHandle(HWND handle) {
    return WindowRegistry::Find(handle);
}

LRESULT Window::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    if (systemProc_)
        return CallWindowProcW(systemProc_, handle_, message, wParam, lParam);
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* const window = WindowRegistry::Find(handle);
    if (!window)
        return DefWindowProcW(handle, message, wParam, lParam);
    LRESULT result = 0;
    const int32_t eraseDepth = window->eraseDepth_;
    if (window->HandleMessage(message, wParam, lParam, result))
        result = window->OnMessage(message, wParam, lParam);
    // A class that answered the erase itself never reached the base close: close it here
    // without copying (what the class painted stays), so that the next erase is not taken
    // for a nested one.
    if (message == WM_ERASEBKGND && WindowRegistry::Find(handle) == window) {
        while (window->eraseDepth_ > eraseDepth)
            window->EndErase(nullptr);
    }
    // Only the handle is used from here: a handler may have deleted the object.
    if (message == WM_DESTROY)
        WindowRegistry::Remove(handle);
    return result;
}
