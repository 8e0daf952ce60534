// Test-support writer of encrypted archives, byte-exact, so that tests can feed the
// reading side (streams, key removal, inflation, the decrypt driver) with archives made
// from known content, and with deliberately broken variants of them. Not part of the product.
//
// Layout produced (integers unsigned 32-bit little-endian, lines end with CR LF):
//   layer 1:  "KVR-ENC-1.00" | flag byte | key name CR LF | count CR LF | body with the key added
//   layer 2:  the body; when compressed:
//             chunk count | per chunk: plain size (<= 100000) | packed size | zlib stream
//   layer 3:  entry records: name CR LF | size (0xFFFFFFFF = folder) | CRC-32 (files only) | data
// The key is added byte by byte: stored = (plain + key[i mod keylen]) mod 256, i counted from
// the first body byte; an empty key leaves the body unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvrtest {

using Bytes = std::vector<uint8_t>;

struct ArchiveEntry {
    std::string name;  // relative path; a folder's name ends with a backslash
    Bytes data;
    bool folder = false;
};

struct ArchiveSpec {
    std::string magic = "KVR-ENC-1.00";  // change it to build a bad-magic archive
    std::string keyName;
    Bytes key;  // the key file's bytes; empty = no change to the body
    bool compressed = false;
    std::vector<ArchiveEntry> entries;
    int announcedCount = -1;    // -1: entries.size()
    std::string countLine;      // when not empty, written verbatim instead of the count ("abc", " 2", "-1")
    int flagByte = -1;          // -1: 1 when compressed, else 0; otherwise written as given (0..255)
    size_t chunkSize = 100000;  // plain bytes per zlib chunk
    int corruptCrcOf = -1;      // index of the entry whose stored CRC is written wrong (xor 1), -1 none
    int lyingSizeOf = -1;       // index of the file entry whose stored size is written larger by 10, -1 none
};

// Layer 3: the entry records.
Bytes BuildEntryStream(const ArchiveSpec& spec);
// Layers 2 and 1: the header followed by the key-free body (the chunk stream of layer 3 when
// spec.compressed) with the key added.
Bytes BuildRawArchive(const ArchiveSpec& spec);

// Pieces, for hand-made and broken archives.
Bytes AddKey(Bytes body, const Bytes& key);
// Header of spec followed by the given key-free body with spec.key added.
Bytes BuildRawArchiveFromBody(const ArchiveSpec& spec, const Bytes& keyFreeBody);

// Chunked zlib layer. BuildChunkStream splits plain into chunks of chunkSize bytes (none for
// empty input: a chunk count of 0). AppendChunk writes one chunk with the sizes given, true or not.
Bytes ZlibCompress(const Bytes& plain);
Bytes BuildChunkStream(const Bytes& plain, size_t chunkSize = 100000);
void AppendU32(Bytes& out, uint32_t value);
void AppendChunk(Bytes& out, uint32_t plainSize, uint32_t packedSize, const Bytes& packed);

// The first n bytes (all when n is larger).
Bytes Truncated(const Bytes& bytes, size_t n);
// Deterministic pseudo-random bytes (same seed, same bytes).
Bytes PatternBytes(size_t n, uint32_t seed = 1);
Bytes BytesOf(const std::string& text);

uint32_t Crc32Of(const Bytes& bytes);  // zlib's crc32
// Paths are UTF-8, as everywhere in the program.
bool WriteFileBytes(const std::string& path, const Bytes& bytes);
Bytes ReadFileBytes(const std::string& path);  // empty when missing

}  // namespace kvrtest
