// Stage timing of DecryptFile, the child-process run and the baselines; see BenchTiming.h.
#include "bench/BenchTiming.h"

#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/BenchFile.h"
#include "engine/DecryptFile.h"

namespace {

constexpr size_t kBlock = 64 * 1024;

using File = BenchFile;

// Band starts on the 0..2000 scale; the key band ends at 1333 only when compressed.
struct StageClock {
    double started[kStageCount + 1] = {};  // + the end
    bool seen[kStageCount + 1] = {};
    const DecryptRequest* request = nullptr;

    void Mark(int stage) {
        if (!seen[stage]) {
            seen[stage] = true;
            started[stage] = Seconds();
        }
    }
};

int32_t TimingCallback(int32_t code, intptr_t value, intptr_t, const RequestCallbackBlock* block) {
    StageClock& clock = *static_cast<StageClock*>(block->context);
    if (code == RE_WORK_BEGIN)
        clock.Mark(kStageRead);
    if (code == RE_WORK_END)
        clock.Mark(kStageCount);
    if (code == RE_ERROR)
        fprintf(stderr, "kvr-bench: %s\n", reinterpret_cast<const char*>(value));
    if (code != RE_PROGRESS)
        return 0;
    if (value >= 1666)
        clock.Mark(kStageWrite);
    else if (value >= 1333 && clock.request->compressed)
        clock.Mark(kStageInflate);
    else if (value >= 1000)
        clock.Mark(kStageKey);
    return 0;
}

// A command-line argument in quotes; a backslash before the closing quote is doubled, or the
// C runtime would read it as an escaped quote.
std::string Quoted(const std::string& argument) {
    std::string quoted = "\"" + argument;
    if (!argument.empty() && argument.back() == '\\')
        quoted += '\\';
    return quoted + "\"";
}

uint64_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return 0;
    return counters.PeakWorkingSetSize;
}

}  // namespace

double Seconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool WarmUp(const std::string& path) {
    File in(fopen(path.c_str(), "rb"));
    if (!in)
        return false;
    std::vector<char> block(kBlock);
    while (fread(block.data(), 1, block.size(), in.get()) == block.size()) {
    }
    return true;
}

bool FlushToDisk(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

DecryptTimes DecryptTimed(const std::string& source, const std::string& keyFolder, const std::string& outputFolder) {
    DecryptTimes times;
    StageClock clock;
    DecryptRequest request;
    request.keyFolder = keyFolder.c_str();
    request.sourcePath = source.c_str();
    request.outputFolder = outputFolder.c_str();
    request.block.callback = TimingCallback;
    request.block.context = &clock;
    clock.request = &request;
    times.ok = DecryptFile(request);
    if (!clock.seen[kStageRead] || !clock.seen[kStageCount])
        return times;
    // A stage that never started (inflating, for a plain archive) took no time; each stage
    // ends where the next one that ran begins.
    for (int stage = 0; stage < kStageCount; stage++) {
        if (!clock.seen[stage])
            continue;
        int next = stage + 1;
        while (!clock.seen[next])
            next++;
        times.stage[stage] = clock.started[next] - clock.started[stage];
    }
    times.total = clock.started[kStageCount] - clock.started[kStageRead];
    times.peakWorkingSet = PeakWorkingSet();
    return times;
}

int DecryptChildMain(const std::string& source,
                     const std::string& keyFolder,
                     const std::string& outputFolder,
                     const std::string& resultPath) {
    const DecryptTimes times = DecryptTimed(source, keyFolder, outputFolder);
    File result(fopen(resultPath.c_str(), "w"));
    if (!result)
        return 1;
    fprintf(result.get(), "%d %.6f %.6f %.6f %.6f %.6f %llu\n", times.ok ? 1 : 0, times.stage[0], times.stage[1],
            times.stage[2], times.stage[3], times.total, static_cast<unsigned long long>(times.peakWorkingSet));
    return times.ok ? 0 : 1;
}

DecryptTimes RunDecryptChild(const std::string& source, const std::string& keyFolder, const std::string& outputFolder) {
    DecryptTimes times;
    char program[MAX_PATH];
    if (!GetModuleFileNameA(nullptr, program, MAX_PATH))
        return times;
    const std::string resultPath = outputFolder + "result.txt";
    std::string commandLine = Quoted(program) + " --decrypt " + Quoted(source) + " " + Quoted(keyFolder) + " " +
                              Quoted(outputFolder) + " " + Quoted(resultPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return times;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    File result(fopen(resultPath.c_str(), "r"));
    if (!result)
        return times;
    int ok = 0;
    unsigned long long peak = 0;
    if (fscanf(result.get(), "%d %lf %lf %lf %lf %lf %llu", &ok, &times.stage[0], &times.stage[1], &times.stage[2],
               &times.stage[3], &times.total, &peak) == 7) {
        times.ok = ok != 0;
        times.peakWorkingSet = peak;
    }
    result.reset();
    DeleteFileA(resultPath.c_str());
    return times;
}

double TimeFileCopy(const std::string& from, const std::string& to) {
    const double start = Seconds();
    {
        File in(fopen(from.c_str(), "rb"));
        File out(fopen(to.c_str(), "wb"));
        if (!in || !out)
            return -1;
        std::vector<char> block(kBlock);
        size_t n;
        while ((n = fread(block.data(), 1, block.size(), in.get())) > 0)
            if (fwrite(block.data(), 1, n, out.get()) != n)
                return -1;
    }
    const double elapsed = Seconds() - start;
    DeleteFileA(to.c_str());
    return elapsed;
}

double TimeChunkUncompress(const std::string& chunkStreamPath) {
    const double start = Seconds();
    File in(fopen(chunkStreamPath.c_str(), "rb"));
    if (!in)
        return -1;
    uint32_t count = 0;
    if (fread(&count, 4, 1, in.get()) != 1)
        return -1;
    std::vector<Bytef> packed(110012), plain(100000);
    for (uint32_t i = 0; i < count; i++) {
        uint32_t sizes[2];
        if (fread(sizes, 4, 2, in.get()) != 2 || sizes[0] > plain.size() || sizes[1] > packed.size())
            return -1;
        if (fread(packed.data(), 1, sizes[1], in.get()) != sizes[1])
            return -1;
        uLongf plainSize = sizes[0];
        if (uncompress(plain.data(), &plainSize, packed.data(), sizes[1]) != Z_OK)
            return -1;
    }
    return Seconds() - start;
}

double TimeCrc32(const std::string& path) {
    const double start = Seconds();
    File in(fopen(path.c_str(), "rb"));
    if (!in)
        return -1;
    std::vector<Bytef> block(kBlock);
    uLong crc = crc32(0, Z_NULL, 0);
    size_t n;
    while ((n = fread(block.data(), 1, block.size(), in.get())) > 0)
        crc = crc32(crc, block.data(), static_cast<uInt>(n));
    volatile uLong sink = crc;  // keep the computation
    (void)sink;
    return Seconds() - start;
}
