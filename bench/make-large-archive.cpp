// make-large-archive: writes one large encrypted archive of text-like entries, for the
// windowed demo (a decryption long enough to watch the dial turn) and for measuring the
// program by hand:
//   make-large-archive.exe OUTPUT.enc SIZE-MB KEY-FILE [KEY-NAME]
// The key name written into the archive is KEY-NAME, or the key file's own name.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchInputs.h"

namespace {

BenchBytes ReadAll(const std::string& path) {
    BenchBytes bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    unsigned char block[4096];
    size_t got = 0;
    while ((got = fread(block, 1, sizeof(block), file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    fclose(file);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: make-large-archive OUTPUT.enc SIZE-MB KEY-FILE [KEY-NAME]\n");
        return 2;
    }
    const std::string keyPath = argv[3];
    BenchArchiveSpec spec;
    spec.key = ReadAll(keyPath);
    spec.keyName = argc > 4 ? argv[4] : keyPath.substr(keyPath.find_last_of("\\/") + 1);
    spec.plainBytes = static_cast<uint64_t>(atoi(argv[2])) << 20;
    spec.files = 4;
    if (spec.key.empty() || spec.plainBytes == 0) {
        fprintf(stderr, "make-large-archive: no key in %s, or no size\n", keyPath.c_str());
        return 2;
    }
    if (!WriteBenchArchive(argv[1], spec)) {
        fprintf(stderr, "make-large-archive: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
