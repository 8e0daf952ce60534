// PngCarrier: PNG to temporary BMP through PngPicture, then bitmap extraction.
#include "engine/PngCarrier.h"

#include <cstdint>

#include "engine/BitmapCarrier.h"
#include "engine/PngPicture.h"
#include "engine/RequestEvents.h"
#include "engine/ScopedTempFile.h"
#include "toolkit/base/FileStream.h"

namespace {

bool LoadPicture(const String& pngPath, PngPicture& picture) {
    FileStream source;
    return source.Open(pngPath, false, false, true) && picture.Load(source);
}

}  // namespace

bool ExtractPngPayload(Stream& raw, const String& pngPath, const RequestCallbackBlock& block, int64_t* capacity) {
    PngPicture picture;
    if (!LoadPicture(pngPath, picture))
        return FailRequest(block, messages::kPngCarrier);
    if (!BitmapFitsInFile(picture.Width(), picture.Height()))
        return FailRequest(block, messages::kTooLarge);

    ScopedTempFile bitmapFile;
    {
        FileStream bitmap;
        if (!bitmapFile.IsValid() || !bitmap.Open(bitmapFile.Path(), true, true, false))
            return FailRequest(block, messages::kUnknownError);
        if (!picture.SaveAsBitmap(bitmap) || bitmap.Tell() <= 0)
            return FailRequest(block, messages::kUnknownError);
    }
    picture.Release();
    return ExtractBitmapPayload(raw, bitmapFile.Path(), block, true, capacity);
}
