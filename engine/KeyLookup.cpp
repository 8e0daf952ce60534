// Key lookup. A key name comes from the archive, that is from outside: it is only ever
// joined to the key folder as a whole when it passes the same rule as entry names, and a
// file-name part that fails that rule is never looked up at all.
#include "engine/KeyLookup.h"

#include "engine/SafeName.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/PathName.h"

namespace {

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
    const String fileName = keyName.Mid(LastPathSeparator(keyName) + 1);
    if (!IsSafeFileName(fileName))
        return String();
    if (IsSafeRelativeName(keyName)) {
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
