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

bool ReadText(DialogDefinition& definition, const std::string& text) {
    MemoryStream stream;
    stream.Write(text.data(), static_cast<int>(text.size()));
    stream.Seek(0);
    return definition.ReadDefinition(&stream);
}

std::string WriteText(const DialogDefinition& definition) {
    MemoryStream out;
    if (!definition.WriteDefinition(&out))
        return "<write failed>";
    return std::string(reinterpret_cast<const char*>(out.Data()), out.GetSize());
}

std::string Section(const char* type, int id, const char* name, const char* position, const std::string& lines) {
    return std::string("[") + type + "]\r\nID=" + std::to_string(id) + "\r\nNAME=" + name + "\r\nPOSITION=" + position +
           "\r\nSTYLE=WS_VISIBLE" + (lines.empty() ? "" : "\r\n" + lines);
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
