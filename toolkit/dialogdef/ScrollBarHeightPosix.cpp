// SystemScrollBarHeight without a Windows system: the height of its standard metrics.
#include "toolkit/dialogdef/ControlTypes.h"

int SystemScrollBarHeight() {
    return 17;
}
