// Key import: a key file dropped on the window is copied into the active key folder, on the
// worker thread. An existing key of the same name is replaced only when the user says yes; a
// copy that fails is told to the user (with the error sound), never passed off as done.
#pragma once

#include <windows.h>

#include "toolkit/base/String.h"

class Sound;

enum class KeyImportResult { kImported, kDeclined, kFailed };

extern const char* const kKeyExistsQuestion;
extern const char* const kKeyCopyFailedMessage;  // followed by the key file's name

// Copies keyPath into keyFolder (ending with a backslash). Questions and messages are owned by
// owner; errorSound (none when sounds are off) plays before a failure is shown.
KeyImportResult ImportKeyFile(const String& keyPath, const String& keyFolder, HWND owner, Sound* errorSound);
