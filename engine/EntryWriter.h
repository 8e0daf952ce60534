// EntryWriter: the last stage of a decryption: the entry records of the key-free (and
// inflated) archive are written out below the output folder, each file checked by CRC-32.
//
//   entry record: name CR LF | size (4 bytes LE; 0xFFFFFFFF = folder) | CRC-32 (files only) | data
//   a folder entry's name ends with a backslash; folders of file entries are made on demand.
#pragma once

#include <cstdint>

#include "engine/DecryptRequest.h"
#include "toolkit/base/String.h"

class Stream;

struct EntryJob {
    Stream* entries = nullptr;               // positioned at the first record
    String outputFolder;                     // ends with a backslash and exists
    int count = 0;                           // entries announced by the header, 1 or more
    String sourceName;                       // the source's file name, for the message of a short archive
    RequestMode mode = RequestMode::kWrite;  // the list and test modes write nothing
    int* filesWritten = nullptr;             // counts the file entries written, when given
};

// Copies an entry's size bytes (fewer when the entries end first) into target and checks what
// landed there: false when a write came up short or the result cannot be read back (a full
// disk, a locked file). crc receives the CRC-32 of target's whole content.
bool CopyEntryData(Stream& entries, Stream& target, uint32_t size, uint32_t& crc);

// Writes up to count entries, raising progress 1666..2000 once per entry; in the list and
// test modes each entry is reported as RE_ENTRY instead (after its CRC-32 was checked in
// the test mode), and nothing is written. Files written stay
// when a later entry fails. True when all count entries were written; otherwise the closing
// events (with the message of the failure, or none after a cancel) have been raised.
bool WriteEntries(const EntryJob& job, const RequestCallbackBlock& block);
