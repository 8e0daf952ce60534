// Test-support archive writer: builds the three archive layers from an ArchiveSpec.
#include "tests/support/ArchiveWriter.h"

#include <zlib.h>

#include "toolkit/base/FileStream.h"

namespace kvrtest {

namespace {

void AppendLine(Bytes& out, const std::string& text) {
    const std::string line = text + "\r\n";
    out.insert(out.end(), line.begin(), line.end());
}

// Magic, flag, key-name line, count line.
Bytes BuildHeader(const ArchiveSpec& spec) {
    Bytes out(spec.magic.begin(), spec.magic.end());
    out.push_back(static_cast<uint8_t>(spec.flagByte >= 0 ? spec.flagByte : spec.compressed));
    AppendLine(out, spec.keyName);
    const int count = spec.announcedCount >= 0 ? spec.announcedCount : static_cast<int>(spec.entries.size());
    AppendLine(out, spec.countLine.empty() ? std::to_string(count) : spec.countLine);
    return out;
}

}  // namespace

void AppendU32(Bytes& out, uint32_t value) {
    for (int i = 0; i < 4; i++)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void AppendChunk(Bytes& out, uint32_t plainSize, uint32_t packedSize, const Bytes& packed) {
    AppendU32(out, plainSize);
    AppendU32(out, packedSize);
    out.insert(out.end(), packed.begin(), packed.end());
}

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes PatternBytes(size_t n, uint32_t seed) {
    Bytes bytes(n);
    uint32_t state = seed * 2654435761u + 12345u;
    for (size_t i = 0; i < n; i++) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<uint8_t>(state >> 16);
    }
    return bytes;
}

Bytes Truncated(const Bytes& bytes, size_t n) {
    return Bytes(bytes.begin(), bytes.begin() + (n < bytes.size() ? n : bytes.size()));
}

uint32_t Crc32Of(const Bytes& bytes) {
    return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

Bytes ZlibCompress(const Bytes& plain) {
    uLongf packedSize = compressBound(static_cast<uLong>(plain.size()));
    Bytes packed(packedSize);
    if (compress(packed.data(), &packedSize, plain.data(), static_cast<uLong>(plain.size())) != Z_OK)
        return Bytes();
    packed.resize(packedSize);
    return packed;
}

Bytes BuildChunkStream(const Bytes& plain, size_t chunkSize) {
    Bytes out;
    AppendU32(out, static_cast<uint32_t>((plain.size() + chunkSize - 1) / chunkSize));
    for (size_t at = 0; at < plain.size(); at += chunkSize) {
        const size_t n = plain.size() - at < chunkSize ? plain.size() - at : chunkSize;
        const Bytes packed = ZlibCompress(Bytes(plain.begin() + at, plain.begin() + at + n));
        AppendChunk(out, static_cast<uint32_t>(n), static_cast<uint32_t>(packed.size()), packed);
    }
    return out;
}

Bytes BuildEntryStream(const ArchiveSpec& spec) {
    Bytes out;
    for (size_t i = 0; i < spec.entries.size(); i++) {
        const ArchiveEntry& entry = spec.entries[i];
        const int index = static_cast<int>(i);
        AppendLine(out, entry.name);
        AppendU32(out, entry.folder ? 0xFFFFFFFFu
                                    : static_cast<uint32_t>(entry.data.size()) + (index == spec.lyingSizeOf ? 10 : 0));
        if (entry.folder)
            continue;
        AppendU32(out, Crc32Of(entry.data) ^ (index == spec.corruptCrcOf ? 1u : 0u));
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    }
    return out;
}

Bytes AddKey(Bytes body, const Bytes& key) {
    for (size_t i = 0; i < body.size() && !key.empty(); i++)
        body[i] = static_cast<uint8_t>(body[i] + key[i % key.size()]);
    return body;
}

Bytes BuildRawArchiveFromBody(const ArchiveSpec& spec, const Bytes& keyFreeBody) {
    Bytes out = BuildHeader(spec);
    const Bytes body = AddKey(keyFreeBody, spec.key);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes BuildRawArchive(const ArchiveSpec& spec) {
    const Bytes entries = BuildEntryStream(spec);
    return BuildRawArchiveFromBody(spec, spec.compressed ? BuildChunkStream(entries, spec.chunkSize) : entries);
}

// Through the product's file stream, which takes UTF-8 paths on every system.
bool WriteFileBytes(const std::string& path, const Bytes& bytes) {
    FileStream file;
    if (!file.Open(String(path.c_str()), true, true, false))
        return false;
    const int size = static_cast<int>(bytes.size());
    return size == 0 || file.Write(bytes.data(), size) == size;
}

Bytes ReadFileBytes(const std::string& path) {
    FileStream file;
    if (!file.Open(String(path.c_str()), false, false, true))
        return Bytes();
    Bytes bytes(static_cast<size_t>(file.GetSize()));
    if (!bytes.empty() && file.Read(bytes.data(), static_cast<int>(bytes.size())) != static_cast<int>(bytes.size()))
        return Bytes();
    return bytes;
}

}  // namespace kvrtest
