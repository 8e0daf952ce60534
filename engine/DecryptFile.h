// DecryptFile: the one entry operation of the decryption engine. It turns one encrypted
// archive (.enc) or carrier file (.wav, .bmp, .png) into plain files in a new folder named
// after the source, synchronously on the caller's thread, and reports only through the
// request's callback.
#pragma once

// On Windows <windows.h> maps DecryptFile to the system's DecryptFileA (file-system
// encryption). It is included here once, and the mapping removed, so that every file that
// sees this declaration means the engine's operation, whatever it includes afterwards. Other
// systems have no such mapping (the one #ifdef of the engine).
#ifdef _WIN32
#include <windows.h>
#undef DecryptFile
#endif

#include "engine/DecryptRequest.h"

// True when every entry the archive announced was written (listed, found intact); false on
// any failure, cancel or declined overwrite. The request must stay alive for the whole call.
bool DecryptFile(DecryptRequest& request);
