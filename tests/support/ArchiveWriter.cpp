// Test-support archive writer: builds the three archive layers from an ArchiveSpec.
#include "tests/support/ArchiveWriter.h"

#include <zlib.h>

#include "toolkit/base/FileStream.h"

namespace kvrtest {

namespace {

constexpr uint32_t kFolderSize = 0xFFFFFFFFu;

void AppendLine(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back('\r');
    out.push_back('\n');
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
    const size_t count = (plain.size() + chunkSize - 1) / chunkSize;
    Bytes out;
    AppendU32(out, static_cast<uint32_t>(count));
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
        AppendLine(out, entry.name);
        if (entry.folder) {
            AppendU32(out, kFolderSize);
            continue;
        }
        const int index = static_cast<int>(i);
        const uint32_t size = static_cast<uint32_t>(entry.data.size()) + (index == spec.lyingSizeOf ? 10 : 0);
        AppendU32(out, size);
        AppendU32(out, Crc32Of(entry.data) ^ (index == spec.corruptCrcOf ? 1u : 0u));
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    }
    return out;
}

Bytes BuildKeyFreeBody(const ArchiveSpec& spec) {
    const Bytes entries = BuildEntryStream(spec);
    return spec.compressed ? BuildChunkStream(entries, spec.chunkSize) : entries;
}

Bytes BuildHeader(const ArchiveSpec& spec) {
    Bytes out(spec.magic.begin(), spec.magic.end());
    const int flag = spec.flagByte >= 0 ? spec.flagByte : (spec.compressed ? 1 : 0);
    out.push_back(static_cast<uint8_t>(flag));
    AppendLine(out, spec.keyName);
    if (!spec.countLine.empty()) {
        AppendLine(out, spec.countLine);
        return out;
    }
    const int count = spec.announcedCount >= 0 ? spec.announcedCount : static_cast<int>(spec.entries.size());
    AppendLine(out, std::to_string(count));
    return out;
}

Bytes AddKey(const Bytes& body, const Bytes& key) {
    if (key.empty())
        return body;
    Bytes out(body.size());
    for (size_t i = 0; i < body.size(); i++)
        out[i] = static_cast<uint8_t>(body[i] + key[i % key.size()]);
    return out;
}

Bytes BuildRawArchiveFromBody(const ArchiveSpec& spec, const Bytes& keyFreeBody) {
    Bytes out = BuildHeader(spec);
    const Bytes body = AddKey(keyFreeBody, spec.key);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes BuildRawArchive(const ArchiveSpec& spec) {
    return BuildRawArchiveFromBody(spec, BuildKeyFreeBody(spec));
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
