// Autostart value in the Run keys; see Autostart.h.
#include "settings/Autostart.h"

#include "settings/Registry.h"
#include "settings/Settings.h"
#include "toolkit/base/TextCodec.h"

const char* const kAutostartValue = kProgramTitle;
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

String RunningProgramPath() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A full buffer means the path was cut: better no autostart than a wrong one.
    if (length == 0 || length >= MAX_PATH)
        return String();
    return Utf8FromWide(path, static_cast<int>(length));
}

bool IsAutostartValueFor(const String& stored, const String& programPath) {
    if (programPath.IsEmpty())
        return false;
    String path = stored;
    if (path.Length() >= 2 && path.GetAt(0) == '"' && path.GetAt(path.Length() - 1) == '"')
        path = path.Mid(1, path.Length() - 2);
    return path.CompareNoCase(programPath) == 0;
}

bool IsAutostartOn(const String& programPath, const AutostartPlaces& places) {
    return IsAutostartValueFor(ReadString(places.machineRoot, places.runKey, kAutostartValue), programPath) ||
           IsAutostartValueFor(ReadString(places.userRoot, places.runKey, kAutostartValue), programPath);
}

bool SetAutostart(bool on, const String& programPath, const AutostartPlaces& places) {
    // Without the program's path nothing can be written, and the values there may start it
    // all the same: they stay as they are.
    if (on && programPath.IsEmpty())
        return false;
    if (!on) {
        (void)DeleteValue(places.machineRoot, places.runKey, kAutostartValue);
        (void)DeleteValue(places.userRoot, places.runKey, kAutostartValue);
        return IsAutostartOn(programPath, places);
    }
    String command = "\"";
    command.Append(programPath).Append('"');
    if (!WriteString(places.machineRoot, places.runKey, kAutostartValue, command))
        (void)WriteString(places.userRoot, places.runKey, kAutostartValue, command);
    return IsAutostartOn(programPath, places);
}
