// FileKind: see FileKind.h.
#include "app/FileKind.h"

#include "engine/SourceKind.h"
#include "toolkit/base/PathName.h"

FileKind ClassifyFile(const char* path) {
    if (IsDecryptable(SourceKindOf(path)))
        return FileKind::kDecryptable;
    if (PathName(path).GetExtension().CompareNoCase("key") == 0)
        return FileKind::kKey;
    return FileKind::kOther;
}
