// kvr-bench: throughput of the decryption engine, stage by stage, next to baselines measured
// in the same run on the same data: a plain 64 KB-block file copy (reading, key removal,
// writing), zlib uncompress of the same chunks (inflating) and CRC-32 of the same bytes
// (writing checks every entry). Also the peak working set of a decryption of a small and of
// a large input, each in a child process of its own. Not run by the tests; scripts/bench.sh
// builds and runs it under Wine.
//   kvr-bench [--size-mb N (256)] [--carrier-mb N (64)] [--rounds N (5)] [--keep] [--make-only]
//             [--reuse] [--only NAME] [--folder DIR] [--zip]
// Each input is decrypted --rounds times after one uncounted warm-up round, its baselines
// measured as often, interleaved and taking turns at going first; every figure printed is the
// median of its rounds, so that one round disturbed by the rest of the machine moves nothing.
// The inputs are written out to the disk once made (their write-back would otherwise run
// beside the first measurements) and read through once before an input's rounds, so that
// every round reads from the page cache.
// --only decrypts just the input of that name (for example large-compressed.enc); --folder
// makes the inputs there instead of a fresh temporary folder; --make-only makes them and
// stops; --reuse (implies --keep) takes the inputs a kept run left in that folder instead of
// making them again; --zip also writes
// the entries of large-compressed.enc as a deflate zip, large-compressed.zip, and prints the
// line "in-process large-compressed.enc SECONDS" (the median total) for scripts/bench.sh to
// set beside 7-Zip.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchInputs.h"
#include "bench/BenchTiming.h"

namespace {

const char* const kStageNames[kStageCount] = {"reading", "removing the key", "inflating", "writing"};
constexpr double kMB = 1024.0 * 1024.0;
// Targets: each stage within 1.25 times its baseline, the whole within 1.3 times their sum.
constexpr double kStageTarget = 1.25;
constexpr double kTarget = 1.3;
// Pause between the two timed parts of a round, so that neither meets the system still
// dealing with the other's hundreds of MB of written and deleted files.
constexpr DWORD kSettleMs = 1500;

struct Input {
    std::string name;
    std::string path;
    std::string chunks;  // key-free chunk stream, compressed archives only
    std::string plain;   // a file of the entries' size, for the writing baseline
    std::string body;    // the raw archive inside (the key stage's bytes)
    bool compressed = false;
    bool carrier = false;
    uint64_t plainBytes = 0;
};

const char* const kBaselineNames[kStageCount] = {"copy of the source", "copy of the archive",
                                                 "uncompress of the chunks", "copy + CRC-32 of entries"};

// The baselines of each stage of one input, measured now, in seconds.
void MeasureBaselines(const Input& input, const std::string& scratch, double out[kStageCount]) {
    const std::string copyTarget = scratch + "baseline.tmp";
    out[kStageRead] = TimeFileCopy(input.path, copyTarget);
    out[kStageKey] = TimeFileCopy(input.body, copyTarget);
    out[kStageInflate] = input.compressed ? TimeChunkUncompress(input.chunks) : 0;
    out[kStageWrite] = TimeFileCopy(input.plain, copyTarget) + TimeCrc32(input.plain);
}

// Medians over the rounds of one input.
struct Measured {
    DecryptTimes times;  // ok only when every round succeeded; the largest peak working set
    double baselines[kStageCount] = {};
    double totalLow = 0, totalHigh = 0;  // the engine's fastest and slowest whole run
};

Measured MeasureInput(const Input& input, const std::string& root, const std::string& keys, int rounds) {
    for (const std::string* path : {&input.path, &input.body, &input.chunks, &input.plain}) {
        if (!path->empty())
            WarmUp(*path);
    }
    std::vector<double> stages[kStageCount], bases[kStageCount], totals;
    Measured measured;
    measured.times.ok = true;
    const std::string out = root + "out\\";
    // Round 0 is a warm-up, not counted: the first decryption after the inputs were made
    // meets the system still settling their writes.
    for (int round = 0; round <= rounds; round++) {
        double base[kStageCount];
        const bool baselinesFirst = round % 2 == 1;
        if (baselinesFirst) {
            MeasureBaselines(input, root, base);
            Sleep(kSettleMs);
        }
        CreateDirectoryA(out.c_str(), nullptr);
        const DecryptTimes times = RunDecryptChild(input.path, keys, out);
        RemoveTree(out.substr(0, out.size() - 1));
        if (!baselinesFirst) {
            Sleep(kSettleMs);
            MeasureBaselines(input, root, base);
        }
        if (round == 0)
            continue;
        measured.times.ok = measured.times.ok && times.ok;
        measured.times.peakWorkingSet = std::max(measured.times.peakWorkingSet, times.peakWorkingSet);
        for (int stage = 0; stage < kStageCount; stage++) {
            stages[stage].push_back(times.stage[stage]);
            bases[stage].push_back(base[stage]);
        }
        totals.push_back(times.total);
        fprintf(stderr, "  round %d: engine %.3f s (%.3f %.3f %.3f %.3f), baselines %.3f %.3f %.3f %.3f\n", round,
                times.total, times.stage[0], times.stage[1], times.stage[2], times.stage[3], base[0], base[1], base[2],
                base[3]);
    }
    for (int stage = 0; stage < kStageCount; stage++) {
        measured.times.stage[stage] = Median(stages[stage]);
        measured.baselines[stage] = Median(bases[stage]);
    }
    measured.times.total = Median(totals);
    measured.totalLow = *std::min_element(totals.begin(), totals.end());
    measured.totalHigh = *std::max_element(totals.begin(), totals.end());
    return measured;
}

double StageBytes(const Input& input, int stage) {
    if (stage == kStageRead)
        return static_cast<double>(BenchFileSize(input.path));
    if (stage == kStageKey)
        return static_cast<double>(BenchFileSize(input.body));
    return static_cast<double>(input.plainBytes);
}

void Report(const Input& input, const Measured& measured) {
    const DecryptTimes& times = measured.times;
    printf("\n%s: %.1f MB file, %.1f MB of entries%s\n", input.name.c_str(), BenchFileSize(input.path) / kMB,
           input.plainBytes / kMB, times.ok ? "" : "  ** DECRYPTION FAILED **");
    printf("  %-18s %9s %9s   %-26s %9s %7s\n", "stage", "engine s", "MB/s", "baseline", "base s", "ratio");
    double baselineSum = 0;
    for (int stage = 0; stage < kStageCount; stage++) {
        if (stage == kStageInflate && !input.compressed)
            continue;
        const double seconds = times.stage[stage];
        const double base = measured.baselines[stage];
        baselineSum += base;
        const char* name = stage == kStageRead && input.carrier ? "extracting" : kStageNames[stage];
        const double stageRatio = base > 0 ? seconds / base : 0.0;
        printf("  %-18s %9.3f %9.1f   %-26s %9.3f %7.2f%s\n", name, seconds,
               seconds > 0 ? StageBytes(input, stage) / kMB / seconds : 0.0, kBaselineNames[stage], base, stageRatio,
               stageRatio > kStageTarget ? "  (over 1.25)" : "");
    }
    const double ratio = baselineSum > 0 ? times.total / baselineSum : 0;
    printf("  %-18s %9.3f %9.1f   %-26s %9.3f %7.2f  (target <= %.2f: %s)\n", "total", times.total,
           times.total > 0 ? input.plainBytes / kMB / times.total : 0.0, "sum of the baselines", baselineSum, ratio,
           kTarget, ratio <= kTarget ? "met" : "NOT met");
    printf("  engine total over the rounds: %.3f to %.3f s; peak working set of a decrypting process: %.1f MB\n",
           measured.totalLow, measured.totalHigh, times.peakWorkingSet / kMB);
}

bool Generate(const std::string& path, BenchArchiveSpec spec, const char* what) {
    const double start = Seconds();
    const bool ok = WriteBenchArchive(path, spec);
    fprintf(stderr, "  %-44s %7.1f MB in %5.1f s%s\n", what, BenchFileSize(path) / kMB, Seconds() - start,
            ok ? "" : "  FAILED");
    return ok;
}

// A folder path with the trailing backslash the rest expects.
std::string AsFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string TempRoot() {
    char folder[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, folder))
        return std::string();
    return std::string(folder) + "kvr-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && strcmp(argv[1], "--decrypt") == 0)
        return DecryptChildMain(argv[2], argv[3], argv[4], argv[5]);
    int sizeMb = 256;
    int carrierMb = 64;
    bool keep = false;
    std::string only;
    std::string folder;
    bool zip = false;
    int rounds = 5;
    bool reuse = false;
    bool makeOnly = false;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--size-mb") == 0 && i + 1 < argc)
            sizeMb = atoi(argv[++i]);
        else if (strcmp(argv[i], "--carrier-mb") == 0 && i + 1 < argc)
            carrierMb = atoi(argv[++i]);
        else if (strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = atoi(argv[++i]);
        else if (strcmp(argv[i], "--make-only") == 0)
            makeOnly = keep = true;
        else if (strcmp(argv[i], "--reuse") == 0)
            reuse = keep = true;
        else if (strcmp(argv[i], "--keep") == 0)
            keep = true;
        else if (strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (strcmp(argv[i], "--folder") == 0 && i + 1 < argc)
            folder = AsFolder(argv[++i]);
        else if (strcmp(argv[i], "--zip") == 0)
            zip = true;
        else {
            fprintf(stderr,
                    "usage: kvr-bench [--size-mb N] [--carrier-mb N] [--rounds N] [--keep] [--make-only] [--reuse] "
                    "[--only NAME] [--folder DIR] [--zip]\n");
            return 2;
        }
    }
    if (sizeMb < 1 || carrierMb < 1 || rounds < 1) {
        fprintf(stderr, "kvr-bench: sizes must be at least 1 MB, rounds at least 1\n");
        return 2;
    }
    const std::string root = folder.empty() ? TempRoot() : folder;
    const std::string keys = root + "Keys\\";
    if (root.empty() || (!CreateDirectoryA(root.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) ||
        (!CreateDirectoryA(keys.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)) {
        fprintf(stderr, "kvr-bench: cannot make %s\n", root.c_str());
        return 1;
    }
    BenchBytes key(1000);
    for (size_t i = 0; i < key.size(); i++)
        key[i] = static_cast<uint8_t>(i * 131 + 7);
    FILE* keyFile = fopen((keys + "bench.key").c_str(), "wb");
    if (!keyFile || fwrite(key.data(), 1, key.size(), keyFile) != key.size()) {
        fprintf(stderr, "kvr-bench: cannot write the key\n");
        return 1;
    }
    fclose(keyFile);

    BenchArchiveSpec spec;
    spec.keyName = "bench.key";
    spec.key = key;
    const uint64_t mb = 1024 * 1024;
    fprintf(stderr, "Making the inputs in %s\n", root.c_str());
    std::vector<Input> inputs;
    bool made = true;
    auto archive = [&](const std::string& name, bool compressed, uint64_t plainBytes) {
        Input input;
        input.name = name;
        input.path = input.body = root + name;
        input.compressed = compressed;
        input.plainBytes = plainBytes;
        BenchArchiveSpec s = spec;
        s.compressed = compressed;
        s.plainBytes = plainBytes;
        s.seed = static_cast<uint32_t>(plainBytes);
        if (compressed)
            s.chunkCopyPath = input.chunks = root + name + ".chunks";
        const bool have = reuse && BenchFileSize(input.path) > 0 && (!compressed || BenchFileSize(input.chunks) > 0);
        made =
            (have || Generate(input.path, s, (name + (compressed ? " (compressed)" : " (not compressed)")).c_str())) &&
            made;
        return input;
    };
    inputs.push_back(archive("small.enc", true, 1 * mb));
    inputs.push_back(archive("large-compressed.enc", true, sizeMb * mb));
    inputs.push_back(archive("large-plain.enc", false, sizeMb * mb));
    if (zip && !(reuse && BenchFileSize(root + "large-compressed.zip") > 0)) {
        const double zipStart = Seconds();
        BenchArchiveSpec same = spec;
        same.plainBytes = inputs[1].plainBytes;
        same.seed = static_cast<uint32_t>(same.plainBytes);
        made = WriteBenchZip(root + "large-compressed.zip", same) && made;
        fprintf(stderr, "  %-44s %7.1f MB in %5.1f s\n", "large-compressed.zip (deflate, same entries)",
                BenchFileSize(root + "large-compressed.zip") / kMB, Seconds() - zipStart);
    }
    // A WAV carries 5 bytes in 8, a word-mode BMP 2 in 3: payloads that make carriers of at
    // least carrierMb.
    Input wave = archive("wave-payload.enc", false, carrierMb * mb * 5 / 8 + 64 * 1024);
    Input bitmap = archive("bitmap-payload.enc", false, carrierMb * mb * 2 / 3 + 64 * 1024);
    if (!made) {
        RemoveTree(root.substr(0, root.size() - 1));
        return 1;
    }
    // The writing baselines need a file as large as the entries: the plain archive is one.
    inputs[0].plain = inputs[0].path;
    inputs[1].plain = inputs[2].path;
    inputs[2].plain = inputs[2].path;
    wave.plain = wave.path;
    bitmap.plain = bitmap.path;
    const double start = Seconds();
    Input waveCarrier = wave;
    waveCarrier.name = "carrier.wav";
    waveCarrier.path = root + "carrier.wav";
    waveCarrier.carrier = true;
    Input bitmapCarrier = bitmap;
    bitmapCarrier.name = "carrier.bmp";
    bitmapCarrier.path = root + "carrier.bmp";
    bitmapCarrier.carrier = true;
    const bool haveCarriers = reuse && BenchFileSize(waveCarrier.path) > 0 && BenchFileSize(bitmapCarrier.path) > 0;
    if (!haveCarriers && (!WriteWaveCarrierFile(wave.path, waveCarrier.path) ||
                          !WriteBitmapCarrierFile(bitmap.path, bitmapCarrier.path))) {
        fprintf(stderr, "kvr-bench: cannot write the carriers\n");
        return 1;
    }
    fprintf(stderr, "  carriers (%.1f MB WAV, %.1f MB BMP) in %.1f s\n", BenchFileSize(waveCarrier.path) / kMB,
            BenchFileSize(bitmapCarrier.path) / kMB, Seconds() - start);
    inputs.push_back(waveCarrier);
    inputs.push_back(bitmapCarrier);

    // Made files still in the page cache would be written out during the first rounds.
    for (const Input& input : inputs) {
        for (const std::string* path : {&input.path, &input.body, &input.chunks})
            if (!path->empty())
                FlushToDisk(*path);
    }
    if (zip)
        FlushToDisk(root + "large-compressed.zip");
    if (makeOnly)
        return 0;

    printf("kvr-bench: DecryptFile against baselines (64 KB block copy, zlib uncompress, CRC-32)\n");
    printf(
        "Method: medians of %d interleaved rounds per input (engine and baselines take turns at going first)\n"
        "after one warm-up round; inputs flushed to disk once made and read through before their rounds.\n",
        rounds);
    int failures = 0;
    for (const Input& input : inputs) {
        if (!only.empty() && input.name != only)
            continue;
        fprintf(stderr, "Decrypting %s, %d rounds\n", input.name.c_str(), rounds);
        const Measured measured = MeasureInput(input, root, keys, rounds);
        Report(input, measured);
        failures += measured.times.ok ? 0 : 1;
        if (zip && input.name == "large-compressed.enc")
            printf("in-process %s %.3f\n", input.name.c_str(), measured.times.total);
    }
    if (!keep)
        RemoveTree(root.substr(0, root.size() - 1));
    return failures == 0 ? 0 : 1;
}
