// Pictures at a DPI; see ScaledPictures.h.
#include "app/ScaledPictures.h"

#include "resources/ResourceIds.h"
#include "toolkit/media/Image.h"
#include "toolkit/window/DisplayScale.h"

bool LoadPictureAtDpi(Image& picture, int id, int dpi, HMODULE module) {
    if (dpi == kBaseDpi)
        return picture.LoadFromResource(resource::kBinaryType, id, module);
    if (dpi == 2 * kBaseDpi)
        return picture.LoadFromResource(resource::kBinaryType, id + resource::kDoubleSize, module);
    Image twice;
    if (!twice.LoadFromResource(resource::kBinaryType, id + resource::kDoubleSize, module)) {
        picture.Release();
        return false;
    }
    // Sized as the 96-DPI picture scaled, so pictures and window sizes round alike.
    return picture.ResampleFrom(twice, MulDiv(twice.Width(), dpi, 2 * kBaseDpi),
                                MulDiv(twice.Height(), dpi, 2 * kBaseDpi));
}
