// ArchiveCopy: block copy of an archive file into the raw file.
#include "engine/ArchiveCopy.h"

#include <algorithm>

#include "engine/RequestEvents.h"
#include "toolkit/base/FileStream.h"

namespace {

// A whole number of runtime buffers: the source and the raw file then never hold a part of a
// block in their buffers, and every byte is copied once, from the one file to the other.
constexpr int kArchiveBlock = 4 * FileStream::kBufferSize;

}  // namespace

bool CopyArchive(Stream* source, Stream& raw, const RequestCallbackBlock& block) {
    if (!source || !source->IsOpen())
        return FailRequest(block, messages::kUnknownError);
    const int size = source->GetSize();
    source->Seek(0);
    ChangedProgress progress(block);
    for (int position = 0; position < size;) {
        const int wanted = std::min(kArchiveBlock, size - position);
        const int copied = raw.CopyFrom(source, wanted);
        // Progress as if the file were copied a step at a time: a short copy fails in the
        // step where it happened, after that step's report.
        const int reached = copied < wanted ? position + std::max(copied, 0) + 1 : position + wanted;
        if (!progress.ReportSteps(position, reached, size))
            return StopRequest(block);
        // A short copy means the source shrank under us or the temporary disk is full; the
        // raw file would be silently cut, so the stage fails instead of going on.
        if (copied < wanted)
            return FailRequest(block, messages::kUnknownError);
        position += wanted;
    }
    return true;
}
