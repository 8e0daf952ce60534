// BenchTiming: the measured side of the benchmark. DecryptTimed runs DecryptFile and takes
// the stage times from the progress events (a stage starts with the first value in its
// band); it runs in a child process of its own (RunDecryptChild) so that the peak working
// set it reports belongs to that one decryption. The baselines time the plain operations
// each stage cannot do without, on the same files, with 64 KB blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum BenchStage { kStageRead, kStageKey, kStageInflate, kStageWrite, kStageCount };

struct DecryptTimes {
    bool ok = false;
    double stage[kStageCount] = {};  // seconds
    double total = 0;                // RE_WORK_BEGIN to RE_WORK_END
    uint64_t peakWorkingSet = 0;     // bytes, of the process that decrypted
};

// In this process: decrypts source into a fresh output folder under outputFolder.
DecryptTimes DecryptTimed(const std::string& source, const std::string& keyFolder, const std::string& outputFolder);

// The child side: decrypts and writes the times and this process's peak working set to
// resultPath. Gives the process exit code.
int DecryptChildMain(const std::string& source,
                     const std::string& keyFolder,
                     const std::string& outputFolder,
                     const std::string& resultPath);

// The parent side: starts this program as a child for one decryption and reads its result.
DecryptTimes RunDecryptChild(const std::string& source, const std::string& keyFolder, const std::string& outputFolder);

// Baselines, in seconds; negative when the files cannot be read or written.
double TimeFileCopy(const std::string& from, const std::string& to);
double TimeChunkUncompress(const std::string& chunkStreamPath);
double TimeCrc32(const std::string& path);

double Seconds();
// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);
// Reads a file through once, so that the rounds that follow all find it in the page cache.
bool WarmUp(const std::string& path);
// Writes a file's data out to the disk now, so that its write-back does not run later
// beside a measurement.
bool FlushToDisk(const std::string& path);
// Deletes a folder and everything below it.
void RemoveTree(const std::string& folder);
