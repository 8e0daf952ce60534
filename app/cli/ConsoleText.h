// ConsoleText: where kvr-decrypt's texts leave the program. Inside they are UTF-8; a console is
// given them in UTF-16 (WriteConsoleW), so that any file name shows right whatever the
// console's code page, and a pipe or a file gets the UTF-8 bytes as they are.
#pragma once

#include <cstdio>

// Formats as printf does and writes the text to the stream at once; nothing for a null stream.
void ConsolePrint(FILE* stream, const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
