// FileKind: see FileKind.h.
#include "app/FileKind.h"

#include "toolkit/base/PathName.h"

FileKind ClassifyFile(const char* path) {
    static const char* const kArchiveExtensions[] = {"bmp", "png", "wav", "enc"};
    const String extension = PathName(path).GetExtension();
    for (const char* archive : kArchiveExtensions) {
        if (extension.CompareNoCase(archive) == 0)
            return FileKind::kArchive;
    }
    if (extension.CompareNoCase("key") == 0)
        return FileKind::kKey;
    return FileKind::kOther;
}
