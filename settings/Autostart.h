// Starting the program with Windows: the value named after the program under a Run key holds the
// program's full path in double quotes. The machine-wide Run key is tried first; a standard
// user cannot write it, so the current user's Run key takes the value instead. The check
// mark of "Launch On Startup" always shows what is really stored, never what was asked.
#pragma once

#include <windows.h>

#include "toolkit/base/String.h"

extern const char* const kAutostartValue;  // kProgramTitle
extern const char* const kRunKey;          // "Software\Microsoft\Windows\CurrentVersion\Run"

// Where autostart values live. Tests name other places; the program uses the default.
struct AutostartPlaces {
    HKEY machineRoot = HKEY_LOCAL_MACHINE;
    HKEY userRoot = HKEY_CURRENT_USER;
    const char* runKey = kRunKey;
};

// The running program's full file path (from the loader, not the command line as typed).
String RunningProgramPath();

// A stored value starts this program: quoted (or bare) path equal to programPath, case ignored.
bool IsAutostartValueFor(const String& stored, const String& programPath);
// Either Run key starts programPath.
bool IsAutostartOn(const String& programPath, const AutostartPlaces& places = AutostartPlaces());
// Turns autostart on (machine-wide, else per user) or off (removed from both places); gives
// what is stored afterwards, which is the state the check mark must show. On without a path
// changes nothing and gives false.
bool SetAutostart(bool on, const String& programPath, const AutostartPlaces& places = AutostartPlaces());
