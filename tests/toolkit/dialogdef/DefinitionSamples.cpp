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

std::string ProgramDefinition() {
    MemoryStream resource;
    if (!resource.LoadResource("BINARY", 141))
        return std::string();
    return std::string(reinterpret_cast<const char*>(resource.Data()), resource.GetSize());
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
