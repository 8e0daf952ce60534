// The mouse report every control of the family sends to its parent: the Win32 button
// messages and the framework's click messages become one MouseEvent record.
#pragma once

#include <windows.h>

class Window;

// Sends reportMessage to the control's parent when message is a mouse message of the family
// and the control has a parent; true when it sent one.
bool ReportMouse(Window& control, UINT reportMessage, UINT message, LPARAM position);
