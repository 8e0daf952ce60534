// ControlDefinition: copying, property lines and style keywords. Reading and writing a
// section are in DefinitionReader.cpp and DefinitionWriter.cpp.
#include "toolkit/dialogdef/ControlDefinition.h"

#include <cstring>

#include "toolkit/dialogdef/DefinitionValues.h"
#include "toolkit/dialogdef/Tokenizer.h"

namespace {

ControlTypeTable kTypeTable;

const StyleKeyword* FindKeyword(const StyleKeyword* list, const char* name) {
    for (; list && list->name; list++) {
        if (strcmp(list->name, name) == 0)
            return list;
    }
    return nullptr;
}

void AppendKeywords(const StyleKeyword* list, bool extended, uint32_t word, String& out) {
    for (; list && list->name; list++) {
        if (list->extended == extended && (word & list->value) == list->value) {
            out += list->name;
            out += ' ';
        }
    }
}

// The length of the key of a line: the bytes before its first "=", or -1 without one.
int KeyLength(const char* line, int length) {
    const void* equals = memchr(line, '=', length);
    return equals ? static_cast<int>(static_cast<const char*>(equals) - line) : -1;
}

}  // namespace

void ControlDefinition::Copy(const ControlDefinition& other) {
    if (this == &other)
        return;
    id = other.id;
    type = other.type;
    name = other.name;
    caption = other.caption;
    fontName = other.fontName;
    fontSize = other.fontSize;
    fontFlags = other.fontFlags;
    x = other.x;
    y = other.y;
    width = other.width;
    height = other.height;
    locked = other.locked;
    isDialog = other.isDialog;
    style = other.style;
    exStyle = other.exStyle;
    backColor = other.backColor;
    textColor = other.textColor;
    transparent = other.transparent;
    properties = other.properties;
}

String ControlDefinition::GetProperty(const char* key) const {
    if (!key)
        return String();
    const size_t keyLength = strlen(key);
    const char* line = properties.Text();
    while (*line) {
        const size_t length = strcspn(line, "\r\n");
        const int keyEnd = KeyLength(line, static_cast<int>(length));
        if (keyEnd >= 0 && static_cast<size_t>(keyEnd) == keyLength && memcmp(line, key, keyLength) == 0) {
            String value;
            value.SetLength(static_cast<int>(length) - keyEnd - 1, false);
            memcpy(const_cast<char*>(value.Text()), line + keyEnd + 1, length - keyEnd - 1);
            return value;
        }
        line += length;
        line += strspn(line, "\r\n");
    }
    return String();
}

int ControlDefinition::GetPropertyInt(const char* key) const {
    return ParseDecimal(GetProperty(key));
}

void ControlDefinition::SetProperty(const char* key, const char* value) {
    if (!key || !*key)
        return;
    if (!value)
        value = "";
    const size_t keyLength = strlen(key);
    int start = 0;
    for (;;) {
        const int end = properties.Find("\r\n", start);
        if (end < 0)
            break;
        const char* line = properties.Text() + start;
        const int keyEnd = KeyLength(line, end - start);
        // A line without "=" cannot carry a setting; it is passed over like any other.
        if (keyEnd >= 0 && static_cast<size_t>(keyEnd) == keyLength && memcmp(line, key, keyLength) == 0) {
            properties.ReplaceRange(value, start + keyEnd + 1, end - start - keyEnd - 1);
            return;
        }
        start = end + 2;
    }
    // Text after the last line break would otherwise run into the new line.
    if (start < properties.Length())
        properties += "\r\n";
    properties += key;
    properties += '=';
    properties += value;
    properties += "\r\n";
}

void ControlDefinition::SetPropertyInt(const char* key, int value) {
    String text;
    text.Format("%d", value);
    SetProperty(key, text);
}

void ControlDefinition::KeywordsToStyle(int which, const char* text) {
    StringList words;
    if (Tokenizer::Split(text, " ", 0, words) == 0)
        return;
    const ControlTypeInfo* info = kTypeTable.Find(type);
    uint32_t word = 0;
    for (int i = 0; i < words.Count(); i++) {
        const StyleKeyword* keyword = FindKeyword(kCommonStyleKeywords, words.At(i));
        if (!keyword && info)
            keyword = FindKeyword(info->keywords, words.At(i));
        if (keyword)
            word |= keyword->value;
    }
    (which == 0 ? style : exStyle) = word;
}

String ControlDefinition::StyleToKeywords(int which) const {
    String text;
    const ControlTypeInfo* info = kTypeTable.Find(type);
    if (which == 0)
        AppendKeywords(kCommonStyleKeywords, false, style, text);
    if (info)
        AppendKeywords(info->keywords, which != 0, which == 0 ? style : exStyle, text);
    return text;
}
