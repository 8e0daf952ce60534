// Tokenizer: splits a line of a dialog definition into fields at a set of separator
// characters. Blank separators (space, tab) collapse into one, which is what lets
// "POSITION=10  10 150 25" read as four numbers while "a,,b" keeps its empty middle field.
#pragma once

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"

class Tokenizer {
public:
    // Option: trim spaces (not tabs) from both ends of every field.
    static constexpr int kTrimSpaces = 2;

    // Replaces out with the fields of text; gives their count. An empty text has no field.
    static int Split(const char* text, const char* separators, int options, StringList& out);
};
