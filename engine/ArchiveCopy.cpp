// ArchiveCopy: block copy of an archive file into the raw file.
#include "engine/ArchiveCopy.h"

#include <algorithm>

#include "engine/RequestEvents.h"
#include "toolkit/base/Stream.h"

bool CopyArchive(Stream* source, Stream& raw, const RequestCallbackBlock& block) {
    if (!source || !source->IsOpen())
        return FailRequest(block, messages::kUnknownError);
    const int size = source->GetSize();
    source->Seek(0);
    ChangedProgress progress(block);
    for (int position = 0; position < size; position += Stream::kBlockSize) {
        if (!progress.Report(position, size))
            return StopRequest(block);
        const int wanted = std::min(Stream::kBlockSize, size - position);
        const int copied = raw.CopyFrom(source, Stream::kBlockSize);
        // A short copy means the source shrank under us or the temporary disk is full; the
        // raw file would be silently cut, so the stage fails instead of going on.
        if (copied < wanted)
            return FailRequest(block, messages::kUnknownError);
    }
    return true;
}
