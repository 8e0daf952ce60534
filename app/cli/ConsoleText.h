// ConsoleText: where kvr-decrypt's texts leave the program. Inside they are UTF-8; a console is
// given them through the system's own text call (on Windows in UTF-16, so that any file name
// shows right whatever the console's code page), and a pipe or a file gets the UTF-8 bytes.
#pragma once

#include <cstdio>

#include "toolkit/base/String.h"

// Formats as printf does and writes the text to the stream at once; nothing for a null stream.
void ConsolePrint(FILE* stream, const char* format, ...) __attribute__((format(KVR_PRINTF_STYLE, 2, 3)));
