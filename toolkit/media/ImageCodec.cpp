// Image: decoding from and encoding to toolkit streams. GDI+ reads and writes COM streams, so
// the bytes pass through a global memory block wrapped by CreateStreamOnHGlobal; the block is
// filled or drained with one stream call, whatever kind of stream the toolkit hands over.
#include "toolkit/media/Image.h"

#include "toolkit/media/GdiplusApi.h"

#include <cstring>
#include <memory>

#include "toolkit/base/Com.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/base/Stream.h"
#include "toolkit/media/BitmapFileFix.h"

namespace {

const wchar_t* MimeTypeOf(int format) {
    switch (format) {
        case Image::kFormatJpeg:
            return L"image/jpeg";
        case Image::kFormatPng:
            return L"image/png";
        case Image::kFormatGif:
            return L"image/gif";
        default:
            return L"image/bmp";
    }
}

// A COM stream over a fresh global block holding the next `count` bytes of `stream`.
ComPtr<IStream> ComStreamFrom(Stream* stream, int count) {
    ComPtr<IStream> com;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(count));
    if (!block) {
        return com;
    }
    void* bytes = GlobalLock(block);
    const int read = bytes ? stream->Read(bytes, count) : 0;
    GlobalUnlock(block);
    if (read != count || FAILED(CreateStreamOnHGlobal(block, TRUE, com.Receive()))) {
        com.Reset();
        GlobalFree(block);
    }
    return com;
}

}  // namespace

bool Image::LoadFromStream(Stream* stream, int count) {
    Release();
    if (!stream) {
        return false;
    }
    const int available = stream->GetSize() - stream->Tell();
    const int n = (count < 0 || count > available) ? available : count;
    if (n <= 0) {
        return false;
    }
    ComPtr<IStream> com = ComStreamFrom(stream, n);
    if (!com) {
        return false;
    }
    // GDI+ takes its own reference on the COM stream for as long as the bitmap needs it.
    Adopt(Gdiplus::Bitmap::FromStream(com.Get()));
    return bitmap_ != nullptr;
}

bool Image::LoadFromResource(const char* type, int id, HMODULE module) {
    MemoryStream memory;
    if (!memory.LoadResource(type, id, module)) {
        Release();
        return false;
    }
    return LoadFromStream(&memory, -1);
}

bool Image::SaveToStream(Stream* stream, int format) const {
    if (!bitmap_ || !stream) {
        return false;
    }
    CLSID encoder;
    if (FindEncoder(MimeTypeOf(format), &encoder) < 0) {
        return false;
    }
    ComPtr<IStream> com;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, com.Receive()))) {
        return false;
    }
    if (bitmap_->Save(com.Get(), &encoder, nullptr) != Gdiplus::Ok) {
        return false;  // the status stays in the bitmap
    }
    STATSTG stat;
    HGLOBAL block = nullptr;
    if (FAILED(com->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(com.Get(), &block))) {
        return false;
    }
    const int size = static_cast<int>(stat.cbSize.QuadPart);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(block));
    if (!bytes) {
        return false;
    }
    if (std::wcscmp(MimeTypeOf(format), L"image/bmp") == 0) {
        MatchWindowsBitmapHeader(bytes, size);
    }
    const int written = stream->Write(bytes, size);
    GlobalUnlock(block);
    return written == size;
}

int Image::FindEncoder(const wchar_t* mimeType, CLSID* classId) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0) {
        return -1;
    }
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[bytes]);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) {
        return -1;
    }
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType && std::wcscmp(encoders[i].MimeType, mimeType) == 0) {
            *classId = encoders[i].Clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}
