// Reading a dialog definition. The text, by example (every line ends with CR LF):
//
//   DIALOG EDITOR v1.00              header, compared exactly
//                                    second line, content ignored
//   [DIALOG]                         section line: "[" type display name "]", any case;
//   ID=0                               the first section is the dialog's own record
//   NAME=SETTINGS                    KEY=value: the key is what precedes the first "=",
//   CAPTION=Appearance                 the value may hold "=" itself; nothing is trimmed
//   FONT=Tahoma, 13, 1               face, height, flags (1 bold 2 italic 4 underline 8 strike)
//   POSITION=10 10 265 255           x y width height (runs of spaces collapse)
//   STYLE=WS_VISIBLE WS_CAPTION      keywords of the type, OR-ed; unknown words ignored
//   EXSTYLE=
//   BACKCOLOR=#FF000000              "#RRGGBB" or "#AABBCCDD" (a whole colour word)
//   TEXTCOLOR=#FE00000F
//   TRANSPARENT=0
//   ISLOCKED=0
//   SLIDER_VALUE=255                 any other key: a property line, kept as written
//                                    a blank line ends the section
//   [BUTTON]                         one section per control, in creation order
//   ...
//
// A section line that names no type (a second blank line, say) ends the file: what follows
// is ignored. A key line without "=" makes the whole file unusable. Malformed values never
// fail a read: they are ignored or read as 0.
#include <cstring>

#include "toolkit/base/ColorText.h"
#include "toolkit/dialogdef/ControlDefinition.h"
#include "toolkit/dialogdef/DefinitionValues.h"
#include "toolkit/dialogdef/Tokenizer.h"

namespace {

// One line of at most kMaxLineBytes; false when the line is longer than that.
bool ReadBoundedLine(Stream* stream, String& line) {
    bool complete = false;
    stream->ReadLine(line, true, ControlDefinition::kMaxLineBytes, &complete);
    return complete || stream->IsEof();
}

bool ReadFlag(const char* value) {
    return ParseDecimal(value) != 0;
}

}  // namespace

ControlDefinition::SectionResult ControlDefinition::ReadSection(Stream* stream,
                                                                const ControlTypeTable& types,
                                                                int* consumed) {
    properties = "";
    if (!stream)
        return kSectionError;
    const int start = stream->Tell();
    String line;
    if (!ReadBoundedLine(stream, line))
        return kSectionError;
    // The brackets are whatever the first and last characters are.
    const String name = line.Length() >= 2 ? line.Mid(1, line.Length() - 2) : String("");
    const ControlTypeInfo* info = types.FindByName(name);
    if (!info)
        return kSectionEnd;
    type = info->number;
    if (type == CT_DIALOG)
        isDialog = true;
    while (!stream->IsEof()) {
        if (!ReadBoundedLine(stream, line))
            return kSectionError;
        if (line.IsEmpty())
            break;
        const int equals = line.Find('=');
        if (equals < 0)
            return kSectionError;
        ReadKeyLine(line.Left(equals), line.Mid(equals + 1));
    }
    if (consumed)
        *consumed = stream->Tell() - start;
    return kSectionRead;
}

void ControlDefinition::ReadKeyLine(const String& key, const String& value) {
    if (key == "ID") {
        id = static_cast<int16_t>(ParseDecimal(value));
    } else if (key == "NAME") {
        name = value;
    } else if (key == "CAPTION") {
        caption = value;
    } else if (key == "FONT") {
        StringList fields;
        if (Tokenizer::Split(value, ",", Tokenizer::kTrimSpaces, fields) == 3) {
            fontName = fields.At(0);
            fontSize = static_cast<int16_t>(ParseDecimal(fields.At(1)));
            fontFlags = static_cast<uint32_t>(ParseDecimal(fields.At(2)));
        }
    } else if (key == "POSITION") {
        StringList fields;
        if (Tokenizer::Split(value, " ", 0, fields) == 4) {
            x = static_cast<int16_t>(ParseDecimal(fields.At(0)));
            y = static_cast<int16_t>(ParseDecimal(fields.At(1)));
            width = static_cast<int16_t>(ParseDecimal(fields.At(2)));
            height = static_cast<int16_t>(ParseDecimal(fields.At(3)));
        }
    } else if (key == "STYLE") {
        KeywordsToStyle(0, value);
    } else if (key == "EXSTYLE") {
        KeywordsToStyle(1, value);
    } else if (key == "BACKCOLOR") {
        backColor = TextToColor(value);
    } else if (key == "TEXTCOLOR") {
        textColor = TextToColor(value);
    } else if (key == "TRANSPARENT") {
        transparent = ReadFlag(value);
    } else if (key == "ISLOCKED") {
        locked = ReadFlag(value);
    } else if (*key.Text()) {
        // Keys compare and are written as text up to a NUL byte: a key that begins with one
        // is empty as text, and a property line "=value" would not read back.
        properties += key;
        properties += '=';
        properties += value;
        properties += "\r\n";
    }
}

bool DialogDefinition::Fail(Stream* stream, const char* reason) {
    Clear();
    failureReason_ = reason;
    failureOffset_ = stream ? stream->Tell() : 0;
    return false;
}

bool DialogDefinition::ReadDefinition(Stream* stream, const char* header) {
    Clear();
    failureReason_ = nullptr;
    failureOffset_ = 0;
    if (!stream || !header)
        return Fail(stream, "no definition to read");
    if (stream->Remaining() > kMaxDefinitionBytes)
        return Fail(nullptr, "the definition is too large");
    String line;
    if (!ReadBoundedLine(stream, line) || line != header)
        return Fail(stream, "the first line is not the definition header");
    if (!ReadBoundedLine(stream, line))
        return Fail(stream, "line too long");
    while (!stream->IsEof()) {
        ControlDefinition record;
        const ControlDefinition::SectionResult result = record.ReadSection(stream, types_);
        if (result == ControlDefinition::kSectionEnd)
            break;
        if (result == ControlDefinition::kSectionError)
            return Fail(stream, "a key line without \"=\", or a line too long");
        if (!dialog_) {
            dialog_ = new ControlDefinition(record);
            dialog_->type = CT_DIALOG;
            dialog_->isDialog = true;
        } else if (!AddControlDefinition(&record, false, true)) {
            return Fail(stream, "too many controls");
        }
    }
    loaded_ = true;
    return true;
}
