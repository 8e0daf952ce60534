// Command-line splitting and program-folder resolution; see ProgramPath.h.
#include "toolkit/window/ProgramPath.h"

#include "toolkit/base/PathName.h"

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
    if (!programPath || !*programPath)
        return String();
    // PathName makes a local path absolute against the current folder.
    const PathName path(programPath);
    String folder = path.GetFolderPath();
    if (!folder.IsEmpty() && folder.GetAt(folder.Length() - 1) != '\\')
        folder.Append('\\');
    return folder;
}
