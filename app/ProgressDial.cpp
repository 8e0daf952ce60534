// ProgressDial: see ProgressDial.h.
#include "app/ProgressDial.h"

int DialPictureIndex(int progress) {
    if (progress < 0)
        progress = 0;
    if (progress > 2000)
        progress = 2000;
    // Whole numbers, not 0.02 and 0.019 in floating point: 1000 x 0.019 comes out just below
    // 19, which would leave the full dial unreachable at 2000.
    if (progress <= 1000)
        return progress / 50;
    return 21 + (progress - 1000) * 19 / 1000;
}
