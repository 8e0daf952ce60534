// Tokenizer: see Tokenizer.h. The rules, in the order they apply to each separator found:
//   - every separator character ends the current field;
//   - a blank separator swallows the run of blanks after it (spaces and tabs together when
//     both are separators), and one further separator directly after that run;
//   - a separator that ends the text starts no further field;
//   - a separator at the very start, or two non-blank ones in a row, give an empty field.
#include "toolkit/dialogdef/Tokenizer.h"

#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsSeparator(char c, const char* separators) {
    return c != '\0' && strchr(separators, c) != nullptr;
}

void AddField(const char* from, int length, int options, StringList& out) {
    if (options & Tokenizer::kTrimSpaces) {
        while (length > 0 && *from == ' ') {
            from++;
            length--;
        }
        while (length > 0 && from[length - 1] == ' ')
            length--;
    }
    String field;
    field.SetLength(length, false);
    if (length > 0)
        memcpy(const_cast<char*>(field.Text()), from, length);
    out.AddString(field);
}

}  // namespace

int Tokenizer::Split(const char* text, const char* separators, int options, StringList& out) {
    out.Free();
    if (!text || !*text)
        return 0;
    if (!separators)
        separators = "";
    const bool blanksTogether = strchr(separators, ' ') && strchr(separators, '\t');
    const int length = static_cast<int>(strlen(text));
    int start = 0;
    for (;;) {
        int end = start;
        while (end < length && !IsSeparator(text[end], separators))
            end++;
        AddField(text + start, end - start, options, out);
        if (end >= length)
            break;
        const char separator = text[end++];
        if (IsBlank(separator)) {
            while (end < length && (text[end] == separator || (blanksTogether && IsBlank(text[end]))))
                end++;
            if (end < length && IsSeparator(text[end], separators))
                end++;
        }
        if (end >= length)
            break;
        start = end;
    }
    return out.Count();
}
