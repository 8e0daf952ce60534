// MediaStartup: the process-wide media state of the toolkit, the GDI+ start-up token and the
// one DirectSound 8 device that every Sound plays through. The application starts them after
// ToolkitInit and stops them before ToolkitShutdown, each once per process, on its
// user-interface thread: GraphicsStartup, SoundStartup(toolkit window, 2) ... SoundShutdown,
// GraphicsShutdown. Without a device (no sound hardware, or it stayed busy) the toolkit runs
// silently: GetSoundDevice gives null and every Sound operation does nothing.
#pragma once

#include <windows.h>

struct IDirectSound8;

// GDI+ version 1, no debug callback, its background thread on. False when GDI+ refused.
bool GraphicsStartup();
void GraphicsShutdown();
bool IsGraphicsStarted();

// DSSCL_PRIORITY is the level the application asks for.
void SoundStartup(HWND window, DWORD cooperativeLevel);
void SoundShutdown();
IDirectSound8* GetSoundDevice();

// The retry rule of SoundStartup, apart so that it can be exercised without hardware: calls
// create up to `tries` times while it answers DSERR_ALLOCATED or DSERR_NODRIVER (the device is
// busy or its driver is still coming up), pausing `pauseMs` between tries. Gives the device or
// null; `triesMade` (when given) receives the number of calls made.
using SoundDeviceCreator = HRESULT (*)(IDirectSound8** device, void* context);
IDirectSound8* CreateSoundDeviceWithRetry(SoundDeviceCreator create,
                                          void* context,
                                          int tries,
                                          DWORD pauseMs,
                                          int* triesMade = nullptr);
