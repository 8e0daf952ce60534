// Key lookup. A key name comes from the archive, that is from outside: it is only ever
// joined to the key folder as a whole when it is a plain relative path, and a name that
// Windows would turn into a device is never looked up at all.
#include "engine/KeyLookup.h"

#include <cctype>
#include <cstring>

#include "toolkit/base/FileSystem.h"
#include "toolkit/base/PathName.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

int LastSeparator(const String& path) {
    const int back = path.ReverseFind('\\');
    const int slash = path.ReverseFind('/');
    return back > slash ? back : slash;
}

// Windows opens these names as devices whatever folder or extension goes with them.
bool IsDeviceName(const String& component) {
    // The device part ends at the first dot; trailing blanks and dots are ignored by Windows.
    String base = component.BeforeChar('.');
    while (!base.IsEmpty() && (base.GetAt(base.Length() - 1) == ' ' || base.GetAt(base.Length() - 1) == '.'))
        base.SetLength(base.Length() - 1, true);
    const String upper = base.Upper();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : kDevices)
        if (upper == device)
            return true;
    if (upper.Length() == 4 && (upper.Left(3) == "COM" || upper.Left(3) == "LPT"))
        return upper.GetAt(3) >= '1' && upper.GetAt(3) <= '9';
    return false;
}

// True when every component of the name is an ordinary relative component.
bool IsPlainRelativePath(const String& name) {
    if (name.IsEmpty() || IsSeparator(name.GetAt(0)) || name.Find(':') >= 0)
        return false;
    int start = 0;
    while (start <= name.Length()) {
        int end = start;
        while (end < name.Length() && !IsSeparator(name.GetAt(end)))
            end++;
        const String component = name.Mid(start, end - start);
        if (component == ".." || component == "." || IsDeviceName(component))
            return false;
        start = end + 1;
    }
    return true;
}

bool IsExistingFile(FileSystem& fileSystem, const String& path) {
    return fileSystem.FileExists(path) && !fileSystem.FolderExists(path);
}

String SourceFolder(const String& sourcePath) {
    PathName source(sourcePath.Text());
    if (source.Kind() == PathName::kNone)
        return String();
    return source.GetFolderPath();
}

}  // namespace

bool IsSafeKeyFileName(const String& fileName) {
    return !fileName.IsEmpty() && fileName.Find(':') < 0 && !IsDeviceName(fileName);
}

String FindKeyFile(const String& keyFolder, const String& keyName, const String& sourcePath) {
    FileSystem fileSystem;
    const String sourceFolder = SourceFolder(sourcePath);
    if (keyName.IsEmpty()) {
        // No key file: the default key applies, and the lookup only has to find a folder.
        if (fileSystem.FileExists(keyFolder))
            return keyFolder;
        if (!sourceFolder.IsEmpty() && fileSystem.FileExists(sourceFolder))
            return sourceFolder;
        return String();
    }
    const String fileName = keyName.Mid(LastSeparator(keyName) + 1);
    if (!IsSafeKeyFileName(fileName))
        return String();
    if (IsPlainRelativePath(keyName)) {
        const String whole = keyFolder + keyName.Text();
        if (IsExistingFile(fileSystem, whole))
            return whole;
    }
    const String inKeyFolder = keyFolder + fileName.Text();
    if (IsExistingFile(fileSystem, inKeyFolder))
        return inKeyFolder;
    if (sourceFolder.IsEmpty())
        return String();
    const String besideSource = sourceFolder + fileName.Text();
    if (IsExistingFile(fileSystem, besideSource))
        return besideSource;
    return String();
}
