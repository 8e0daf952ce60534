// make-carriers: writes a set of archives and carriers made by the test writers into a
// folder, all keyed with samples/Keys/project.key, for the comparison of the Windows and the
// native kvr-decrypt and as seeds of the fuzz targets. Usage: make-carriers KEYFILE FOLDER
#include <cstdio>
#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/CarrierWriter.h"

namespace {

using kvrtest::ArchiveSpec;
using kvrtest::Bytes;
using kvrtest::BytesOf;

ArchiveSpec Spec(const Bytes& key, bool compressed, size_t fileBytes) {
    ArchiveSpec spec;
    spec.keyName = "project.key";
    spec.key = key;
    spec.compressed = compressed;
    spec.chunkSize = 4096;
    spec.entries = {{"readme.txt", BytesOf("made by make-carriers\r\n"), false},
                    {"docs\\", {}, true},
                    {"docs\\deep\\", {}, true},
                    {"docs\\deep\\data.bin", kvrtest::PatternBytes(fileBytes, 7), false},
                    {"empty.txt", {}, false}};
    return spec;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make-carriers KEYFILE FOLDER\n");
        return 2;
    }
    const Bytes key = kvrtest::ReadFileBytes(argv[1]);
    const std::string folder = std::string(argv[2]) + "/";
    const Bytes stored = kvrtest::BuildRawArchive(Spec(key, false, 3000));
    const Bytes packed = kvrtest::BuildRawArchive(Spec(key, true, 20000));
    const kvrtest::BitmapCarrierSpec words{false, 37};  // word mode, 37 pixels a row
    const kvrtest::WaveCarrierSpec padded{999};         // bytes after the groups
    const struct {
        const char* name;
        Bytes bytes;
    } files[] = {
        {"stored.enc", stored},
        {"packed.enc", packed},
        {"song.wav", kvrtest::BuildWaveCarrier(packed, padded)},
        {"bitmap-bytes.bmp", kvrtest::BuildBitmapCarrier(stored)},
        {"bitmap-words.bmp", kvrtest::BuildBitmapCarrier(packed, words)},
        {"picture-bytes.png", kvrtest::BuildPngCarrier(stored)},
        {"picture-words.png", kvrtest::BuildPngCarrier(packed, words)},
    };
    for (const auto& file : files) {
        if (!kvrtest::WriteFileBytes(folder + file.name, file.bytes)) {
            fprintf(stderr, "make-carriers: cannot write %s%s\n", folder.c_str(), file.name);
            return 1;
        }
    }
    return 0;
}
