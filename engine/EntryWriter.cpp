// EntryWriter: record-by-record reading of the entry stream. Names are untrusted: each is
// converted from its code page once, here, and must pass IsSafeRelativeName before it is
// joined to the output folder. Every short read, short
// write and unreadable result is a failure, never a silent success.
#include "engine/EntryWriter.h"

#include <algorithm>
#include <cstdint>

#include "engine/RequestEvents.h"
#include "engine/SafeName.h"
#include "toolkit/base/ByteOrder.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/PathName.h"
#include "toolkit/base/Progress.h"

namespace {

constexpr uint32_t kFolderEntrySize = 0xFFFFFFFF;
constexpr int kMaxNameLength = 1024;

bool FailCorrupted(const RequestCallbackBlock& block, const String& name) {
    String text(messages::kCorrupted);
    text += messages::kCorruptedSeparator;
    text += name;
    return FailRequest(block, text);
}

bool FailWithPath(const RequestCallbackBlock& block, const char* message, const String& path) {
    String text(message);
    text += messages::kNameSeparator;
    text += path;
    return FailRequest(block, text);
}

}  // namespace

bool CopyEntryData(Stream& entries, Stream& target, uint32_t size, uint32_t& crc) {
    const int expected = static_cast<int>(std::min<int64_t>(size, std::max(0, entries.Remaining())));
    // The record's name was read a byte at a time through the runtime's buffer; a seek to
    // where the data starts empties that buffer, so that the data's blocks are read straight
    // into the copy's block instead of through it.
    entries.Seek(entries.Tell());
    const int written = expected > 0 ? target.CopyFrom(&entries, expected) : 0;
    // A full disk may only show when buffered data is flushed: the size and the CRC are taken
    // from the file itself, and either failing counts as a failed write.
    return written == expected && target.GetSize() == expected && target.ComputeCrc32(crc);
}

namespace {

// Copies the entry's data into the target file and checks it against the stored CRC-32.
bool WriteFileEntry(Stream& entries,
                    const String& targetPath,
                    const String& name,
                    uint32_t size,
                    uint32_t storedCrc,
                    const RequestCallbackBlock& block) {
    FileStream target;
    if (!target.Open(targetPath, true, true, true))
        return FailRequest(block, messages::kUnknownError);
    uint32_t crc = 0;
    if (!CopyEntryData(entries, target, size, crc))
        return FailWithPath(block, messages::kCannotWriteFile, targetPath);
    if (crc != storedCrc)
        return FailCorrupted(block, name);
    return true;
}

// The list and test modes: the data is skipped, or read and checked as writing would check
// it, and the entry reported.
bool ReportEntry(const EntryJob& job, const EntryReport& entry, const RequestCallbackBlock& block) {
    Stream& entries = *job.entries;
    if (!entry.folder) {
        const int length = static_cast<int>(std::min<int64_t>(entry.size, std::max(0, entries.Remaining())));
        uint32_t crc = 0;
        if (job.mode == RequestMode::kList)
            entries.Seek(entries.Tell() + length);
        else if (entries.ReadCrc32(length, crc) != length || crc != entry.crc)
            return FailCorrupted(block, entry.name);
    }
    RaiseEvent(block, RE_ENTRY, reinterpret_cast<intptr_t>(&entry));
    return true;
}

// Reads and writes one record; false when the request ended (events raised).
bool WriteOneEntry(const EntryJob& job, const RequestCallbackBlock& block) {
    Stream& entries = *job.entries;
    String stored;
    entries.ReadLine(stored, true, kMaxNameLength);
    String name;
    uint32_t size = 0;
    if (!NameFromArchive(stored, name) || !IsSafeRelativeName(name) || !ReadU32(entries, size))
        return FailCorrupted(block, name);
    const bool folderEntry = size == kFolderEntrySize;
    uint32_t storedCrc = 0;
    if (!folderEntry && !ReadU32(entries, storedCrc))
        return FailCorrupted(block, name);
    if (job.mode != RequestMode::kWrite) {
        EntryReport entry;
        entry.name = name.Text();
        entry.folder = folderEntry;
        entry.size = folderEntry ? 0 : size;
        entry.crc = storedCrc;
        return ReportEntry(job, entry, block);
    }

    const String targetText = job.outputFolder + name;
    PathName target;
    if (target.SetPath(targetText) == PathName::kNone)
        return FailRequest(block, messages::kUnknownError);
    const String folder = target.GetRoot() + target.GetFolder();
    FileSystem fileSystem;
    if (!fileSystem.FolderExists(folder) && !fileSystem.CreateFolder(folder))
        return FailWithPath(block, messages::kCannotCreateFolder, folder);
    if (folderEntry)
        return true;
    if (!WriteFileEntry(entries, target.GetPath(), name, size, storedCrc, block))
        return false;
    if (job.filesWritten)
        ++*job.filesWritten;
    return true;
}

}  // namespace

bool WriteEntries(const EntryJob& job, const RequestCallbackBlock& block) {
    int written = 0;
    while (!job.entries->IsEof() && written < job.count) {
        ++written;
        const int progress = 1666 + ScaleProgress(written, job.count, 334);
        if (RaiseEvent(block, RE_PROGRESS, progress) != 0)
            return StopRequest(block);
        if (!WriteOneEntry(job, block))
            return false;
    }
    // The data ended before the announced entries: entries are missing, not a success.
    if (written < job.count)
        return FailCorrupted(block, job.sourceName);
    return true;
}
