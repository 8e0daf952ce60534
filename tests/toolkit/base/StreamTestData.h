// Shared tables for the stream tests: the same inputs give different lines through the file
// and the memory versions of ReadLine, so both tables sit side by side.
#pragma once

#include <string>

struct LineCase {
    const char* name;
    std::string input;
    bool keepBlanks;
    int limit;
    std::string line;
    bool complete;
    std::string rest;
};

// FileStream: CR and LF bytes are dropped wherever they stand; only CR LF ends the line.
inline const LineCase kFileLineCases[] = {
    {"plain", "abc\r\ndef", true, -1, "abc", true, "def"},
    {"lone CR and LF dropped", std::string("a\rb\nc\r\n", 7), true, -1, "abc", true, ""},
    {"limit stops at once", "abcdef\r\n", true, 3, "abc", false, "def\r\n"},
    {"limit equal to line", "abc\r\nx", true, 3, "abc", false, "\r\nx"},
    {"limit zero", "abc\r\n", true, 0, "", false, "abc\r\n"},
    {"end without CR LF", "tail", true, -1, "tail", false, ""},
    {"empty line", "\r\nnext", true, -1, "", true, "next"},
    {"blanks trimmed", "  a b \t\r\nz", false, -1, "a b", true, "z"},
    {"blanks kept", "  a b \t\r\nz", true, 1024, "  a b \t", true, "z"},
    {"LF CR is not an end", "a\n\rb\r\n", true, -1, "ab", true, ""},
    {"CR CR LF", "a\r\r\nb", true, -1, "a", true, "b"},
    {"empty input", "", true, -1, "", false, ""},
};

// MemoryStream: the text is every byte before CR LF, lone CR and LF included.
inline const LineCase kMemoryLineCases[] = {
    {"plain", "abc\r\ndef", true, -1, "abc", true, "def"},
    {"lone CR and LF kept", std::string("a\rb\nc\r\n", 7), true, -1, "a\rb\nc", true, ""},
    {"limit stops after limit bytes", "abcdef\r\n", true, 3, "abc", false, "def\r\n"},
    {"limit equal to line", "abc\r\nx", true, 3, "abc", true, "x"},
    {"limit zero", "abc\r\n", true, 0, "", false, "abc\r\n"},
    {"end without CR LF", "tail", true, -1, "tail", false, ""},
    {"trailing lone CR", "tail\r", true, -1, "tail\r", false, ""},
    {"empty line", "\r\nnext", true, -1, "", true, "next"},
    {"blanks trimmed", "  a b \t\r\nz", false, -1, "a b", true, "z"},
    {"CR CR LF", "a\r\r\nb", true, -1, "a\r", true, "b"},
    {"empty input", "", true, -1, "", false, ""},
};
