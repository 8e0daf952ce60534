// DirectSound 8 declarations. <dsound.h> needs the wave format types of <mmsystem.h>, which
// needs <windows.h> first; the order is fixed here once.
#pragma once

// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
// clang-format on
