// Tests of painting: backgrounds and the erase path, child clipping, the nine-cell skin, key
// colour regions and layered windows, all read back from the screen.
#include <gtest/gtest.h>

#include <thread>

#include "tests/toolkit/window/TestWindows.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"
#include "toolkit/window/LayeredBitmap.h"
#include "toolkit/window/Toolkit.h"

namespace {

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
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++)
            skin.SetPixel(x, y, colorAt(x, y));
    }
}

void FillScreenArea(HWND window, COLORREF color) {
    HDC dc = GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
    GdiFlush();
}

class PaintTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(GraphicsStartup()); }
    static void TearDownTestSuite() { GraphicsShutdown(); }

    // A visible topmost window at a screen position, so the screen shows it.
    static bool ShowAt(Window& window, int x, int y, int width, int height) {
        if (!CreateTopLevel(window, x, y, width, height, WS_POPUP))
            return false;
        SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        Settle();
        return true;
    }
};

TEST_F(PaintTest, ChildBackgroundsOnTheirOwnRedraw) {
    struct Case {
        uint32_t background;
        COLORREF expected;  // the parent is red; the child's area was painted blue beforehand
    } const cases[] = {
        {Window::kNoColor, kBlue},
        {Window::kSeeThrough, kRed},
        {kGreen, kGreen},
        {0xFE000000 + COLOR_WINDOWTEXT, GetSysColor(COLOR_WINDOWTEXT)},
    };
    RecordingWindow parent;
    ASSERT_TRUE(ShowAt(parent, 40, 40, 60, 60));
    parent.background = kRed;
    for (const Case& c : cases) {
        RecordingWindow child;
        ASSERT_TRUE(CreateChild(child, parent, 10, 10, 20, 20));
        child.background = c.background;
        parent.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        FillScreenArea(child.Handle(), kBlue);
        child.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
        EXPECT_EQ(ScreenPixel(60, 60), c.expected) << std::hex << c.background;
        EXPECT_EQ(ScreenPixel(45, 45), kRed);
    }
}

TEST_F(PaintTest, ParentPaintClipsOpaqueChildrenButNotThoseThatPaintOverIt) {
    struct Case {
        int kind;
        uint32_t background;
        COLORREF expected;
    } const cases[] = {
        {KIND_WINDOW, kGreen, kGreen},
        {KIND_BUTTON, kGreen, kRed},
        {KIND_GROUPBOX, kGreen, kRed},
        {KIND_WINDOW, Window::kSeeThrough, kRed},
    };
    RecordingWindow parent;
    ASSERT_TRUE(ShowAt(parent, 40, 40, 60, 60));
    parent.background = kRed;
    for (const Case& c : cases) {
        RecordingWindow child;
        child.kind = c.kind;
        ASSERT_TRUE(CreateChild(child, parent, 10, 10, 20, 20));
        child.background = c.background;
        Settle();
        FillScreenArea(child.Handle(), kGreen);
        HDC dc = GetDC(parent.Handle());
        parent.PaintWindow(dc, dc);
        ReleaseDC(parent.Handle(), dc);
        Settle();
        EXPECT_EQ(ScreenPixel(60, 60), c.expected) << c.kind << " " << std::hex << c.background;
    }
}

TEST_F(PaintTest, DisabledKindSixteenIsPaintedWithoutAnErase) {
    RecordingWindow parent;
    ASSERT_TRUE(ShowAt(parent, 40, 40, 60, 60));
    for (const bool enabled : {true, false}) {
        RecordingWindow child;
        child.kind = KIND_DISABLED_PAINTED;
        ASSERT_TRUE(CreateChild(child, parent, 10, 10, 20, 20));
        child.background = kGreen;
        EnableWindow(child.Handle(), enabled);
        Settle();
        FillScreenArea(child.Handle(), kBlue);
        RedrawWindow(child.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Settle();
        EXPECT_EQ(ScreenPixel(60, 60), enabled ? kBlue : kGreen) << enabled;
    }
}

TEST_F(PaintTest, NineCellSkinKeepsCornersAndRepeatsEdges) {
    // 3 x 3 skin, every pixel its own colour; the centre cell is the middle pixel.
    const COLORREF colors[3][3] = {{RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0)},
                                   {RGB(0, 40, 0), RGB(0, 50, 0), RGB(0, 60, 0)},
                                   {RGB(0, 0, 70), RGB(0, 0, 80), RGB(0, 0, 90)}};
    Image skin;
    MakeSkin(skin, 3, 3, [&](int x, int y) { return Argb(colors[y][x]); });
    skin.SetMode(Image::kModeStretch);
    RecordingWindow window;
    ASSERT_TRUE(ShowAt(window, 200, 200, 10, 10));
    const RECT margins{1, 1, 2, 2};
    window.SetSkin(&skin, Image::kNoColor, &margins, true);
    Settle();
    // Skin cell (column, row) expected at each window pixel.
    auto cell = [](int p) { return p == 0 ? 0 : (p == 9 ? 2 : 1); };
    for (int y = 0; y < 10; y++) {
        for (int x = 0; x < 10; x++)
            EXPECT_EQ(ScreenPixel(200 + x, 200 + y), colors[cell(y)][cell(x)]) << x << "," << y;
    }
}

TEST_F(PaintTest, KeyColourMakesClickThroughHolesUntilTheSkinGoes) {
    Image skin;
    // Magenta in a 4 x 4 hole enclosed by opaque pixels and in the top-left corner pixel.
    MakeSkin(skin, 12, 12, [](int x, int y) {
        const bool hole = (x >= 4 && x < 8 && y >= 4 && y < 8) || (x == 0 && y == 0);
        return Argb(hole ? kMagenta : kGreen);
    });
    RecordingWindow below;
    ASSERT_TRUE(ShowAt(below, 290, 290, 40, 40));
    RecordingWindow window;
    ASSERT_TRUE(ShowAt(window, 300, 300, 12, 12));
    window.SetSkin(&skin, kMagenta, nullptr, true);
    Settle();
    EXPECT_TRUE(window.HasRegion());
    struct Probe {
        int x, y;
        bool onWindow;
    } const probes[] = {{1, 1, true}, {0, 0, false}, {5, 5, false}, {7, 7, false}, {3, 5, true}, {8, 8, true}};
    for (const Probe& p : probes) {
        const POINT point{300 + p.x, 300 + p.y};
        EXPECT_EQ(WindowFromPoint(point), p.onWindow ? window.Handle() : below.Handle()) << p.x << "," << p.y;
    }
    window.SetSkin(nullptr, kMagenta, nullptr, true);
    EXPECT_FALSE(window.HasRegion());
    EXPECT_EQ(WindowFromPoint(POINT{305, 305}), window.Handle());
}

TEST_F(PaintTest, RenderToMemoryGivesPremultipliedTopDownPixels) {
    Image skin;
    MakeSkin(skin, 4, 2, [](int x, int y) { return y == 0 ? Argb(kRed, x == 0 ? 0xFF : 0x80) : 0u; });
    RecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window, 0, 0, 4, 2));
    window.SetSkin(&skin, Image::kNoColor, nullptr, false);
    LayeredBitmap canvas;
    ASSERT_TRUE(window.RenderToMemory(canvas));
    ASSERT_EQ(canvas.Width(), 4);
    ASSERT_EQ(canvas.Height(), 2);
    EXPECT_EQ(canvas.PixelAt(0, 0), 0xFFFF0000u);
    const uint32_t half = canvas.PixelAt(1, 0);
    EXPECT_EQ(half >> 24, 0x80u);
    EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), 0x80, 1);  // red scaled by its alpha
    EXPECT_EQ(canvas.PixelAt(0, 1), 0u);                            // row 1 is the bottom row
}

TEST_F(PaintTest, LayeredOpacityAndPerPixelAlphaOnScreen) {
    // Left half opaque red, right half fully transparent.
    Image skin;
    MakeSkin(skin, 20, 20, [](int x, int) { return x < 10 ? Argb(kRed) : 0u; });
    RecordingWindow below;
    ASSERT_TRUE(ShowAt(below, 390, 390, 40, 40));
    below.background = kBlue;
    below.Redraw(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window, 400, 400, 20, 20));
    ASSERT_TRUE(window.SetLayered(true));
    window.SetSkin(&skin, Image::kNoColor, nullptr, false);
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    // Half opacity: half the red, over the blue below where the display composes windows, over
    // black where it cannot (a plain X server).
    struct Case {
        int opacity;
        int red;
        int blue;
    } const cases[] = {{255, 255, 0}, {128, 128, -1}, {0, 0, 255}};
    for (const Case& c : cases) {
        ASSERT_TRUE(window.UpdateLayered(c.opacity));
        const COLORREF left =
            ScreenPixelOnce(405, 405, [&](COLORREF color) { return abs(GetRValue(color) - c.red) <= 2; });
        EXPECT_NEAR(GetRValue(left), c.red, 2) << c.opacity;
        EXPECT_EQ(GetGValue(left), 0) << c.opacity;
        if (c.blue >= 0)
            EXPECT_EQ(GetBValue(left), c.blue) << c.opacity;
        else
            EXPECT_TRUE(GetBValue(left) == 0 || abs(GetBValue(left) - 127) <= 2) << GetBValue(left);
        EXPECT_EQ(ScreenPixelOnce(415, 405, [](COLORREF color) { return color == kBlue; }), kBlue) << c.opacity;
        EXPECT_TRUE(IsWindowVisible(window.Handle()));
    }
}

TEST_F(PaintTest, EachThreadErasesThroughItsOwnBitmap) {
    HBITMAP mine = GetOffscreenBitmap();
    HBITMAP other = nullptr;
    std::thread([&] { other = GetOffscreenBitmap(); }).join();
    EXPECT_NE(mine, nullptr);
    EXPECT_NE(other, nullptr);
    EXPECT_NE(mine, other);
}

}  // namespace
