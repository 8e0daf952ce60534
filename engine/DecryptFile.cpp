// DecryptFile: the decrypt driver. It runs the pipeline over temporary files
//   source --copy/extract--> raw file --header, key removed--> key-free file
//          --inflated (compressed archives)--> entry stream --> files under the output folder
// and raises every event of the request. The list and test modes run the same pipeline up to
// the entry stream and then only read it: no output folder, no question. Raw archive layout:
//   "KVR-ENC-1.00" | flag byte (non-zero: compressed) | key name CR LF | count CR LF | body
// Temporary files are owned by objects of this call (the raw stream's own temporary file,
// ScopedTempFile for the others), so none outlives it on any road.
#include "engine/DecryptFile.h"

#include <cctype>
#include <climits>
#include <cstdint>

#include "engine/ArchiveCopy.h"
#include "engine/BitmapCarrier.h"
#include "engine/EntryWriter.h"
#include "engine/KeyLookup.h"
#include "engine/PngCarrier.h"
#include "engine/RequestEvents.h"
#include "engine/ScopedTempFile.h"
#include "engine/SourceKind.h"
#include "engine/WaveCarrier.h"
#include "toolkit/base/FileStream.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/base/PathName.h"
#include "toolkit/base/Progress.h"

namespace {

// The key of archives that name none; it must equal the sibling encryptor's default key.
constexpr char kDefaultKey[] = "KVRK";
constexpr char kMagic[] = "KVR-ENC-1.00";
constexpr int kMagicLength = 12;
constexpr int kMaxLineLength = 1024;
constexpr int64_t kMaxSourceSize = int64_t{1} << 31;

// A title that Windows reduces to nothing or to a way up ("", ".", "..", blanks) would make
// the output folder the source's own folder or its parent, so the entries would land beside
// the source and could replace it.
bool HasUsableTitle(const String& sourcePath) {
    const String title = PathName(sourcePath).GetTitle();
    for (int i = 0; i < title.Length(); i++) {
        if (title.GetAt(i) != '.' && title.GetAt(i) != ' ')
            return true;
    }
    return false;
}

String OutputFolderOf(const DecryptRequest& request) {
    const PathName source(request.sourcePath);
    const int baseKind = PathName(request.outputFolder).Kind();
    String folder = baseKind == PathName::kLocal || baseKind == PathName::kUnc ? request.outputFolder
                                                                               : source.GetRoot() + source.GetFolder();
    if (!folder.IsEmpty() && folder.GetAt(folder.Length() - 1) != '\\' && folder.GetAt(folder.Length() - 1) != '/')
        folder += '\\';
    folder += source.GetTitle();
    folder += '\\';
    return folder;
}

// Positions and sizes are signed 32-bit throughout the streams, so a source of 2 GB or
// more is refused before any of them touches it. A source that cannot be examined is left
// to the stage that opens it.
bool IsTooLarge(const String& sourcePath) {
    return FileSystem::FileSize(sourcePath) >= kMaxSourceSize;
}

// Like the C library's atoi (leading blanks, a sign, digits up to the first non-digit), but
// saturating instead of overflowing.
int ParseCount(const String& line) {
    const char* p = line.Text();
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    int64_t value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)) && value <= INT_MAX; ++p)
        value = value * 10 + (*p - '0');
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(negative ? -value : value);
}

bool FailWithName(const RequestCallbackBlock& block, const char* message, const String& name) {
    String text(message);
    text += messages::kNameSeparator;
    text += name;
    return FailRequest(block, text);
}

bool KeyStageHook(int thousandths, void* context) {
    DecryptRequest& request = *static_cast<DecryptRequest*>(context);
    const int band = request.compressed ? 333 : 666;
    if (RaiseEvent(request.block, RE_PROGRESS, 1000 + ScaleProgress(thousandths, 1000, band)) == 0)
        return true;
    request.cancelled = true;
    return false;
}

bool DecompressionHook(int thousandths, void* context) {
    DecryptRequest& request = *static_cast<DecryptRequest*>(context);
    if (RaiseEvent(request.block, RE_PROGRESS, 1333 + ScaleProgress(thousandths, 1000, 333)) == 0)
        return true;
    request.cancelled = true;
    return false;
}

// capacity receives what a carrier could hide (left alone for an archive file).
bool ObtainRawArchive(SourceKind kind,
                      const String& sourcePath,
                      FileStream& raw,
                      const RequestCallbackBlock& block,
                      int64_t& capacity) {
    switch (kind) {
        case SourceKind::kArchive: {
            FileStream source;
            const bool opened = source.Open(sourcePath, false, false, true);
            return CopyArchive(opened ? &source : nullptr, raw, block);
        }
        case SourceKind::kBitmap:
            return ExtractBitmapPayload(raw, sourcePath, block, false, &capacity);
        case SourceKind::kPng:
            return ExtractPngPayload(raw, sourcePath, block, &capacity);
        case SourceKind::kWave:
            return ExtractWavePayload(raw, sourcePath, block, &capacity);
        case SourceKind::kUnknown:
            break;
    }
    return FailRequest(block, messages::kUnknownError);
}

struct ArchiveHeader {
    String keyName;
    int count = 0;
    bool compressed = false;
    int bodyStart = 0;
};

// Fails the request itself when the header is unusable.
bool ReadHeader(FileStream& raw, ArchiveHeader& header, const RequestCallbackBlock& block) {
    raw.Seek(0);
    if (raw.ReadText(kMagicLength) != kMagic)
        return FailRequest(block, messages::kNotAnArchive);
    header.compressed = raw.ReadByte() != 0;
    raw.ReadLine(header.keyName, true, kMaxLineLength);
    String countLine;
    raw.ReadLine(countLine, true, kMaxLineLength);
    header.count = ParseCount(countLine);
    header.bodyStart = raw.Tell();
    if (header.count <= 0)
        return FailRequest(block, messages::kUnknownError);
    return true;
}

// Removes the key from the raw file's body into keyFreePath. Fails or stops the request itself.
bool RemoveKey(DecryptRequest& request,
               FileStream& raw,
               const ArchiveHeader& header,
               const String& keyPath,
               const String& keyFreePath) {
    FileStream keyFree;
    if (keyFreePath.IsEmpty() || !keyFree.Open(keyFreePath, true, true, false))
        return FailRequest(request.block, messages::kUnknownError);
    MemoryStream defaultKey;
    FileStream keyFile;
    Stream* key = nullptr;
    if (header.keyName.IsEmpty()) {
        defaultKey.Write(kDefaultKey, sizeof kDefaultKey - 1);
        key = &defaultKey;
    } else if (keyFile.Open(keyPath, false, false, true)) {
        key = &keyFile;
    }
    raw.keyStageHook = KeyStageHook;
    const bool done = raw.ApplyKey(key, -1, &keyFree, &request);
    raw.keyStageHook = nullptr;
    if (!done && request.cancelled)
        return StopRequest(request.block);
    // A short key-free file (a full disk) would pass as a damaged archive later.
    if (!done || keyFree.Tell() != raw.GetSize() - header.bodyStart)
        return FailRequest(request.block, messages::kUnknownError);
    return true;
}

bool Inflate(DecryptRequest& request, const String& keyFreePath, const String& inflatedPath) {
    if (!inflatedPath.IsEmpty() && Stream::InflateFile(keyFreePath, inflatedPath, DecompressionHook, &request))
        return true;
    if (request.cancelled)
        return StopRequest(request.block);
    return FailRequest(request.block, messages::kUnknownError);
}

void ReportArchive(const DecryptRequest& request, const ArchiveHeader& header, int64_t size, int64_t capacity) {
    ArchiveReport report;
    report.keyName = header.keyName.Text();
    report.compressed = header.compressed;
    report.count = header.count;
    report.archiveSize = size;
    report.carrierCapacity = capacity;
    RaiseEvent(request.block, RE_ARCHIVE, reinterpret_cast<intptr_t>(&report));
}

}  // namespace

bool DecryptFile(DecryptRequest& request) {
    request.compressed = false;
    request.cancelled = false;
    request.keyName.Empty();
    request.keyMissing = false;
    request.outputPath.Empty();
    request.filesWritten = 0;
    const bool writing = request.mode == RequestMode::kWrite;
    const RequestCallbackBlock& block = request.block;
    RaiseEvent(block, RE_BEGIN);
    if (writing && !HasUsableTitle(request.sourcePath))
        return FailRequest(block, messages::kNoTitle);

    const String outputFolder = writing ? OutputFolderOf(request) : String();
    request.outputPath = outputFolder;
    FileSystem fileSystem;
    if (writing && fileSystem.FileExists(outputFolder) &&
        RaiseEvent(block, RE_ASK_OVERWRITE, reinterpret_cast<intptr_t>(outputFolder.Text())) != 1) {
        RaiseEvent(block, RE_END);
        return false;
    }
    const SourceKind kind = SourceKindOf(request.sourcePath);
    if (kind == SourceKind::kUnknown)
        return FailRequest(block, messages::kTypeNotValid);
    RaiseEvent(block, RE_WORK_BEGIN);
    if (IsTooLarge(request.sourcePath))
        return FailRequest(block, messages::kTooLarge);

    // The temporary names are declared before the stream so that it is closed before they
    // are deleted.
    ScopedTempFile keyFreeFile;
    ScopedTempFile inflatedFile;
    FileStream raw;
    if (!raw.OpenTemporary())
        return FailRequest(block, messages::kUnknownError);
    int64_t capacity = -1;
    if (!ObtainRawArchive(kind, request.sourcePath, raw, block, capacity))
        return false;

    ArchiveHeader header;
    if (!ReadHeader(raw, header, block))
        return false;
    request.compressed = header.compressed;
    request.keyName = header.keyName;
    if (!writing)
        ReportArchive(request, header, raw.GetSize(), capacity);
    const String keyPath = FindKeyFile(request.keyFolder, header.keyName, request.sourcePath);
    if (keyPath.IsEmpty()) {
        request.keyMissing = true;
        return FailWithName(block, messages::kKeyNotFound, header.keyName);
    }
    if (!RemoveKey(request, raw, header, keyPath, keyFreeFile.Path()))
        return false;
    const String* entriesPath = &keyFreeFile.Path();
    if (header.compressed) {
        if (!Inflate(request, keyFreeFile.Path(), inflatedFile.Path()))
            return false;
        keyFreeFile.Delete();
        entriesPath = &inflatedFile.Path();
    }

    if (writing && !fileSystem.FolderExists(outputFolder) && !fileSystem.CreateFolder(outputFolder))
        return FailWithName(block, messages::kCannotCreateFolder, outputFolder);
    // Reopening the raw stream deletes the raw file.
    if (!raw.Open(*entriesPath, false, false, true))
        return FailRequest(block, messages::kUnknownError);

    EntryJob job;
    job.entries = &raw;
    job.outputFolder = outputFolder;
    job.count = header.count;
    job.sourceName = PathName(request.sourcePath).GetFileName();
    job.mode = request.mode;
    job.filesWritten = &request.filesWritten;
    if (!WriteEntries(job, block))
        return false;
    raw.Close();
    RaiseEvent(block, RE_WORK_END);
    RaiseEvent(block, RE_END);
    return true;
}
