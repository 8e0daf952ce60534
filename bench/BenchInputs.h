// BenchInputs: writes the large inputs of the benchmark straight to disk, block by block, so
// that making a 256 MB archive costs the generating process only a few buffers. The content
// is text-like (words from a small vocabulary) so that zlib finds about what it finds in
// ordinary documents; every byte is fixed by the seed, so runs are comparable.
//
// Archive written (integers unsigned 32-bit little-endian, lines end with CR LF):
//   "KVR-ENC-1.00" | flag | key name | count | body with the key added, where the body is
//   the entry records (name, size, CRC-32, data), or their chunked zlib form when compressed:
//   chunk count | per chunk: plain size (100000 but the last) | packed size | zlib stream
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using BenchBytes = std::vector<uint8_t>;

struct BenchArchiveSpec {
    std::string keyName;
    BenchBytes key;
    bool compressed = false;
    uint64_t plainBytes = 0;  // sum of the entries' data, spread over `files` entries
    int files = 8;
    uint32_t seed = 1;
    // When not empty, the key-free chunk stream is also written there (compressed only), for
    // the decompression baseline.
    std::string chunkCopyPath;
};

// Writes the archive; false when a file cannot be written.
bool WriteBenchArchive(const std::string& path, const BenchArchiveSpec& spec);

// The same entries as WriteBenchArchive, as a zip of deflated members (forward slashes, the
// empty folder last), for timing an ordinary archive tool on them.
bool WriteBenchZip(const std::string& path, const BenchArchiveSpec& spec);

// A 16-bit mono PCM WAV that hides the raw archive file in the low bits of its samples.
bool WriteWaveCarrierFile(const std::string& rawPath, const std::string& wavePath);
// A 24-bit BMP (word density, 2835 pixels per metre) hiding the raw archive file.
bool WriteBitmapCarrierFile(const std::string& rawPath, const std::string& bitmapPath);

// Size of a file in bytes; 0 when it is missing.
uint64_t BenchFileSize(const std::string& path);
