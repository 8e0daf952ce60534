// SystemScrollBarHeight from the system's metrics.
#include <windows.h>

#include "toolkit/dialogdef/ControlTypes.h"

int SystemScrollBarHeight() {
    return GetSystemMetrics(SM_CYHSCROLL);
}
