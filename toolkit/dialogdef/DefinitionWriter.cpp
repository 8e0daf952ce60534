// Writing a dialog definition: the header, a blank line, then one section per record with
// every key always present, in a fixed order, so a written definition reads back to itself.
#include "toolkit/base/ColorText.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/DefinitionValues.h"

namespace {

bool WriteKeyLine(Stream* stream, const char* key, const char* value) {
    const String line = String(key) + value;
    return stream->WriteLine(line) == line.Length() + 2;
}

String Decimal(int value) {
    String text;
    text.Format("%d", value);
    return text;
}

}  // namespace

bool ControlDefinition::WriteSection(Stream* stream, const ControlTypeTable& types) const {
    const ControlTypeInfo* info = types.Find(type);
    if (!stream || !info)
        return false;
    const String section = ControlTypeTable::SectionName(*info);
    String font;
    font.Format("%s, %d, %d", fontName.Text(), fontSize, static_cast<int>(fontFlags));
    String position;
    position.Format("%d %d %d %d", x, y, width, height);
    bool written = stream->WriteText(section) == section.Length() && stream->WriteLine("") == 2;
    written = written && WriteKeyLine(stream, "ID=", Decimal(id));
    written = written && WriteKeyLine(stream, "NAME=", name);
    written = written && WriteKeyLine(stream, "CAPTION=", caption);
    written = written && WriteKeyLine(stream, "FONT=", font);
    written = written && WriteKeyLine(stream, "POSITION=", position);
    written = written && WriteKeyLine(stream, "STYLE=", StyleToKeywords(0));
    written = written && WriteKeyLine(stream, "EXSTYLE=", StyleToKeywords(1));
    written = written && WriteKeyLine(stream, "BACKCOLOR=", ColorToText(backColor));
    written = written && WriteKeyLine(stream, "TEXTCOLOR=", ColorToText(textColor));
    written = written && WriteKeyLine(stream, "TRANSPARENT=", transparent ? "1" : "0");
    written = written && WriteKeyLine(stream, "ISLOCKED=", locked ? "1" : "0");
    written = written && stream->WriteText(properties) == properties.Length();
    return written && stream->WriteLine("") == 2;
}

bool DialogDefinition::WriteDefinition(Stream* stream, const char* header) const {
    if (!stream || !header)
        return false;
    const String headerLine(header);
    if (stream->WriteLine(headerLine) != headerLine.Length() + 2 || stream->WriteLine("") != 2)
        return false;
    if (dialog_ && !dialog_->WriteSection(stream, types_))
        return false;
    for (int i = 0; i < controls_.Count(); i++) {
        if (!controls_[i]->WriteSection(stream, types_))
            return false;
    }
    return true;
}
