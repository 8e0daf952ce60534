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

void KeyCandidates(const String& keyFolder, const String& keyName, const String& sourcePath, StringList& candidates) {
    const String fileName = keyName.Mid(LastPathSeparator(keyName) + 1);
    if (keyName.IsEmpty() || !IsSafeFileName(fileName))
        return;
    if (IsSafeRelativeName(keyName))
        candidates.AddString(keyFolder + keyName.Text());
    candidates.AddString(keyFolder + fileName.Text());
    const String sourceFolder = SourceFolder(sourcePath);
    if (!sourceFolder.IsEmpty())
        candidates.AddString(sourceFolder + fileName.Text());
}

String FindKeyFile(const String& keyFolder, const String& keyName, const String& sourcePath) {
    FileSystem fileSystem;
    if (keyName.IsEmpty()) {
        // No key file: the default key applies, and the lookup only has to find a folder.
        const String sourceFolder = SourceFolder(sourcePath);
        if (fileSystem.FileExists(keyFolder))
            return keyFolder;
        if (!sourceFolder.IsEmpty() && fileSystem.FileExists(sourceFolder))
            return sourceFolder;
        return String();
    }
    StringList candidates;
    KeyCandidates(keyFolder, keyName, sourcePath, candidates);
    for (int i = 0; i < candidates.Count(); i++) {
        if (IsExistingFile(fileSystem, candidates.At(i)))
            return candidates.At(i);
    }
    return String();
}
