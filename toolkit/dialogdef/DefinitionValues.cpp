// Value forms of dialog definitions; see DefinitionValues.h.
#include "toolkit/dialogdef/DefinitionValues.h"

#include <cctype>
#include <climits>
#include <cstring>

int ParseDecimal(const char* text) {
    if (!text)
        return 0;
    while (isspace(static_cast<unsigned char>(*text)))
        text++;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    long long value = 0;
    for (; isdigit(static_cast<unsigned char>(*text)); text++) {
        value = value * 10 + (*text - '0');
        if (value > 1LL + INT_MAX)
            value = 1LL + INT_MAX;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}
