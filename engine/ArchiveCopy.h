// ArchiveCopy: the raw-archive stage for plain archive files (.enc): the whole source is
// copied into the raw file in large blocks, with progress in the 0..1000 band.
#pragma once

#include "engine/DecryptRequest.h"

class Stream;

// Copies source (null when the file did not open) into raw at raw's position. On failure
// ("Unknown Error") or cancel raises the closing events itself and gives false.
bool CopyArchive(Stream* source, Stream& raw, const RequestCallbackBlock& block);
