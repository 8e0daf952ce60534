// RequestEvents: how the engine's stages talk to the caller of DecryptFile. Every stage
// raises through the request's callback block; a failure is always one RE_ERROR followed by
// RE_WORK_END and RE_END, a cancel or silent stop RE_WORK_END and RE_END only.
#pragma once

#include <cstdint>

#include "engine/DecryptRequest.h"

// The texts the user sees; exact, since the shell and the tests compare them.
namespace messages {
constexpr const char kUnknownError[] = "Unknown Error";
constexpr const char kTypeNotValid[] = "Type or Format not valid";
constexpr const char kNotAnArchive[] = "This is not a valid encrypted archive";
constexpr const char kKeyNotFound[] = "Key not found";
constexpr const char kCannotCreateFolder[] = "Cannot create the following folder";
constexpr const char kCannotWriteFile[] = "Cannot write the following file";
constexpr const char kCorrupted[] =
    "The archive is corrupted or different from the original.\nPlease obtain a valid encrypted copy:";
constexpr const char kNoTitle[] =
    "This file has no name before its extension, so no output folder can be named after it.\nPlease rename "
    "the file";
constexpr const char kTooLarge[] = "This file is too large (2 GB or more)";
constexpr const char kWaveCarrier[] = "This WAV file does not contain encrypted data";
constexpr const char kBitmapCarrier[] = "This BMP file does not contain encrypted data";
constexpr const char kPngCarrier[] = "This PNG file does not contain encrypted data";
// Separators between a message and the name it is about.
constexpr const char kNameSeparator[] = " :\n\n";
constexpr const char kCorruptedSeparator[] = "\n\n";
}  // namespace messages

// Calls the callback (if any) with extra = 0 and the block's own address; gives its answer.
int32_t RaiseEvent(const RequestCallbackBlock& block, RequestEvent code, intptr_t value = 0);
// RE_ERROR with the message, RE_WORK_END, RE_END; always false, so stages can return it.
bool FailRequest(const RequestCallbackBlock& block, const char* message);
// RE_WORK_END, RE_END; always false.
bool StopRequest(const RequestCallbackBlock& block);

// Progress of the copy and carrier stages: thousandths of the source consumed, raised only
// when the value changes (so 0 itself is never raised).
class ChangedProgress {
public:
    explicit ChangedProgress(const RequestCallbackBlock& block) : block_(block) {}
    // done out of total (both >= 0); false when the caller answered with a cancel.
    bool Report(int64_t done, int64_t total);
    // Reports every progress step (Stream::kProgressStep bytes from 0) that starts in
    // [from, to), so that a stage moving large blocks raises what one moving a step at a
    // time would. False at a cancel.
    bool ReportSteps(int64_t from, int64_t to, int64_t total);

private:
    const RequestCallbackBlock& block_;
    int last_ = 0;
};
