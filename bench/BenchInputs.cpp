// Streaming writers of the benchmark's archives and carriers; see BenchInputs.h.
#include "bench/BenchInputs.h"

#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "bench/BenchFile.h"

namespace {

constexpr uint32_t kChunkPlain = 100000;
constexpr size_t kBlock = 64 * 1024;

using File = BenchFile;

File OpenWrite(const std::string& path) {
    return File(fopen(path.c_str(), "wb"));
}

void PutU32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; i++)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Deterministic text: words from a fixed vocabulary, separated by blanks and line ends.
class TextSource {
public:
    explicit TextSource(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    void Fill(uint8_t* out, size_t n) {
        static const char* const kWords[] = {
            "the",   "key",   "archive", "of",     "a",      "file",   "and",    "folder",  "to",    "decrypt",
            "entry", "with",  "data",    "bytes",  "report", "letter", "month",  "project", "under", "between",
            "which", "while", "number",  "signal", "sample", "colour", "window", "picture", "river", "table"};
        for (size_t i = 0; i < n; i++) {
            if (pending_ == nullptr || *pending_ == '\0') {
                state_ = state_ * 1664525u + 1013904223u;
                const uint32_t pick = state_ >> 8;
                pending_ = kWords[pick % (sizeof(kWords) / sizeof(kWords[0]))];
                separator_ = (pick >> 12) % 13 == 0 ? '\n' : ' ';
                out[i] = static_cast<uint8_t>(separator_);
                continue;
            }
            out[i] = static_cast<uint8_t>(*pending_++);
        }
    }

private:
    uint32_t state_;
    const char* pending_ = nullptr;
    char separator_ = ' ';
};

// Adds the key to every byte, the key index running on across calls, and writes.
class KeyedWriter {
public:
    KeyedWriter(FILE* file, const BenchBytes& key) : file_(file), key_(key) {}
    bool Put(const uint8_t* bytes, size_t n) {
        while (n > 0) {
            const size_t take = n < sizeof(block_) ? n : sizeof(block_);
            for (size_t i = 0; i < take; i++) {
                block_[i] = key_.empty() ? bytes[i] : static_cast<uint8_t>(bytes[i] + key_[index_]);
                if (!key_.empty() && ++index_ == key_.size())
                    index_ = 0;
            }
            if (fwrite(block_, 1, take, file_) != take)
                return false;
            bytes += take;
            n -= take;
        }
        return true;
    }

private:
    FILE* file_;
    const BenchBytes& key_;
    size_t index_ = 0;
    uint8_t block_[kBlock];
};

// Receives the entry stream; passes it on plainly or as zlib chunks.
class EntrySink {
public:
    EntrySink(KeyedWriter& body, bool compressed, FILE* chunkCopy)
        : body_(body), compressed_(compressed), chunkCopy_(chunkCopy) {}

    bool Put(const uint8_t* bytes, size_t n) {
        if (!compressed_)
            return body_.Put(bytes, n);
        while (n > 0) {
            const size_t room = kChunkPlain - pending_.size();
            const size_t take = n < room ? n : room;
            pending_.insert(pending_.end(), bytes, bytes + take);
            bytes += take;
            n -= take;
            if (pending_.size() == kChunkPlain && !FlushChunk())
                return false;
        }
        return true;
    }

    bool PutChunkCount(uint32_t count) {
        uint8_t word[4];
        PutU32(word, count);
        return Raw(word, 4);
    }

    bool Finish() { return !compressed_ || pending_.empty() || FlushChunk(); }

private:
    bool Raw(const uint8_t* bytes, size_t n) {
        if (chunkCopy_ && fwrite(bytes, 1, n, chunkCopy_) != n)
            return false;
        return body_.Put(bytes, n);
    }

    bool FlushChunk() {
        uLongf packedSize = static_cast<uLongf>(packed_.size());
        if (compress(packed_.data(), &packedSize, pending_.data(), static_cast<uLong>(pending_.size())) != Z_OK)
            return false;
        uint8_t sizes[8];
        PutU32(sizes, static_cast<uint32_t>(pending_.size()));
        PutU32(sizes + 4, static_cast<uint32_t>(packedSize));
        pending_.clear();
        return Raw(sizes, 8) && Raw(packed_.data(), packedSize);
    }

    KeyedWriter& body_;
    bool compressed_;
    FILE* chunkCopy_;
    BenchBytes pending_;
    BenchBytes packed_ = BenchBytes(compressBound(kChunkPlain));
};

std::string EntryName(int index) {
    return "part" + std::to_string(index / 4) + "\\document-" + std::to_string(index) + ".txt";
}

uint32_t CrcOfText(uint32_t seed, uint64_t size) {
    TextSource text(seed);
    std::vector<uint8_t> block(kBlock);
    uLong crc = crc32(0, Z_NULL, 0);
    for (uint64_t done = 0; done < size;) {
        const size_t take = static_cast<size_t>(size - done < kBlock ? size - done : kBlock);
        text.Fill(block.data(), take);
        crc = crc32(crc, block.data(), static_cast<uInt>(take));
        done += take;
    }
    return static_cast<uint32_t>(crc);
}

bool PutEntry(EntrySink& sink, const std::string& name, uint32_t seed, uint64_t size) {
    BenchBytes head(name.begin(), name.end());
    head.push_back('\r');
    head.push_back('\n');
    head.resize(head.size() + 8);
    PutU32(&head[head.size() - 8], static_cast<uint32_t>(size));
    PutU32(&head[head.size() - 4], CrcOfText(seed, size));
    if (!sink.Put(head.data(), head.size()))
        return false;
    TextSource text(seed);
    std::vector<uint8_t> block(kBlock);
    for (uint64_t done = 0; done < size;) {
        const size_t take = static_cast<size_t>(size - done < kBlock ? size - done : kBlock);
        text.Fill(block.data(), take);
        if (!sink.Put(block.data(), take))
            return false;
        done += take;
    }
    return true;
}

}  // namespace

uint64_t BenchFileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool WriteBenchArchive(const std::string& path, const BenchArchiveSpec& spec) {
    File file = OpenWrite(path);
    File chunkCopy = spec.compressed && !spec.chunkCopyPath.empty() ? OpenWrite(spec.chunkCopyPath) : File();
    if (!file || (spec.compressed && !spec.chunkCopyPath.empty() && !chunkCopy))
        return false;
    const int files = spec.files < 1 ? 1 : spec.files;
    const std::string header = std::string("KVR-ENC-1.00") + (spec.compressed ? '\1' : '\0') + spec.keyName + "\r\n" +
                               std::to_string(files + 1) + "\r\n";
    if (fwrite(header.data(), 1, header.size(), file.get()) != header.size())
        return false;

    // The entry stream's length fixes the chunk count, which precedes the chunks.
    const std::string folderName = "empty\\";
    uint64_t streamLength = folderName.size() + 2 + 4;
    for (int i = 0; i < files; i++)
        streamLength += EntryName(i).size() + 2 + 8 + spec.plainBytes / files;
    auto body = std::make_unique<KeyedWriter>(file.get(), spec.key);
    EntrySink sink(*body, spec.compressed, chunkCopy.get());
    if (spec.compressed && !sink.PutChunkCount(static_cast<uint32_t>((streamLength + kChunkPlain - 1) / kChunkPlain)))
        return false;
    for (int i = 0; i < files; i++)
        if (!PutEntry(sink, EntryName(i), spec.seed + i, spec.plainBytes / files))
            return false;
    uint8_t folder[4];
    PutU32(folder, 0xFFFFFFFFu);
    const std::string folderLine = folderName + "\r\n";
    return sink.Put(reinterpret_cast<const uint8_t*>(folderLine.data()), folderLine.size()) && sink.Put(folder, 4) &&
           sink.Finish();
}

namespace {

// One zip member being written: a local header whose sizes are filled in afterwards, and
// the record the central directory repeats.
struct ZipMember {
    std::string name;  // with forward slashes
    uint32_t crc = 0;
    uint32_t packedSize = 0;
    uint32_t plainSize = 0;
    uint32_t offset = 0;
    bool folder = false;
};

void PutU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

// The fields a local header and a central record share, from "version needed" on.
void PutZipCommon(uint8_t* out, const ZipMember& member) {
    PutU16(out, 20);                         // version needed
    PutU16(out + 2, 0);                      // flags
    PutU16(out + 4, member.folder ? 0 : 8);  // stored or deflated
    PutU16(out + 6, 0);                      // time
    PutU16(out + 8, 0x21);                   // date: 1980-01-01
    PutU32(out + 10, member.crc);
    PutU32(out + 14, member.packedSize);
    PutU32(out + 18, member.plainSize);
    PutU16(out + 22, static_cast<uint16_t>(member.name.size()));
    PutU16(out + 24, 0);  // extra field length
}

bool PutLocalHeader(FILE* file, const ZipMember& member) {
    uint8_t header[30];
    PutU32(header, 0x04034b50);
    PutZipCommon(header + 4, member);
    return fwrite(header, 1, 30, file) == 30 &&
           fwrite(member.name.data(), 1, member.name.size(), file) == member.name.size();
}

// Deflates the member's text into file and fills in its sizes.
bool PutDeflated(FILE* file, ZipMember& member, uint32_t seed, uint64_t size) {
    z_stream stream = {};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    TextSource text(seed);
    std::vector<uint8_t> in(kBlock), out(kBlock);
    uLong crc = crc32(0, Z_NULL, 0);
    bool ok = true;
    for (uint64_t done = 0; ok;) {
        const size_t take = static_cast<size_t>(size - done < kBlock ? size - done : kBlock);
        text.Fill(in.data(), take);
        crc = crc32(crc, in.data(), static_cast<uInt>(take));
        done += take;
        const int flush = done == size ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = in.data();
        stream.avail_in = static_cast<uInt>(take);
        int status = Z_OK;
        do {
            stream.next_out = out.data();
            stream.avail_out = static_cast<uInt>(out.size());
            status = deflate(&stream, flush);
            const size_t produced = out.size() - stream.avail_out;
            ok = status != Z_STREAM_ERROR && fwrite(out.data(), 1, produced, file) == produced;
        } while (ok && stream.avail_out == 0);
        if (flush == Z_FINISH)
            break;
    }
    member.crc = static_cast<uint32_t>(crc);
    member.plainSize = static_cast<uint32_t>(size);
    member.packedSize = static_cast<uint32_t>(stream.total_out);
    deflateEnd(&stream);
    return ok;
}

bool PutCentralDirectory(FILE* file, const std::vector<ZipMember>& members) {
    const long start = ftell(file);
    for (const ZipMember& member : members) {
        uint8_t record[46] = {};
        PutU32(record, 0x02014b50);
        PutU16(record + 4, 20);  // version made by
        PutZipCommon(record + 6, member);
        PutU32(record + 38, member.folder ? 0x10 : 0);  // external attributes: directory
        PutU32(record + 42, member.offset);
        if (fwrite(record, 1, 46, file) != 46 ||
            fwrite(member.name.data(), 1, member.name.size(), file) != member.name.size())
            return false;
    }
    const long end = ftell(file);
    uint8_t tail[22] = {};
    PutU32(tail, 0x06054b50);
    PutU16(tail + 8, static_cast<uint16_t>(members.size()));
    PutU16(tail + 10, static_cast<uint16_t>(members.size()));
    PutU32(tail + 12, static_cast<uint32_t>(end - start));
    PutU32(tail + 16, static_cast<uint32_t>(start));
    return fwrite(tail, 1, 22, file) == 22;
}

std::string ZipName(std::string name) {
    for (char& c : name)
        c = c == '\\' ? '/' : c;
    return name;
}

}  // namespace

bool WriteBenchZip(const std::string& path, const BenchArchiveSpec& spec) {
    File file = OpenWrite(path);
    if (!file)
        return false;
    const int files = spec.files < 1 ? 1 : spec.files;
    std::vector<ZipMember> members;
    for (int i = 0; i < files; i++) {
        ZipMember member;
        member.name = ZipName(EntryName(i));
        member.offset = static_cast<uint32_t>(ftell(file.get()));
        if (!PutLocalHeader(file.get(), member) ||
            !PutDeflated(file.get(), member, spec.seed + i, spec.plainBytes / files))
            return false;
        // Back to the local header for the sizes, then on to the end again.
        const long end = ftell(file.get());
        if (fseek(file.get(), static_cast<long>(member.offset), SEEK_SET) != 0 || !PutLocalHeader(file.get(), member) ||
            fseek(file.get(), end, SEEK_SET) != 0)
            return false;
        members.push_back(member);
    }
    ZipMember folder;
    folder.name = "empty/";
    folder.folder = true;
    folder.offset = static_cast<uint32_t>(ftell(file.get()));
    if (!PutLocalHeader(file.get(), folder))
        return false;
    members.push_back(folder);
    return PutCentralDirectory(file.get(), members);
}
