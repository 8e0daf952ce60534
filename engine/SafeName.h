// SafeName: the one safety rule for names that come from archive bytes (entry names and key
// names). Such a name is appended to a folder, so it must stay a plain relative path below
// that folder: no way up, no absolute or drive-relative form, no device, no stream suffix,
// and nothing Windows would silently rewrite into a different name. The rule reads the name
// in UTF-8, after NameFromArchive: in a double-byte code page the second byte of a character
// may be a backslash, which only the converted name tells from a separator.
#pragma once

#include "toolkit/base/String.h"

// True when name is a relative path of plain components separated by backslashes (or
// slashes). Refused: an empty name, a leading separator (rooted or UNC), a ':' anywhere (drive
// letters, alternate streams), a control character (below 32, or U+0080..U+009F), an empty component inside the name,
// the components "." and "..", a component ending in a dot or a space (Windows strips those), and reserved device names
// (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9, and COM and LPT with a superscript 1, 2 or 3, which Windows
// reserves as well) with or without an extension, in any case. A single trailing separator (a folder entry) is allowed.
bool IsSafeRelativeName(const String& name);

// True when name is one such plain component: a file name without any separator.
bool IsSafeFileName(const String& name);

// A name as an archive stores it (bytes in the ANSI code page of the machine that wrote it,
// taken to be this system's) in UTF-8. False when a byte has no character in that code page:
// such a name is never used, and name receives a form fit only for a message, each byte
// above 127 shown as '?'.
bool NameFromArchive(const String& stored, String& name);
