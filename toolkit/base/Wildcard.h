// The toolkit's wildcard matcher. Patterns use two control characters as wildcards, so that
// any printable text (a typed '*' or '?' included) can be matched literally: 0x01 stands for
// any sequence of characters (none included) and 0x02 for exactly one character. Every other
// character must match exactly, letter case included.
#pragma once

constexpr char kWildcardAnySequence = '\x01';
constexpr char kWildcardAnyOne = '\x02';

// True when the whole text matches the whole pattern; a missing text or pattern counts as "".
bool MatchWildcard(const char* text, const char* pattern);
