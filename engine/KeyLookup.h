// Key lookup: finds the key file an archive names. Candidates, first existing wins:
//   1. key folder + key name as read (only when the name is a plain relative path);
//   2. key folder + the name's file-name part;
//   3. the source file's folder + that file-name part.
// Forward slashes count as separators. A name that is not a safe relative name (SafeName.h:
// a ".." component, a leading separator, a drive letter, a colon, a device name...) is never
// joined as a whole: only its file-name part is used (candidates 2 and 3), and a file-name
// part that is not a safe file name is never looked up at all. For a non-empty name a
// candidate must be a file, not a folder.
#pragma once

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"

// Path of the key file to use, or an empty String when none exists.
// An empty key name selects the built-in default key: the candidates are then the key folder
// and the source's folder themselves, and the first of them that exists is returned (a folder
// path, never a key file); empty when neither exists.
String FindKeyFile(const String& keyFolder, const String& keyName, const String& sourcePath);

// The paths FindKeyFile tries for a non-empty key name, in its order; none for a name whose
// file-name part is not a safe file name.
void KeyCandidates(const String& keyFolder, const String& keyName, const String& sourcePath, StringList& candidates);
