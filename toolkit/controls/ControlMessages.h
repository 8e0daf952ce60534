// Messages of the control family. Each control class reports mouse input to its parent under
// the first number of its block (wParam the control, lParam a MouseEvent valid during the
// call); its notifications follow (toolkit/window/Messages.h holds the ones the window
// framework itself sends, the kind codes and the mouse event bits).
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/window/Messages.h"

enum : UINT {
    WM_SWND_BUTTONMOUSE = 0x8BB8,
    WM_SWND_CHECKMOUSE = 0x8BCC,
    WM_SWND_EDITMOUSE = 0x8BF4,
    WM_SWND_EDITENTER = 0x8BF6,
    WM_SWND_IPEDITMOUSE = 0x8C08,
    WM_SWND_GROUPMOUSE = 0x8C30,
    WM_SWND_LISTMOUSE = 0x8C44,
    WM_SWND_PROGRESSMOUSE = 0x8C94,
    WM_SWND_RADIOMOUSE = 0x8CBC,
    WM_SWND_RICHEDITMOUSE = 0x8CD0,
    WM_SWND_SCROLLBARMOUSE = 0x8CE4,
    WM_SWND_TRACKBARMOUSE = 0x8CF8,
    WM_SWND_TABMOUSE = 0x8D34,
    WM_SWND_TEXTMOUSE = 0x8D5C,
};
