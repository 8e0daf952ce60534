// Command-line splitting and program-folder resolution; see ProgramPath.h.
#include "toolkit/window/ProgramPath.h"

#include <windows.h>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

String FirstCommandLineArgument(const char* commandLine) {
    String argument;
    if (!commandLine)
        return argument;
    const char* p = commandLine;
    while (IsBlank(*p))
        p++;
    // Quotes only group; Windows' own loader rule keeps backslashes as they are in argument 0.
    bool quoted = false;
    for (; *p; p++) {
        if (*p == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && IsBlank(*p))
            break;
        argument.Append(*p);
    }
    return argument;
}

String ProgramFolderOf(const char* programPath) {
    String folder;
    if (!programPath || !*programPath)
        return folder;
    char full[MAX_PATH * 4];
    char* filePart = nullptr;
    const DWORD length = GetFullPathNameA(programPath, sizeof(full), full, &filePart);
    if (length == 0 || length >= sizeof(full))
        return folder;
    if (filePart)
        *filePart = '\0';
    folder = full;
    if (folder.IsEmpty())
        return folder;
    const char last = folder.GetAt(folder.Length() - 1);
    if (last != '\\' && last != '/')
        folder.Append('\\');
    return folder;
}
