// Region builder. The bitmap is copied into a 32-bit top-down DIB section so that rows are
// scanned from the picture's top; runs of kept pixels become one-row rectangles collected in
// a RGNDATA block, which is turned into a region and united with the result every 2000
// rectangles (ExtCreateRegion gets slow and may refuse very large blocks).
#include "toolkit/media/RegionBuilder.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "toolkit/media/GdiHandles.h"

namespace {

constexpr DWORD kGrowRects = 100;
constexpr DWORD kFlushRects = 2000;

struct ChannelRange {
    int low;
    int high;
    bool Holds(int value) const { return value >= low && value <= high; }
};

ChannelRange RangeOf(uint32_t key, uint32_t tolerance, int shift) {
    const int low = (key >> shift) & 0xFF;
    const int high = low + static_cast<int>((tolerance >> shift) & 0xFF);
    return {low, high > 255 ? 255 : high};
}

// Collects rectangles and unites them into the result region batch by batch.
class RegionCollector {
public:
    RegionCollector() { Restart(); }

    void Add(int left, int top, int right, int bottom) {
        if (rects_.size() == rects_.capacity()) {
            rects_.reserve(rects_.size() + kGrowRects);
        }
        rects_.push_back({left, top, right, bottom});
        bounds_.left = left < bounds_.left ? left : bounds_.left;
        bounds_.top = top < bounds_.top ? top : bounds_.top;
        bounds_.right = right > bounds_.right ? right : bounds_.right;
        bounds_.bottom = bottom > bounds_.bottom ? bottom : bounds_.bottom;
        if (rects_.size() == kFlushRects) {
            Flush();
        }
    }

    HRGN Finish() {
        Flush();
        if (!result_) {
            result_.Reset(CreateRectRgn(0, 0, 0, 0));
        }
        return result_.Detach();
    }

private:
    void Restart() {
        rects_.clear();
        rects_.reserve(kGrowRects);
        bounds_ = {LONG_MAX, LONG_MAX, 0, 0};
    }

    void Flush() {
        if (rects_.empty()) {
            return;
        }
        const size_t bytes = sizeof(RGNDATAHEADER) + rects_.size() * sizeof(RECT);
        std::vector<char> block(bytes);
        auto* data = reinterpret_cast<RGNDATA*>(block.data());
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = static_cast<DWORD>(rects_.size());
        data->rdh.nRgnSize = static_cast<DWORD>(rects_.size() * sizeof(RECT));
        data->rdh.rcBound = bounds_;
        memcpy(data->Buffer, rects_.data(), rects_.size() * sizeof(RECT));
        HRGN part = ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data);
        Restart();
        if (!part) {
            return;
        }
        if (!result_) {
            result_.Reset(part);
            return;
        }
        CombineRgn(result_.Get(), result_.Get(), part, RGN_OR);
        DeleteObject(part);
    }

    std::vector<RECT> rects_;
    RECT bounds_;
    GdiObject<HRGN> result_;
};

}  // namespace

HRGN BuildRegionFromBitmap(HBITMAP bitmap, uint32_t key, uint32_t tolerance) {
    BITMAP info;
    if (!bitmap || !GetObject(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return nullptr;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight;

    BITMAPINFO dibInfo = {};
    dibInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    dibInfo.bmiHeader.biWidth = width;
    dibInfo.bmiHeader.biHeight = -height;  // top-down: row 0 is the picture's top row
    dibInfo.bmiHeader.biPlanes = 1;
    dibInfo.bmiHeader.biBitCount = 32;
    dibInfo.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> dib(CreateDIBSection(nullptr, &dibInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) {
        return nullptr;
    }
    {
        MemoryDC source;
        MemoryDC target;
        if (!source || !target) {
            return nullptr;
        }
        source.Select(bitmap);
        target.Select(dib.Get());
        if (!BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY)) {
            return nullptr;
        }
    }
    GdiFlush();

    const ChannelRange red = RangeOf(key, tolerance, 0);
    const ChannelRange green = RangeOf(key, tolerance, 8);
    const ChannelRange blue = RangeOf(key, tolerance, 16);
    const auto* pixels = static_cast<const uint8_t*>(bits);
    auto transparent = [&](int x, int y) {
        const uint8_t* p = pixels + (static_cast<size_t>(y) * width + x) * 4;  // B, G, R, A
        return blue.Holds(p[0]) && green.Holds(p[1]) && red.Holds(p[2]);
    };

    RegionCollector collector;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (transparent(x, y)) {
                continue;
            }
            const int x0 = x;
            while (x < width && !transparent(x, y)) {
                ++x;
            }
            collector.Add(x0, y, x, y + 1);
        }
    }
    return collector.Finish();
}
