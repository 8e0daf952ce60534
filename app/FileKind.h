// FileKind: what a dropped file is, told by its extension alone (compared without regard to
// case): something to decrypt, a key to import, or anything else (shown, then ignored).
#pragma once

enum class FileKind { kArchive, kKey, kOther };

FileKind ClassifyFile(const char* path);
