// Sample dialog definitions; see DefinitionSamples.h.
#include "tests/toolkit/dialogdef/DefinitionSamples.h"

#include "toolkit/base/MemoryStream.h"
#include "toolkit/dialogdef/ControlDefinition.h"

namespace dialogtest {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

namespace {

std::string Section(const char* type,
                    int id,
                    const char* name,
                    const char* caption,
                    const char* position,
                    const char* style,
                    const char* backColor,
                    const std::vector<std::string>& properties = {}) {
    std::vector<std::string> lines = {std::string("[") + type + "]",
                                      "ID=" + std::to_string(id),
                                      std::string("NAME=") + name,
                                      std::string("CAPTION=") + caption,
                                      "FONT=, 0, 0",
                                      std::string("POSITION=") + position,
                                      std::string("STYLE=") + style,
                                      "EXSTYLE=",
                                      std::string("BACKCOLOR=") + backColor,
                                      "TEXTCOLOR=#FF000000",
                                      "TRANSPARENT=0",
                                      "ISLOCKED=0"};
    lines.insert(lines.end(), properties.begin(), properties.end());
    lines.push_back("");
    return Lines(lines);
}

}  // namespace

std::string AppearanceLike() {
    const char* button = "WS_VISIBLE BS_LEFT BS_RIGHT BS_CENTER BS_TOP BS_BOTTOM BS_VCENTER ";
    const char* none = "#FF000000";
    const std::vector<std::string> slider = {"SLIDER_VALUE=255", "SLIDER_MINVALUE=0", "SLIDER_MAXVALUE=255"};
    std::string text = Lines({"DIALOG EDITOR v1.00", ""});
    text += Lines({"[DIALOG]", "ID=0", "NAME=SETTINGS", "CAPTION=Appearance", "FONT=, 0, 0", "POSITION=0 0 265 255",
                   "STYLE=WS_BORDER WS_CAPTION WS_SYSMENU", "EXSTYLE=", "BACKCOLOR=#FF000000", "TEXTCOLOR=#FF000000",
                   "TRANSPARENT=0", "ISLOCKED=0", ""});
    text += Section("BUTTON", 1, "OK", "OK", "70 220 90 25", button, none);
    text += Section("BUTTON", 2, "CANCEL", "Cancel", "165 220 90 25", button, none);
    text += Section("TEXT", 3, "TXT_COLOR", "", "25 105 50 25", "WS_VISIBLE WS_BORDER ", "#E1FFFF",
                    {"TEXT_WRAPPING=1", "TEXT_TAGS=0", "TEXT_LEFTMARGIN=4", "TEXT_TOPMARGIN=4", "TEXT_RIGHTMARGIN=4",
                     "TEXT_BOTTOMMARGIN=4", "TEXT_AUTOSCROLLX=0", "TEXT_AUTOSCROLLY=0", "TEXT_AUTOSCROLLLOOP=0"});
    text += Section("GROUP", 4, "GRP_MAIN", "Main Window Opacity", "10 10 245 60", "WS_VISIBLE ", none);
    text += Section("SLIDER", 5, "SLIDER_OPACITY", "", "20 35 220 25", "WS_VISIBLE ", none, slider);
    text += Section("GROUP", 7, "GRP_COLOR", "Child Window Color", "10 80 245 60", "WS_VISIBLE ", none);
    text += Section("SLIDER", 8, "SLIDER_OPACITY2", "", "20 175 220 25", "WS_VISIBLE ", none, slider);
    text += Section("BUTTON", 10, "BTN_COLOR", "...", "80 105 35 25", button, none);
    text += Section("GROUP", 6, "GRP_OPACITY", "Child Window Opacity", "10 150 245 60", "WS_VISIBLE ", none);
    text += Section("BUTTON", 9, "BTN_DEFAULT", "Default", "175 105 70 25", button, none);
    return text;
}

std::string EveryType() {
    DialogDefinition definition;
    MemoryStream source;
    const std::string empty = Lines({"DIALOG EDITOR v1.00", "", "[DIALOG]", "NAME=EVERY", ""});
    source.Write(empty.data(), static_cast<int>(empty.size()));
    source.Seek(0);
    definition.ReadDefinition(&source);
    for (int type = CT_BUTTON; type < CT_COUNT; type++) {
        ControlDefinition record;
        record.type = static_cast<int16_t>(type);
        definition.AddControlDefinition(&record, true, false);
    }
    MemoryStream written;
    definition.WriteDefinition(&written);
    return std::string(reinterpret_cast<const char*>(written.Data()), written.GetSize());
}

std::string DialogWith(int width, int height, const char* style, const std::vector<std::string>& sections) {
    std::string text = Lines({"DIALOG EDITOR v1.00", "", "[DIALOG]", "NAME=TEST", "CAPTION=Test",
                              "POSITION=0 0 " + std::to_string(width) + " " + std::to_string(height),
                              std::string("STYLE=") + style, ""});
    for (const std::string& section : sections)
        text += section + "\r\n\r\n";
    return text;
}

}  // namespace dialogtest
