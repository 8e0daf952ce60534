// Tests of painting: backgrounds and the erase path, child clipping, the nine-cell skin, key
// colour regions and layered windows, all read back from the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/media/Image.h"
#include "toolkit/window/Toolkit.h"

namespace {

// Screen tests keep to the bottom-right corner, away from where other test programs running
// at the same time show their windows and dialogs (around the centre and the top-left).
constexpr int kLeft = 800;
constexpr int kTop = 600;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

uint32_t Argb(COLORREF color, uint32_t alpha = 0xFF) {
    return (alpha << 24) | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

// A skin of the given size painted pixel by pixel by `colorAt(x, y)` (ARGB).
template <typename ColorAt>
void MakeSkin(Image& skin, int width, int height, ColorAt colorAt) {
    ASSERT_TRUE(skin.Create(width, height));
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            skin.SetPixel(x, y, colorAt(x, y));
}

// Fills the window's client area in `dc` (its screen area when none is given).
void Fill(HWND window, COLORREF color, HDC dc = nullptr) {
    HDC const target = dc ? dc : GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    SetDCBrushColor(target, color);
    FillRect(target, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (!dc)
        ReleaseDC(window, target);
}

// The screen pixel at x, y from the test corner; with `settled`, once that accepts it or the
// last one read after about a second: the display applies some changes (window shapes,
// exposures) a little later.
COLORREF Pixel(int x, int y, const std::function<bool(COLORREF)>& settled = nullptr) {
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, kLeft + x, kTop + y);
    for (int i = 0; i < 20 && settled && !settled(color); i++) {
        Settle();
        color = GetPixel(screen, kLeft + x, kTop + y);
    }
    ReleaseDC(nullptr, screen);
    return color;
}

// A visible topmost window at a position in the test corner, so the screen shows it.
bool ShowAt(Window& window, int x, int y, int width, int height) {
    if (!CreateAt(window, kLeft + x, kTop + y, width, height, WS_POPUP))
        return false;
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Settle();
    return true;
}

// The parent is red and the child's area on the screen painted over first; then one paint path
// runs and the child's centre shows what that path leaves there, the parent's corners red.
TEST(Paint, ChildAreaAfterEachPaintPath) {
    enum Path { kChildRedraw, kOwnErase, kNestedErase, kParentPaint, kChildPaintOnly };
    struct Case {
        Path path;
        int kind;
        uint32_t background;
        bool enabled;
        COLORREF before, expected;
    } const cases[] = {
        // A child that answers the erase itself (blue) keeps its pixels, and leaves no erase
        // open: its next erase, the toolkit's, is not taken for one nested in it.
        {kOwnErase, KIND_WINDOW, kGreen, true, kRed, kBlue},
        // A child redrawn on its own erases with its background; without one its pixels stay.
        {kChildRedraw, KIND_WINDOW, Window::kNoColor, true, kBlue, kBlue},
        {kChildRedraw, KIND_WINDOW, Window::kSeeThrough, true, kBlue, kRed},
        {kChildRedraw, KIND_WINDOW, kGreen, true, kBlue, kGreen},
        {kChildRedraw, KIND_WINDOW, 0xFE000000 + COLOR_WINDOWTEXT, true, kBlue, GetSysColor(COLOR_WINDOWTEXT)},
        // The parent's paint clips opaque children, but not those that paint over it.
        {kParentPaint, KIND_WINDOW, kGreen, true, kGreen, kGreen},
        {kParentPaint, KIND_BUTTON, kGreen, true, kGreen, kRed},
        {kParentPaint, KIND_GROUPBOX, kGreen, true, kGreen, kRed},
        {kParentPaint, KIND_WINDOW, Window::kSeeThrough, true, kGreen, kRed},
        // Kind sixteen, when disabled, is painted with its background without an erase.
        {kChildPaintOnly, KIND_DISABLED_PAINTED, kGreen, true, kBlue, kBlue},
        {kChildPaintOnly, KIND_DISABLED_PAINTED, kGreen, false, kBlue, kGreen},
        // The parent, all blue, has its child erase in the middle of its own erase (as a
        // handler that updates a child at once would): each erase composes on its own.
        {kNestedErase, KIND_WINDOW, kGreen, true, kBlue, kGreen},
    };
    RecordingWindow parent;
    ASSERT_TRUE(ShowAt(parent, 40, 40, 60, 60));
    parent.background = kRed;
    for (const Case& c : cases) {
        RecordingWindow child;
        child.kind = c.kind;
        ASSERT_TRUE(CreateAt(child, 10, 10, 20, 20, WS_CHILD | WS_VISIBLE, parent.Handle()));
        child.background = c.background;
        EnableWindow(child.Handle(), c.enabled);
        parent.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Settle();
        Fill(c.path == kNestedErase ? parent.Handle() : child.Handle(), c.before);
        child.hook = [&](UINT message, WPARAM dc) {
            const bool own = message == WM_ERASEBKGND && c.path == kOwnErase;
            if (own)
                Fill(child.Handle(), kBlue, reinterpret_cast<HDC>(dc));
            return own;
        };
        parent.hook = [&](UINT message, WPARAM) {
            if (message == WM_ERASEBKGND && c.path == kNestedErase)
                RedrawWindow(child.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            return false;
        };
        if (c.path == kChildRedraw || c.path == kOwnErase) {
            child.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        } else if (c.path == kNestedErase) {
            parent.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
        } else if (c.path == kChildPaintOnly) {
            RedrawWindow(child.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        } else {
            HDC dc = GetDC(parent.Handle());
            parent.PaintWindow(dc, dc);
            ReleaseDC(parent.Handle(), dc);
        }
        Settle();
        parent.hook = nullptr;
        EXPECT_EQ(Pixel(60, 60), c.expected) << c.path << " " << c.kind << " " << std::hex << c.background;
        EXPECT_EQ(Pixel(45, 45), kRed);
        EXPECT_EQ(Pixel(95, 95), kRed);
        if (c.path == kOwnErase) {
            child.hook = nullptr;
            child.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            EXPECT_EQ(Pixel(60, 60, [](COLORREF color) { return color == kGreen; }), kGreen);
        }
    }
}

TEST(Paint, NineCellSkinKeepsCornersAndRepeatsEdges) {
    // 3 x 3 skin, every pixel its own colour; the centre cell is the middle pixel.
    const auto color = [](int x, int y) { return RGB(10 + 40 * x, 10 + 40 * y, 0); };
    Image skin;
    MakeSkin(skin, 3, 3, [&](int x, int y) { return Argb(color(x, y)); });
    skin.SetMode(Image::kModeStretch);
    RecordingWindow window;
    ASSERT_TRUE(ShowAt(window, 10, 10, 10, 10));
    const RECT margins{1, 1, 2, 2};
    window.SetSkin(&skin, Image::kNoColor, &margins, true);
    Settle();
    // Skin cell (column, row) expected at each window pixel.
    auto cell = [](int p) { return p == 0 ? 0 : (p == 9 ? 2 : 1); };
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 10; x++)
            EXPECT_EQ(Pixel(10 + x, 10 + y), color(cell(x), cell(y))) << x << "," << y;
}

TEST(Paint, KeyColourMakesClickThroughHolesUntilTheSkinGoes) {
    Image skin;
    // Magenta in a 4 x 4 hole enclosed by opaque pixels and in the top-left corner pixel.
    MakeSkin(skin, 12, 12, [](int x, int y) {
        const bool hole = (x >= 4 && x < 8 && y >= 4 && y < 8) || (x == 0 && y == 0);
        return Argb(hole ? kMagenta : kGreen);
    });
    RecordingWindow below;
    ASSERT_TRUE(ShowAt(below, 0, 0, 40, 40));
    RecordingWindow window;
    ASSERT_TRUE(ShowAt(window, 10, 10, 12, 12));
    window.SetSkin(&skin, kMagenta, nullptr, true);
    Settle();
    struct Probe {
        int x, y;
        bool onWindow;
    } const probes[] = {{1, 1, true}, {0, 0, false}, {5, 5, false}, {7, 7, false}, {3, 5, true}, {8, 8, true}};
    for (const Probe& p : probes) {
        const POINT point{kLeft + 10 + p.x, kTop + 10 + p.y};
        EXPECT_EQ(WindowFromPoint(point), p.onWindow ? window.Handle() : below.Handle()) << p.x << "," << p.y;
    }
    window.SetSkin(nullptr, kMagenta, nullptr, true);
    EXPECT_FALSE(window.HasRegion());
    EXPECT_EQ(WindowFromPoint(POINT{kLeft + 15, kTop + 15}), window.Handle());
}

// The window's opacity on screen is checked through the program (the Appearance preview).
TEST(Paint, LayeredPerPixelAlphaOnScreen) {
    // Top half red, opaque on the left and half transparent on the right; bottom half fully transparent.
    Image skin;
    MakeSkin(skin, 20, 20, [](int x, int y) { return y < 10 ? Argb(kRed, x < 10 ? 0xFF : 0x80) : 0u; });
    RecordingWindow below;
    ASSERT_TRUE(ShowAt(below, 0, 0, 40, 40));
    below.background = kBlue;
    below.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RecordingWindow window;
    ASSERT_TRUE(CreateAt(window, kLeft + 10, kTop + 10, 20, 20));
    ASSERT_TRUE(window.SetLayered(true));
    window.SetSkin(&skin, Image::kNoColor, nullptr, false);
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ASSERT_TRUE(window.UpdateLayered(255));
    // Red at a level, give or take the rounding of the blend, and at most what the red leaves of the blue below.
    const auto red = [](int level) {
        return [level](COLORREF color) {
            return std::abs(GetRValue(color) - level) <= 2 && GetGValue(color) == 0 && GetBValue(color) <= 257 - level;
        };
    };
    const COLORREF opaque = Pixel(15, 15, red(255)), half = Pixel(25, 15, red(128));
    EXPECT_TRUE(red(255)(opaque)) << std::hex << opaque;
    EXPECT_TRUE(red(128)(half)) << std::hex << half;  // premultiplied: red scaled by its alpha
    EXPECT_EQ(Pixel(15, 25, [](COLORREF color) { return color == kBlue; }), kBlue);  // row 0 is the top one
    ASSERT_TRUE(window.Destroy());
    EXPECT_TRUE(window.Skin().IsEmpty());  // released with the window
}

TEST(Paint, EachThreadErasesThroughItsOwnBitmap) {
    HBITMAP other = nullptr;
    std::thread([&] { other = GetOffscreenBitmap(); }).join();
    EXPECT_TRUE(other && GetOffscreenBitmap() && other != GetOffscreenBitmap());
}

}  // namespace
