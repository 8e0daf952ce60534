// ConsoleText: see ConsoleText.h.
#include "app/cli/ConsoleText.h"

#include <cstdarg>

#include "app/cli/CliSystem.h"
#include "toolkit/base/String.h"

void ConsolePrint(FILE* stream, const char* format, ...) {
    if (!stream)
        return;
    String text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    if (WriteToConsole(stream, text))
        return;
    fputs(text.Text(), stream);
    fflush(stream);
}
