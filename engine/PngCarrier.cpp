// PngCarrier: PNG to temporary BMP through GDI+, then bitmap extraction.
#include "engine/PngCarrier.h"

#include <cstdint>

#include "engine/BitmapCarrier.h"
#include "engine/RequestEvents.h"
#include "engine/ScopedTempFile.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/media/Image.h"

namespace {

// The bitmap file's size must stay a signed 32-bit count like every stream size.
bool FitsInBitmapFile(const Image& image) {
    const int64_t stride = (static_cast<int64_t>(image.Width()) * 3 + 3) / 4 * 4;
    return stride * image.Height() < INT32_MAX - 1024;
}

bool LoadPicture(const String& pngPath, Image& image) {
    FileStream source;
    return source.Open(pngPath, false, false, true) && image.LoadFromStream(&source);
}

}  // namespace

bool ExtractPngPayload(Stream& raw, const String& pngPath, const RequestCallbackBlock& block, int64_t* capacity) {
    Image image;
    if (!LoadPicture(pngPath, image))
        return FailRequest(block, messages::kPngCarrier);
    if (!FitsInBitmapFile(image))
        return FailRequest(block, messages::kTooLarge);

    ScopedTempFile bitmapFile;
    {
        FileStream bitmap;
        if (!bitmapFile.IsValid() || !bitmap.Open(bitmapFile.Path(), true, true, false))
            return FailRequest(block, messages::kUnknownError);
        if (!image.SaveToStream(&bitmap, Image::kFormatBmp) || bitmap.Tell() <= 0)
            return FailRequest(block, messages::kUnknownError);
    }
    image.Release();
    return ExtractBitmapPayload(raw, bitmapFile.Path(), block, true, capacity);
}
