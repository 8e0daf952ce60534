// KeyFinder: what a front end can tell a user whose key was not found. The folders are the
// ones the key lookup searched (KeyCandidates, in its order); in each, the key files whose
// names come nearest to the one the archive named, so that a typo in a name shows itself.
#pragma once

#include "toolkit/base/Array.h"
#include "toolkit/base/String.h"

// The distinct folders of the key candidates, in lookup order, each ending with a backslash.
void KeySearchFolders(const String& keyFolder, const String& keyName, const String& sourcePath, StringList& folders);

// Up to max names of the files in folder nearest to wanted by edit distance (case ignored;
// ties in name order). When wanted has an extension only files with the same extension count,
// so an archive or a picture beside the source is never offered as a key.
void NearestKeyNames(const String& folder, const String& wanted, int max, StringList& nearest);

// Insertions, deletions and substitutions that turn a into b, case ignored.
int EditDistance(const String& a, const String& b);
