// FileKind: what a dropped file is, told by its extension alone (compared without regard to
// case): something the engine decrypts (its own table decides), a key to import, or anything
// else (shown, then ignored).
#pragma once

enum class FileKind { kDecryptable, kKey, kOther };

FileKind ClassifyFile(const char* path);
