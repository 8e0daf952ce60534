// SourceKind: see SourceKind.h.
#include "engine/SourceKind.h"

#include "toolkit/base/PathName.h"

SourceKind SourceKindOf(const String& sourcePath) {
    static const struct {
        const char* extension;
        SourceKind kind;
    } kKinds[] = {
        {"enc", SourceKind::kArchive},
        {"bmp", SourceKind::kBitmap},
        {"png", SourceKind::kPng},
        {"wav", SourceKind::kWave},
    };
    const String extension = PathName(sourcePath).GetExtension();
    for (const auto& entry : kKinds) {
        if (extension.CompareNoCase(entry.extension) == 0)
            return entry.kind;
    }
    return SourceKind::kUnknown;
}
