// A definition colour for GDI; see DefinitionColors.h.
#include "toolkit/dialogdef/DefinitionColors.h"

#include "toolkit/dialogdef/DefinitionValues.h"
#include "toolkit/media/GdiplusColor.h"

bool ResolveColor(uint32_t color, COLORREF& out) {
    if (color == kColorNotSet)
        return false;
    out = ColorRefOf(color);
    return true;
}
