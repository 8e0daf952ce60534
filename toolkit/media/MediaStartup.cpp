// Process-wide GDI+ token and DirectSound device. Both are set on the user-interface thread
// before the worker starts and cleared after it ended, so readers on either thread need no lock.
#include "toolkit/media/MediaStartup.h"

#include "toolkit/media/DirectSoundApi.h"
#include "toolkit/media/GdiplusApi.h"

namespace {

ULONG_PTR graphicsToken = 0;
bool graphicsStarted = false;
IDirectSound8* soundDevice = nullptr;

constexpr int kSoundTries = 10;
constexpr DWORD kSoundRetryPauseMs = 500;

HRESULT CreateDefaultDevice(IDirectSound8** device, void*) {
    return DirectSoundCreate8(nullptr, device, nullptr);
}

bool IsTransientSoundError(HRESULT hr) {
    return hr == DSERR_ALLOCATED || hr == DSERR_NODRIVER;
}

}  // namespace

bool GraphicsStartup() {
    if (graphicsStarted) {
        return true;
    }
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    input.SuppressExternalCodecs = FALSE;
    graphicsStarted = Gdiplus::GdiplusStartup(&graphicsToken, &input, nullptr) == Gdiplus::Ok;
    return graphicsStarted;
}

void GraphicsShutdown() {
    if (!graphicsStarted) {
        return;
    }
    Gdiplus::GdiplusShutdown(graphicsToken);
    graphicsToken = 0;
    graphicsStarted = false;
}

bool IsGraphicsStarted() {
    return graphicsStarted;
}

IDirectSound8* CreateSoundDeviceWithRetry(SoundDeviceCreator create,
                                          void* context,
                                          int tries,
                                          DWORD pauseMs,
                                          int* triesMade) {
    IDirectSound8* device = nullptr;
    int made = 0;
    for (int i = 0; i < tries; ++i) {
        if (i > 0) {
            Sleep(pauseMs);
        }
        device = nullptr;
        const HRESULT hr = create(&device, context);
        ++made;
        if (!IsTransientSoundError(hr)) {
            if (FAILED(hr) && device) {
                device->Release();
                device = nullptr;
            }
            break;
        }
        if (device) {
            device->Release();
            device = nullptr;
        }
    }
    if (triesMade) {
        *triesMade = made;
    }
    return device;
}

void SoundStartup(HWND window, DWORD cooperativeLevel) {
    SoundShutdown();
    IDirectSound8* device = CreateSoundDeviceWithRetry(CreateDefaultDevice, nullptr, kSoundTries, kSoundRetryPauseMs);
    if (!device) {
        return;
    }
    // DirectSound plays nothing before a cooperative level is set, and that needs a window;
    // a window-less start (a console program, a test) borrows the desktop's.
    device->SetCooperativeLevel(window ? window : GetDesktopWindow(), cooperativeLevel);
    soundDevice = device;
}

void SoundShutdown() {
    if (soundDevice) {
        soundDevice->Release();
        soundDevice = nullptr;
    }
}

IDirectSound8* GetSoundDevice() {
    return soundDevice;
}
