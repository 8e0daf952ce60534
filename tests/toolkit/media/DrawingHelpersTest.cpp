// Colour words in both written forms.
#include <gtest/gtest.h>

#include "toolkit/media/DrawingHelpers.h"

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
    for (const char* text : {"#FF800", "", "#FF80001", "#FF8000012", "FF8000", "#FF000000 ", "#GG0000"}) {
        EXPECT_EQ(TextToColor(text), 0u) << text;
    }
    EXPECT_EQ(TextToColor(nullptr), 0u);
    EXPECT_EQ(TextToColor("#ff8000"), 0x000080FFu);
    EXPECT_EQ(TextToColor("xFF8000"), 0x000080FFu);  // the first character is not examined
}

}  // namespace
