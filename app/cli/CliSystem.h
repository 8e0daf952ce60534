// CliSystem: what kvr-decrypt asks of the system it runs on, one file per system beside this
// header (CliSystemWin32.cpp, CliSystemPosix.cpp): what a run needs started (Ctrl+C, and
// GDI+ for PNG carriers on Windows), its standard streams and whether they are a console, a
// millisecond clock for the progress bar's redraw rate, and the folder of the program itself.
#pragma once

#include <cstdint>
#include <cstdio>

#include "app/cli/CliEvents.h"
#include "toolkit/base/String.h"

// stdout, stderr and stdin, with interactive set when stdin is a console (or terminal) and
// barOnConsole when stderr is one.
CliConsole StandardConsole();
uint32_t CliMilliseconds();
// For the whole run: Ctrl+C (and Ctrl+Break) raise the flag of CliCancel.h instead of ending
// the process, and PNG pictures can be decoded (without that, only PNG sources fail, with the
// engine's message).
void StartCliSession();
void EndCliSession();
// A path the engine made, as the system's users write paths (POSIX: slashes for backslashes).
String CliShownPath(const char* path);
// Writes the text to the console behind the stream, flushing what the stream still buffers
// first, and gives true; false when the stream is no console (a pipe or a file), which then
// takes the UTF-8 bytes as they are.
bool WriteToConsole(FILE* stream, const String& text);
// The folder of the running program with its trailing separator; empty when unknown.
String CliProgramFolder();
