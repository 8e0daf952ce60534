// The wildcard matcher; see Wildcard.h.
#include "toolkit/base/Wildcard.h"

bool MatchWildcard(const char* text, const char* pattern) {
    if (!text)
        text = "";
    if (!pattern)
        pattern = "";
    // Greedy scan with one resume point: on a mismatch the last any-sequence wildcard takes
    // one more character. Linear in practice, never exponential.
    const char* resumePattern = nullptr;
    const char* resumeText = nullptr;
    while (*text) {
        if (*pattern == kWildcardAnySequence) {
            resumePattern = ++pattern;
            resumeText = text;
        } else if (*pattern == kWildcardAnyOne || *pattern == *text) {
            ++pattern;
            ++text;
        } else if (resumePattern) {
            pattern = resumePattern;
            text = ++resumeText;
        } else {
            return false;
        }
    }
    while (*pattern == kWildcardAnySequence)
        ++pattern;
    return *pattern == '\0';
}
