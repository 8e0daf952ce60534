// DecryptRequest: the record a caller fills to have one archive or carrier file decrypted,
// and the events the engine raises through its callback while it works. The shell's worker
// and the command-line front end both build one and hand it to DecryptFile.
#pragma once

#include <cstdint>

#include "toolkit/base/String.h"

// Event codes raised through the request's callback; 0, 1 and 11 and above are never sent, 9
// and 10 only in the list and test modes.
enum RequestEvent : int32_t {
    RE_BEGIN = 2,          // value 0; first event of every call
    RE_END = 3,            // value 0; last event of every call
    RE_ERROR = 4,          // value: message text (const char*)
    RE_WORK_BEGIN = 5,     // value 0; the source's type was recognised
    RE_PROGRESS = 6,       // value: 0..2000; a non-zero answer cancels
    RE_WORK_END = 7,       // value 0; the work ended (success, failure or cancel)
    RE_ASK_OVERWRITE = 8,  // value: output folder path (const char*); answer 1 goes on
    // Only in the list and test modes, which write nothing:
    RE_ARCHIVE = 9,  // value: const ArchiveReport*; the header was read (before the key lookup)
    RE_ENTRY = 10,   // value: const EntryReport*; an entry was read (and in the test mode checked)
};

// What a request does with the archive's entries. The modes share every stage up to the
// entries, so listing and testing meet the same key lookup and the same messages as writing.
enum class RequestMode : int32_t {
    kWrite,  // write them below the output folder
    kList,   // report each entry without reading its data; no folder is made, no question asked
    kTest,   // read each entry's data and check its CRC-32 as writing would, but write nothing
};

// Valid only during the RE_ARCHIVE event.
struct ArchiveReport {
    const char* keyName = "";  // as the archive names it; empty: the built-in key
    bool compressed = false;
    int count = 0;                 // entries announced
    int64_t archiveSize = 0;       // bytes of the archive (for a carrier: the hidden one)
    int64_t carrierCapacity = -1;  // bytes the carrier could hide; -1 for an archive file
};

// Valid only during the RE_ENTRY event.
struct EntryReport {
    const char* name = "";
    bool folder = false;
    uint32_t size = 0;  // as stored; 0 for a folder
    uint32_t crc = 0;   // as stored; 0 for a folder
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
    String keyFolder;                        // folder of key files, ending with a backslash
    String sourcePath;                       // full path of the file to decrypt
    String outputFolder;                     // where the output folder is created, ending with a backslash
    RequestCallbackBlock block;              // callback, then context
    bool compressed = false;                 // engine: set from the archive header
    bool cancelled = false;                  // engine: set when a progress answer asked to stop
    RequestMode mode = RequestMode::kWrite;  // caller
    String keyName;                          // engine: the key name read from the header
    bool keyMissing = false;                 // engine: set when no key candidate existed
    String outputPath;                       // engine: the output folder (write mode)
    int filesWritten = 0;                    // engine: file entries written (write mode)
};
