// The GDI+ C++ wrapper headers of MinGW-w64. They expect the COM declarations (IStream,
// PROPID) that WIN32_LEAN_AND_MEAN leaves out of <windows.h>, so they come in through here.
#pragma once

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on
