// SourceKind: which files the engine decrypts, told by the extension alone (without regard to
// case): an encrypted archive (.enc) or a carrier that hides one (.bmp, .png, .wav). The one
// table both front ends ask before they hand a file over.
#pragma once

#include "toolkit/base/String.h"

enum class SourceKind { kUnknown, kArchive, kBitmap, kPng, kWave };

SourceKind SourceKindOf(const String& sourcePath);

inline bool IsDecryptable(SourceKind kind) {
    return kind != SourceKind::kUnknown;
}
// A picture or a sound that hides an archive.
inline bool IsCarrier(SourceKind kind) {
    return IsDecryptable(kind) && kind != SourceKind::kArchive;
}
