// Key lookup: finds the key file an archive names. Candidates, first existing wins:
//   1. key folder + key name as read (only when the name is a plain relative path);
//   2. key folder + the name's file-name part;
//   3. the source file's folder + that file-name part.
// Forward slashes count as separators. A name with a ".." component, a leading separator,
// a drive letter, a colon or a UNC prefix is never joined as a whole: only its file-name
// part is used (candidates 2 and 3). A file-name part that is a reserved device name (CON,
// PRN, AUX, NUL, COM1-9, LPT1-9, with any extension, any case) or holds a ":" is never
// looked up at all. For a non-empty name a candidate must be a file, not a folder.
#pragma once

#include "toolkit/base/String.h"

// Path of the key file to use, or an empty String when none exists.
// An empty key name selects the built-in default key: the candidates are then the key folder
// and the source's folder themselves, and the first of them that exists is returned (a folder
// path, never a key file); empty when neither exists.
String FindKeyFile(const String& keyFolder, const String& keyName, const String& sourcePath);

// True when the file-name part of a key name may be looked up (not a device name, no colon).
bool IsSafeKeyFileName(const String& fileName);
