// drag-source: a helper that drags files onto a window the way a user does, through real
// OLE drag and drop. It shows a small window, presses the left button on it with SendInput,
// starts DoDragDrop with a CF_HDROP data object, and lets a second thread move the mouse to the
// target, pause there and release (or, with --leave, come back and release on its own window).
// The files go as the shell sends them: a wide DROPFILES, so that names of any characters
// arrive whole (its arguments are read wide for the same reason: wmain, linked -municode).
//   drag-source.exe [--leave] [--hold MS] X Y FILE...
// Exit code: 0 the target took the drop, 1 it refused it (or the drag was cancelled),
// 2 usage or set-up failure.
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/base/Com.h"

namespace {

struct Options {
    bool leave = false;
    int holdMs = 500;
    POINT target{};
    std::vector<std::wstring> files;
};

Options g_options;
HWND g_window = nullptr;
DWORD g_effect = DROPEFFECT_NONE;
HRESULT g_result = E_FAIL;
bool g_dragged = false;

FORMATETC HdropFormat() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// DROPFILES followed by the UTF-16 paths, each zero-terminated, and one more zero.
HGLOBAL MakeDropFiles(const std::vector<std::wstring>& files) {
    size_t size = sizeof(DROPFILES) + sizeof(wchar_t);
    for (const std::wstring& file : files)
        size += (file.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!memory)
        return nullptr;
    char* bytes = static_cast<char*>(GlobalLock(memory));
    DROPFILES* header = reinterpret_cast<DROPFILES*>(bytes);
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    wchar_t* text = reinterpret_cast<wchar_t*>(bytes + sizeof(DROPFILES));
    for (const std::wstring& file : files) {
        memcpy(text, file.c_str(), (file.size() + 1) * sizeof(wchar_t));
        text += file.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

class FileData final : public ComObject<IDataObject, IID_IDataObject> {
public:
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = MakeDropFiles(g_options.files);
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format || format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        return format->dwAspect == DVASPECT_CONTENT ? S_OK : DV_E_DVASPECT;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        FORMATETC format = HdropFormat();
        return SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

class FileSource final : public ComObject<IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

void SendMouse(DWORD flags, POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

void Glide(POINT from, POINT to, int steps, int pauseMs) {
    for (int i = 1; i <= steps; i++) {
        POINT point{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        SendMouse(0, point);
        Sleep(pauseMs);
    }
}

// Stays over a point for a while with small moves, so that the drag loop keeps asking.
void Hover(POINT at, int ms) {
    for (int elapsed = 0; elapsed < ms; elapsed += 50) {
        SendMouse(0, POINT{at.x + (elapsed / 50) % 2, at.y});
        Sleep(50);
    }
}

POINT SourcePoint() {
    RECT rect{};
    GetWindowRect(g_window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

DWORD WINAPI DriveMouse(void*) {
    const POINT source = SourcePoint();
    SendMouse(0, source);
    Sleep(150);
    SendMouse(MOUSEEVENTF_LEFTDOWN, source);
    Sleep(250);
    Glide(source, g_options.target, 12, 25);
    Hover(g_options.target, g_options.holdMs);
    if (g_options.leave) {
        Glide(g_options.target, source, 12, 25);
        Hover(source, 300);
        SendMouse(MOUSEEVENTF_LEFTUP, source);
    } else {
        SendMouse(MOUSEEVENTF_LEFTUP, g_options.target);
    }
    Sleep(200);
    // Nudges the drag loop, which may wait for one more mouse message to see the release.
    SendMouse(0, g_options.leave ? source : g_options.target);
    return 0;
}

LRESULT CALLBACK SourceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN && !g_dragged) {
        g_dragged = true;
        FileData* data = new FileData();
        FileSource* source = new FileSource();
        g_result = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &g_effect);
        data->Release();
        source->Release();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool ParseOptions(int argc, wchar_t** argv) {
    int i = 1;
    for (; i < argc && argv[i][0] == L'-'; i++) {
        if (wcscmp(argv[i], L"--leave") == 0)
            g_options.leave = true;
        else if (wcscmp(argv[i], L"--hold") == 0 && i + 1 < argc)
            g_options.holdMs = _wtoi(argv[++i]);
        else
            return false;
    }
    if (argc - i < 3)
        return false;
    g_options.target = POINT{_wtoi(argv[i]), _wtoi(argv[i + 1])};
    for (i += 2; i < argc; i++)
        g_options.files.push_back(argv[i]);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (!ParseOptions(argc, argv)) {
        fprintf(stderr, "usage: drag-source [--leave] [--hold MS] X Y FILE...\n");
        return 2;
    }
    if (FAILED(OleInitialize(nullptr)))
        return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SourceProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = "KvrDragSource";
    RegisterClassA(&windowClass);
    // Away from the usual targets, in the lower left of the screen.
    g_window =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "KvrDragSource", "drag source", WS_POPUP | WS_VISIBLE, 20,
                        GetSystemMetrics(SM_CYSCREEN) - 80, 48, 48, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!g_window)
        return 2;
    UpdateWindow(g_window);
    HANDLE mouse = CreateThread(nullptr, 0, DriveMouse, nullptr, 0, nullptr);
    // The drag ends with the thread's release; a drag that never starts ends here too.
    SetTimer(g_window, 1, 15000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == g_window)
            break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    WaitForSingleObject(mouse, 5000);
    DestroyWindow(g_window);
    OleUninitialize();
    if (!g_dragged)
        return 2;
    printf("result 0x%08lx effect %lu\n", static_cast<unsigned long>(g_result), static_cast<unsigned long>(g_effect));
    return (g_result == DRAGDROP_S_DROP && g_effect != DROPEFFECT_NONE) ? 0 : 1;
}
