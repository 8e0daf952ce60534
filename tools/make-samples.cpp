// make-samples: writes the sample files bundled with the program into a folder (samples/ of
// the source tree): two encrypted archives (one compressed, one not), a WAV, a BMP and a PNG
// carrier, and the key files they name under Keys\ (one of them in a subfolder, as an archive
// may name its key by a relative path). Each sample holds a few text files, a nested file and
// a folder entry. The content is fixed (fixed seeds), so running the tool again gives the
// same bytes. Built on the test-support writers; run under Wine:
//   make-samples.exe Z:\path\to\samples\  (scripts/make-samples.sh does this)
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/CarrierWriter.h"

using namespace kvrtest;

namespace {

// Must equal the engine's built-in default key, used by archives that name no key.
const char kDefaultKey[] = "KVRK";

ArchiveEntry File(const std::string& name, const std::string& text) {
    ArchiveEntry entry;
    entry.name = name;
    entry.data = BytesOf(text);
    return entry;
}

ArchiveEntry Folder(const std::string& name) {
    ArchiveEntry entry;
    entry.name = name;
    entry.folder = true;
    return entry;
}

std::string Lines(const std::string& first, int count) {
    std::string text = first + "\r\n";
    for (int i = 1; i <= count; i++)
        text += "Line " + std::to_string(i) + " of a small sample text file.\r\n";
    return text;
}

std::string Squares(int count) {
    std::string text = "n,square\r\n";
    for (int n = 1; n <= count; n++)
        text += std::to_string(n) + "," + std::to_string(n * n) + "\r\n";
    return text;
}

// The entries every sample carries, with a title line naming the sample.
std::vector<ArchiveEntry> SampleEntries(const std::string& sample) {
    return {
        File("readme.txt", Lines("This file came out of " + sample + ".", 6)),
        File("letters\\to-alice.txt", "Dear Alice,\r\n\r\nthe keys are where we said.\r\n\r\nBob\r\n"),
        File("letters\\to-bob.txt", Lines("Dear Bob,", 3)),
        Folder("empty folder\\"),
        File("data\\numbers.csv", Squares(40)),
        File("story.txt", Lines("A longer text, so that compression has something to do.", 40)),
    };
}

struct KeyFile {
    std::string name;  // relative to Keys\, as archives name it
    Bytes bytes;
};

const KeyFile kKeys[] = {
    {"project.key", PatternBytes(64, 2024)},
    {"friends\\alice.key", PatternBytes(37, 7)},
};

Bytes KeyBytes(const std::string& name) {
    for (const KeyFile& key : kKeys)
        if (key.name == name)
            return key.bytes;
    return BytesOf(kDefaultKey);
}

ArchiveSpec Spec(const std::string& sample, const std::string& keyName, bool compressed) {
    ArchiveSpec spec;
    spec.keyName = keyName;
    spec.key = KeyBytes(keyName);
    spec.compressed = compressed;
    spec.entries = SampleEntries(sample);
    return spec;
}

bool Write(const std::string& folder, const std::string& name, const Bytes& bytes) {
    const std::string path = folder + name;
    if (!WriteFileBytes(path, bytes)) {
        fprintf(stderr, "make-samples: cannot write %s\n", path.c_str());
        return false;
    }
    printf("%-28s %6u bytes\n", name.c_str(), static_cast<unsigned>(bytes.size()));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make-samples FOLDER\\\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\')
        folder += '\\';
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "Keys").c_str(), nullptr);
    CreateDirectoryA((folder + "Keys\\friends").c_str(), nullptr);

    bool ok = true;
    for (const KeyFile& key : kKeys)
        ok = Write(folder, "Keys\\" + key.name, key.bytes) && ok;

    ok = Write(folder, "letters.enc", BuildRawArchive(Spec("letters.enc", "project.key", true))) && ok;
    ok = Write(folder, "plain.enc", BuildRawArchive(Spec("plain.enc", "friends\\alice.key", false))) && ok;

    WaveCarrierSpec wave;
    wave.extraDataBytes = 6000;  // some sound after the hidden archive
    ok =
        Write(folder, "song.wav", BuildWaveCarrier(BuildRawArchive(Spec("song.wav", "project.key", true)), wave)) && ok;

    // An archive with no key name: the built-in default key.
    BitmapCarrierSpec bitmap;
    bitmap.width = 48;
    bitmap.minHeight = 48;
    ok = Write(folder, "picture.bmp", BuildBitmapCarrier(BuildRawArchive(Spec("picture.bmp", "", true)), bitmap)) && ok;

    BitmapCarrierSpec png;
    png.byteMode = false;
    png.width = 40;
    png.minHeight = 40;
    ok = Write(folder, "photo.png",
               BuildPngCarrier(BuildRawArchive(Spec("photo.png", "friends\\alice.key", false)), png)) &&
         ok;
    return ok ? 0 : 1;
}
