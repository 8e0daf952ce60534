// DecryptFile: the one entry operation of the decryption engine. It turns one encrypted
// archive (.enc) or carrier file (.wav, .bmp, .png) into plain files in a new folder named
// after the source, synchronously on the caller's thread, and reports only through the
// request's callback.
#pragma once

#include "engine/DecryptRequest.h"

// True when every entry the archive announced was written; false on any failure, cancel or
// declined overwrite. The request must stay alive for the whole call.
bool DecryptFile(DecryptRequest& request);
