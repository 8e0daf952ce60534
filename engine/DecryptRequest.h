// DecryptRequest: the record a caller fills to have one archive or carrier file decrypted,
// and the events the engine raises through its callback while it works. The shell's worker
// and the command-line front end both build one and hand it to DecryptFile.
#pragma once

#include <cstdint>

#include "toolkit/base/String.h"

// Event codes raised through the request's callback; 0, 1 and 9 and above are never sent.
enum RequestEvent : int32_t {
    RE_BEGIN = 2,          // value 0; first event of every call
    RE_END = 3,            // value 0; last event of every call
    RE_ERROR = 4,          // value: message text (const char*)
    RE_WORK_BEGIN = 5,     // value 0; the source's type was recognised
    RE_PROGRESS = 6,       // value: 0..2000; a non-zero answer cancels
    RE_WORK_END = 7,       // value 0; the work ended (success, failure or cancel)
    RE_ASK_OVERWRITE = 8,  // value: output folder path (const char*); answer 1 goes on
};

struct RequestCallbackBlock;

// code: a RequestEvent; value: an integer or a text pointer; extra: always 0; block: the
// request's callback block, through which the callee reaches its context. The answer is read
// only for RE_ASK_OVERWRITE and RE_PROGRESS.
using RequestCallback = int32_t (*)(int32_t code, intptr_t value, intptr_t extra, const RequestCallbackBlock* block);

// The callback and the context travel together so that the callee, handed the block's
// address, finds its context right after the function pointer.
struct RequestCallbackBlock {
    RequestCallback callback = nullptr;
    void* context = nullptr;  // passed back untouched
};

struct DecryptRequest {
    String keyFolder;            // folder of key files, ending with a backslash
    String sourcePath;           // full path of the file to decrypt
    String outputFolder;         // where the output folder is created, ending with a backslash
    RequestCallbackBlock block;  // callback, then context
    bool compressed = false;     // engine: set from the archive header
    bool cancelled = false;      // engine: set when a progress answer asked to stop
};
