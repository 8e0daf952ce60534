// Support of the image tests; see TestPictures.h.
#include "tests/toolkit/media/TestPictures.h"

#include <vector>

#include "toolkit/base/Stream.h"

namespace mediatest {

void WriteBytes(Stream* stream, const Bytes& bytes) {
    stream->Write(bytes.data(), static_cast<int>(bytes.size()));
    stream->Seek(0);
}

Bytes ReadAll(Stream* stream) {
    stream->Seek(0);
    Bytes bytes(static_cast<size_t>(stream->GetSize()));
    const int read = stream->Read(bytes.data(), static_cast<int>(bytes.size()));
    bytes.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return bytes;
}

int GdiRoom() {
    std::vector<HRGN> regions;
    for (HRGN region; (region = CreateRectRgn(0, 0, 1, 1)) != nullptr;)
        regions.push_back(region);
    for (HRGN region : regions)
        DeleteObject(region);
    return static_cast<int>(regions.size());
}

}  // namespace mediatest
