// PngCarrier: the PNG route of carrier extraction. The picture is decoded (PngPicture),
// saved as a BMP into a temporary file, and that bitmap is read as a bitmap carrier with the
// PNG messages. The bitmap file is deleted whatever happens. On Windows GDI+ must be started.
#pragma once

#include <cstdint>

#include "engine/DecryptRequest.h"
#include "toolkit/base/String.h"

class Stream;

// Writes the payload into raw at its position. A source that does not decode as a picture
// fails with the PNG message; a bitmap file that cannot be made or written with
// "Unknown Error"; a picture whose bitmap would reach 2 GB with the too-large message. On
// failure or cancel raises the closing events itself and gives false. capacity as for a bitmap.
bool ExtractPngPayload(Stream& raw,
                       const String& pngPath,
                       const RequestCallbackBlock& block,
                       int64_t* capacity = nullptr);
