// Tests of the dialog definition text format: the tokenizer, colour texts and numbers, style
// keywords, property lines, reading and writing, and the unique ids and names of controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/dialogdef/DefinitionSamples.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/DefinitionValues.h"
#include "toolkit/dialogdef/Tokenizer.h"

using namespace dialogtest;

namespace {

std::string Joined(const StringList& fields) {
    std::string text;
    for (int i = 0; i < fields.Count(); i++)
        text += std::string(i ? "|" : "") + fields.At(i).Text();
    return text;
}

// A definition holding only a dialog and the given control sections.
std::string Sections(const std::vector<std::string>& sections) {
    return DialogWith(9, 9, "", sections);
}

TEST(Tokenizer, SplitsByTheFormatsRules) {
    const struct {
        const char* text;
        const char* separators;
        int options;
        const char* fields;
        int count;
    } cases[] = {
        {"", " ", 0, "", 0},
        {" 10 20 30 40   ", " ", 0, "|10|20|30|40", 5},
        {"a,,b", ",", 0, "a||b", 3},
        {",a", ",", 0, "|a", 2},
        {"a,b,", ",", 0, "a|b", 2},
        {"\tTahoma , 12", ",", Tokenizer::kTrimSpaces, "\tTahoma|12", 2},
        {"a \t b", " \t", 0, "a|b", 2},
        {"\"a b\"", " ", 0, "\"a|b\"", 2},
    };
    for (const auto& c : cases) {
        StringList fields;
        EXPECT_EQ(Tokenizer::Split(c.text, c.separators, c.options, fields), c.count) << c.text;
        EXPECT_EQ(Joined(fields), c.fields) << c.text;
    }
}

// Colour texts are covered with DrawingHelpers, where they live.
TEST(DefinitionValues, DecimalNumbersSaturate) {
    const struct {
        const char* text;
        int value;
    } numbers[] = {{"  -7x", -7}, {"+3", 3}, {"x3", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
    for (const auto& c : numbers)
        EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
}

TEST(StyleKeywords, ReadAndWrittenPerType) {
    const struct {
        int16_t type;
        int which;
        const char* text;
        uint32_t word;
        const char* written;
    } cases[] = {
        {CT_DIALOG, 0, "WS_CAPTION", 0xC00000, "WS_BORDER WS_CAPTION "},
        {CT_DIALOG, 0, "WS_BORDER WS_CAPTION WS_SYSMENU", 0xC80000, "WS_BORDER WS_CAPTION WS_SYSMENU "},
        {CT_BUTTON, 0, "WS_VISIBLE BS_CENTER ", 0x10000300, "WS_VISIBLE BS_LEFT BS_RIGHT BS_CENTER "},
        {CT_BUTTON, 0, "WS_VISIBLE bs_center WS_BORDER", 0x10000000, "WS_VISIBLE "},
        {CT_EDIT, 0, "WS_DISABLED", 0x08000000, "WS_DISABLED ES_LEFT "},
        {CT_COMBO, 0, "CBS_DROPDOWNLIST", 0x3, "CBS_SIMPLE CBS_DROPDOWN CBS_DROPDOWNLIST "},
        {CT_SLIDER, 1, "WS_EX_CLIENTEDGE", 0x200, "WS_EX_CLIENTEDGE "},
        {CT_EX_LIST, 1, "LVS_EX_GRIDLINES LVS_EX_FULLROWSELECT", 0x21, "LVS_EX_FULLROWSELECT LVS_EX_GRIDLINES "},
        {CT_EX_LIST, 0, "LVS_EX_GRIDLINES", 0x1, "LVS_ICON LVS_REPORT "},
        {CT_TAB, 0, "WS_VISIBLE WS_BORDER", 0x10000000, "WS_VISIBLE "},
    };
    for (const auto& c : cases) {
        ControlDefinition record;
        record.type = c.type;
        record.KeywordsToStyle(c.which, c.text);
        EXPECT_EQ(c.which ? record.exStyle : record.style, c.word) << c.text;
        EXPECT_STREQ(record.StyleToKeywords(c.which).Text(), c.written) << c.text;
    }
}

TEST(PropertyLines, GetSetAndAppend) {
    ControlDefinition record;
    record.properties = "A=1\r\nSLIDER_VALUE=x=y\r\n\r\nB=\r\n";
    EXPECT_EQ(std::string(record.GetProperty("SLIDER_VALUE").Text()) + "|" + record.GetProperty("B").Text() + "|" +
                  record.GetProperty("SLIDER").Text(),
              "x=y||");
    EXPECT_EQ((std::vector<int>{record.GetPropertyInt("A"), record.GetPropertyInt("MISSING")}),
              (std::vector<int>{1, 0}));
    record.SetPropertyInt("A", -5);
    record.SetProperty("B", "two");
    record.SetProperty("C", "3");
    EXPECT_STREQ(record.properties.Text(), "A=-5\r\nSLIDER_VALUE=x=y\r\n\r\nB=two\r\nC=3\r\n");
    record.properties = "A=1\r\ntail";
    record.SetProperty("D", "4");
    EXPECT_STREQ(record.properties.Text(), "A=1\r\ntail\r\nD=4\r\n");
}

TEST(ReadDefinition, KeyLinesAndMalformedValues) {
    DialogDefinition definition;
    ASSERT_TRUE(ReadText(definition,
                         Sections({"[button]\r\n" + Lines({"ID=7", "NAME=B", "CAPTION=a=b", "FONT=Tahoma, 12, 1",
                                                           "POSITION= 1 2 3 4", "BACKCOLOR=", "TEXTCOLOR=#FF0000",
                                                           "name=lower", "=dropped", "TRANSPARENT=2", "EXTRA=1"})})));
    ASSERT_EQ(definition.ControlCount(), 1);
    const ControlDefinition& b = *definition.Control(0);
    // Type, id, font size and flags, x (a POSITION of five fields is ignored), the colours
    // (an empty one is 0) and the flag.
    EXPECT_EQ((std::vector<uint32_t>{uint32_t(b.type), uint32_t(b.id), uint32_t(b.fontSize), b.fontFlags, uint32_t(b.x),
                                     b.backColor, b.textColor, b.transparent}),
              (std::vector<uint32_t>{CT_BUTTON, 7, 12, 1, 10, 0, 0xFF, 1}));
    EXPECT_EQ(std::string(b.caption.Text()) + "|" + b.fontName.Text() + "|" + b.properties.Text(),
              "a=b|Tahoma|name=lower\r\nEXTRA=1\r\n");
}

TEST(ReadDefinition, OutcomesOfWholeFiles) {
    const struct {
        const char* name;
        std::string text;
        bool read;
        bool hasDialog;
        int controls;
    } cases[] = {
        {"wrong header", Lines({"DIALOG EDITOR v1.01", "", "[DIALOG]", ""}), false, false, 0},
        {"header only", Lines({"DIALOG EDITOR v1.00"}), true, false, 0},
        {"no section", Lines({"DIALOG EDITOR v1.00", "", ""}), true, false, 0},
        {"key line without =", Sections({"[BUTTON]\r\nID=1\r\noops"}), false, false, 0},
        {"unknown section ends", Sections({"[WIDGET]\r\nID=1", "[BUTTON]"}), true, true, 0},
        {"second blank line ends", Lines({"DIALOG EDITOR v1.00", "", "[DIALOG]", "", "", "[BUTTON]", ""}), true, true,
         0},
        {"second dialog is a control", Sections({"[DIALOG]\r\nNAME=X"}), true, true, 1},
        {"no blank line at the end", Lines({"DIALOG EDITOR v1.00", "", "[DIALOG]", "", "[EDIT IP]", "ID=1"}), true,
         true, 1},
        {"line too long", Sections({"[BUTTON]\r\nCAPTION=" + std::string(70000, 'x')}), false, false, 0},
        // Beyond the bounds that keep any input from costing without limit.
        {"too many controls", Sections(std::vector<std::string>(DialogDefinition::kMaxControls + 1, "[BUTTON]")), false,
         false, 0},
        {"too many bytes",
         Lines({"DIALOG EDITOR v1.00", "", "[DIALOG]"}) + std::string(DialogDefinition::kMaxDefinitionBytes, 'x'),
         false, false, 0},
    };
    for (const auto& c : cases) {
        DialogDefinition definition;
        EXPECT_EQ(ReadText(definition, c.text), c.read) << c.name;
        EXPECT_EQ(definition.IsLoaded(), c.read) << c.name;
        EXPECT_EQ(definition.Dialog() != nullptr, c.hasDialog) << c.name;
        EXPECT_EQ(definition.ControlCount(), c.controls) << c.name;
    }
}

// Every field of every control is read: the definition is written back byte for byte, except
// that the dialog's STYLE line gains its trailing space.
TEST(ReadDefinition, ProgramDefinitionReadsAndWritesBack) {
    DialogDefinition definition;
    const std::string text = ProgramDefinition();
    ASSERT_FALSE(text.empty());
    ASSERT_TRUE(ReadText(definition, text));
    std::string expectedText = text;
    const std::string style = "STYLE=WS_BORDER WS_CAPTION WS_SYSMENU\r\n";
    expectedText.replace(expectedText.find(style), style.size(), "STYLE=WS_BORDER WS_CAPTION WS_SYSMENU \r\n");
    EXPECT_EQ(WriteText(definition), expectedText);
}

TEST(AddControlDefinition, KeepsIdsAndNamesUnique) {
    DialogDefinition definition;
    // Two buttons alike and two IP edits without a name.
    const std::string button = "[BUTTON]\r\nID=1\r\nNAME=OK";
    ASSERT_TRUE(
        ReadText(definition, Sections({button, button, "[EDIT IP]\r\nID=3\r\nNAME=", "[EDIT IP]\r\nID=4\r\nNAME="})));
    ASSERT_EQ(definition.ControlCount(), 4);
    EXPECT_EQ(definition.Control(1)->id, 2);
    EXPECT_EQ(std::string(definition.Control(1)->name.Text()) + "|" + definition.Control(2)->name.Text() + "|" +
                  definition.Control(3)->name.Text(),
              "Button1||EditIP1");
    EXPECT_EQ(definition.AddControlDefinition(definition.Control(0), false, true), nullptr);
    ControlDefinition unknown;
    EXPECT_EQ(definition.AddControlDefinition(&unknown, true, true), nullptr);

    ControlDefinition slider;
    slider.type = CT_SLIDER;
    slider.name = "OK";
    const ControlDefinition* added = definition.AddControlDefinition(&slider, true, true);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->id, 4 + 1);
    EXPECT_STREQ(added->name.Text(), "Slider1");
    EXPECT_STREQ(added->properties.Text(), "SLIDER_VALUE=0\r\nSLIDER_MINVALUE=0\r\nSLIDER_MAXVALUE=100\r\n");
}

}  // namespace
