// make-carriers: writes a set of archives and carriers made by the test writers into a
// folder, all keyed with samples/Keys/project.key, for the comparison of the Windows and the
// native kvr-decrypt and as seeds of the fuzz targets. Usage: make-carriers KEYFILE FOLDER
#include <cstdio>
#include <string>
#include <utility>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/CarrierWriter.h"

using namespace kvrtest;

namespace {

ArchiveSpec Spec(const Bytes& key, bool compressed, size_t fileBytes) {
    ArchiveSpec spec;
    spec.keyName = "project.key";
    spec.key = key;
    spec.compressed = compressed;
    spec.chunkSize = 4096;
    spec.entries = {{"readme.txt", BytesOf("made by make-carriers\r\n"), false},
                    {"docs\\", {}, true},
                    {"docs\\deep\\", {}, true},
                    {"docs\\deep\\data.bin", PatternBytes(fileBytes, 7), false},
                    {"empty.txt", {}, false}};
    return spec;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make-carriers KEYFILE FOLDER\n");
        return 2;
    }
    const Bytes key = ReadFileBytes(argv[1]);
    const std::string folder = std::string(argv[2]) + "/";
    const Bytes stored = BuildRawArchive(Spec(key, false, 3000));
    const Bytes packed = BuildRawArchive(Spec(key, true, 20000));
    const BitmapCarrierSpec words{false, 37};  // word mode, 37 pixels a row
    const std::pair<const char*, Bytes> files[] = {
        {"stored.enc", stored},
        {"packed.enc", packed},
        {"song.wav", BuildWaveCarrier(packed, WaveCarrierSpec{999})},  // bytes after the groups
        {"bitmap-bytes.bmp", BuildBitmapCarrier(stored)},
        {"bitmap-words.bmp", BuildBitmapCarrier(packed, words)},
        {"picture-bytes.png", BuildPngCarrier(stored)},
        {"picture-words.png", BuildPngCarrier(packed, words)},
    };
    for (const auto& file : files) {
        if (!WriteFileBytes(folder + file.first, file.second)) {
            fprintf(stderr, "make-carriers: cannot write %s%s\n", folder.c_str(), file.first);
            return 1;
        }
    }
    return 0;
}
