// Progress: the one place where a part done of a total becomes a progress value. The
// product is taken in 64 bits: positions past 2 MB times 1000 no longer fit in 32.
#pragma once

#include <cstdint>

// trunc(done / total * scale); 0 when total is not positive.
inline int ScaleProgress(int64_t done, int64_t total, int scale) {
    if (total <= 0)
        return 0;
    return static_cast<int>(done * scale / total);
}
