// Colour words, colour transforms, fit rectangles, fonts and gradients.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tests/toolkit/media/TestPictures.h"
#include "toolkit/media/DrawingHelpers.h"
#include "toolkit/media/GdiHandles.h"
#include "toolkit/media/GdiplusApi.h"
#include "toolkit/media/Image.h"

using namespace mediatest;

namespace {

TEST(ColorText, BothFormsRoundTripOtherLengthsGiveZero) {
    struct Case {
        uint32_t color;
        const char* text;
    };
    const Case cases[] = {
        {0x000080FF, "#FF8000"},   {0x00000000, "#000000"},   {0x00FFFFFF, "#FFFFFF"},   {0x00123456, "#563412"},
        {0xFF000001, "#FF000001"}, {0xFF000000, "#FF000000"}, {0x01000000, "#01000000"}, {0xFE00000F, "#FE00000F"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(ColorToText(c.color).Text(), c.text) << std::hex << c.color;
        EXPECT_EQ(TextToColor(c.text), c.color) << c.text;
    }
    // Other lengths give zero; case does not matter.
    for (const char* text : {"#FF800", "", "#FF80001", "#FF8000012", "FF8000"}) {
        EXPECT_EQ(TextToColor(text), 0u) << text;
    }
    EXPECT_EQ(TextToColor(nullptr), 0u);
    EXPECT_EQ(TextToColor("#ff8000"), 0x000080FFu);
    EXPECT_EQ(TextToColor("xFF8000"), 0x000080FFu);  // the first character is not examined
}

TEST(ColorTransforms, GreyAndBrightness) {
    struct Case {
        uint32_t color;
        uint32_t grey;
    };
    const Case greys[] = {
        {0x000000FF, 0x004C4C4C},  // red: 76
        {0x0000FF00, 0x00969696},  // green: 150
        {0x00FF0000, 0x001D1D1D},  // blue: 29
        {0x00FFFFFF, 0x00FFFFFF}, {0x00000000, 0x00000000},
    };
    for (const Case& c : greys) {
        EXPECT_EQ(GreyOf(c.color), c.grey) << std::hex << c.color;
    }
    EXPECT_EQ(ShiftBrightness(0x00000000, 50), 0x00323232u);
    EXPECT_EQ(ShiftBrightness(0x00FFFFFF, 40), 0x00FFFFFFu);    // luma clamps at 255
    EXPECT_EQ(ShiftBrightness(0x00808080, -200), 0x00000000u);  // and at 0
    // A shift of 0 gives back a colour within rounding of the original.
    for (uint32_t color : {0x000080FFu, 0x00336699u, 0x00C0C0C0u}) {
        const uint32_t back = ShiftBrightness(color, 0);
        for (int shift : {0, 8, 16}) {
            const int a = (color >> shift) & 0xFF;
            const int b = (back >> shift) & 0xFF;
            EXPECT_LE(abs(a - b), 3) << std::hex << color << " channel " << shift;
        }
    }
}

TEST(FitRect, CentresTheLargestRectangleOfThePictureShape) {
    struct Case {
        RECT area;
        int width;
        int height;
        RECT expected;
    };
    const Case cases[] = {
        {{0, 0, 100, 100}, 200, 100, {0, 25, 100, 75}},
        {{0, 0, 100, 100}, 100, 200, {25, 0, 75, 100}},
        {{10, 20, 110, 70}, 4, 2, {10, 20, 110, 70}},
        {{0, 0, 50, 50}, 7, 0, {0, 0, 50, 50}},  // no height: ratio 1
    };
    for (const Case& c : cases) {
        const RECT fit = FitRect(c.area, c.width, c.height);
        EXPECT_TRUE(EqualRect(&fit, &c.expected))
            << fit.left << "," << fit.top << "," << fit.right << "," << fit.bottom;
    }
}

TEST(Fonts, StyleCodeAndFaceNames) {
    LOGFONTA font;
    FillLogFont(&font, "A face name that is much longer than thirty-one characters", 10, kFontBold | kFontUnderline);
    EXPECT_EQ(strlen(font.lfFaceName), 31u);
    EXPECT_LT(font.lfHeight, 0);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(FontStyleOf(font), kFontBold | kFontUnderline);
    FillLogFont(&font, "Arial", 12, kFontItalic | kFontStrikeout);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(font.lfWeight, 0);
    EXPECT_EQ(FontStyleOf(font), kFontItalic | kFontStrikeout);
    font.lfWeight = 600;  // only exactly 700 counts as bold
    EXPECT_EQ(FontStyleOf(font) & kFontBold, 0u);

    GdiObject<HFONT> points(CreateFontPoints(nullptr, "Arial", 12, kFontBold));
    GdiObject<HFONT> height(CreateFontHeight("Arial", -16, 0));
    ASSERT_TRUE(points);
    ASSERT_TRUE(height);
    LOGFONTA made;
    ASSERT_TRUE(GetObjectA(points.Get(), sizeof(made), &made));
    EXPECT_EQ(made.lfHeight, font.lfHeight);  // same rule as FillLogFont for the screen
    EXPECT_EQ(made.lfWeight, 700);
    const SIZE metrics = GetFontMetrics(height.Get());
    EXPECT_GT(metrics.cx, 0);
    EXPECT_GE(metrics.cy, 16);
}

class GradientTest : public GraphicsTest {};

TEST_F(GradientTest, BlackToWhiteRunsFromEndToEnd) {
    Image target(64, 4, Image::kPixelFormat24bppRGB);
    {
        Gdiplus::Graphics graphics(target.Bitmap());
        const RECT rect = {0, 0, 64, 4};
        ASSERT_TRUE(GradientFillGraphics(&graphics, rect, 0x00000000, 0x00FFFFFF, false));
    }
    uint32_t left = 0;
    uint32_t middle = 0;
    uint32_t right = 0;
    target.GetPixel(0, 1, &left);
    target.GetPixel(32, 1, &middle);
    target.GetPixel(63, 1, &right);
    EXPECT_LE(left & 0xFF, 8u);
    EXPECT_GE(right & 0xFF, 240u);
    EXPECT_GT(middle & 0xFF, left & 0xFF);
    EXPECT_LT(middle & 0xFF, right & 0xFF);
}

TEST_F(GradientTest, ShadowedTextDrawsAndMeasures) {
    Image target(120, 30);
    target.Clear(0x00FFFFFF);
    Gdiplus::Graphics graphics(target.Bitmap());
    // Whichever usual face this Wine finds (its own fonts, or the host's through fontconfig).
    std::unique_ptr<Gdiplus::Font> font;
    for (const wchar_t* face : {L"Tahoma", L"Arial", L"DejaVu Sans", L"Liberation Sans"}) {
        Gdiplus::FontFamily family(face);
        font.reset(new Gdiplus::Font(&family, 14, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel));
        if (font->GetLastStatus() == Gdiplus::Ok) {
            break;
        }
    }
    ASSERT_EQ(font->GetLastStatus(), Gdiplus::Ok) << "no usable font face";
    Gdiplus::SolidBrush shadow(Gdiplus::Color(0xFFFF0000));
    RECT bounds = {};
    const RECT rect = {0, 0, 120, 30};
    DrawTextShadowed(&graphics, "Hello", font.get(), rect, nullptr, nullptr, &shadow, &bounds);
    EXPECT_GT(bounds.right - bounds.left, 10);
    EXPECT_GT(bounds.bottom - bounds.top, 5);
    int dark = 0;
    int red = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 120; ++x) {
            uint32_t p = 0;
            target.GetPixel(x, y, &p);
            dark += (p & 0x00FFFFFF) == 0;
            red += (p & 0x00FFFFFF) == 0x00FF0000;
        }
    }
    EXPECT_GT(dark, 0);
    EXPECT_GT(red, 0);
}

}  // namespace
