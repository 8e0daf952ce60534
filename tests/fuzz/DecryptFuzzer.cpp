// libFuzzer target: DecryptFile on one source file of the kind KVR_FUZZ_EXTENSION names
// (".enc", ".wav", ".bmp" or ".png"), written into a scratch tree with the sample keys. After
// every run: the event sequence is well formed, the output stays inside its folder, no
// temporary file is left, and the source and keys are untouched; anything else aborts.
//
//   <scratch>/1/2/3/4/5/6/7/8/in/source.<ext>     the input
//   <scratch>/1/.../8/keys/                       samples/Keys, copied once
//   <scratch>/1/.../8/out/                        output folder (emptied after every run)
//   <scratch>/1/.../8/tmp/                        TMPDIR (must be empty after every run)
// The eight levels catch a name that climbs out of the output folder with "..": it lands
// somewhere in the scratch tree, where the check after the run finds it.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "engine/DecryptFile.h"
#include "tests/engine/RequestRecorder.h"

namespace fs = std::filesystem;

namespace {

const char* const kBase = "/1/2/3/4/5/6/7/8/";

[[noreturn]] void Fail(const std::string& what) {
    fprintf(stderr, "%s\n", what.c_str());
    abort();
}

// A path as the engine takes it: backslashes.
String ToolkitPath(const std::string& path) {
    String text(path.c_str());
    text.Replace('/', '\\');
    return text;
}

// Made once per process under /tmp, removed at exit.
struct ScratchTree {
    ScratchTree() {
        char pattern[] = "/tmp/kvr-fuzz-XXXXXX";
        if (!mkdtemp(pattern))
            Fail("cannot make the scratch folder");
        root = pattern;
        std::error_code error;
        for (const char* folder : {"out", "tmp", "in"})
            fs::create_directories(Path(folder), error);
        fs::copy(KVR_SAMPLE_KEYS, Path("keys"), fs::copy_options::recursive, error);
        if (error)
            Fail("cannot make the scratch tree in " + root);
        setenv("TMPDIR", Path("tmp").c_str(), 1);
    }
    ~ScratchTree() {
        std::error_code error;
        fs::remove_all(root, error);
    }

    std::string Path(const char* name) const { return root + kBase + name; }

    // Every path in the tree but what the output folder holds, sorted.
    std::vector<std::string> Contents() const {
        std::vector<std::string> paths;
        std::error_code error;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root, error))
            if (entry.path().string().rfind(Path("out/"), 0) != 0)
                paths.push_back(entry.path());
        if (error)
            Fail("cannot list " + root);
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    std::string root;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchTree tree;
    const std::string source = tree.Path("in/source" KVR_FUZZ_EXTENSION);
    FILE* file = fopen(source.c_str(), "wb");
    if (!file || fwrite(data, 1, size, file) != size)
        Fail("cannot write " + source);
    fclose(file);
    // The tree as every run must leave it: nothing new up the levels, beside the source, among the
    // keys or in the temporary folder; the output folder alone changes, and is emptied.
    static const std::vector<std::string> expected = tree.Contents();
    kvrtest::RequestRecorder recorder;
    recorder.request.keyFolder = ToolkitPath(tree.Path("keys/"));
    recorder.request.sourcePath = ToolkitPath(source);
    recorder.request.outputFolder = ToolkitPath(tree.Path("out/"));
    recorder.Run();
    if (!recorder.Problem().empty())
        Fail("event sequence: " + recorder.Problem());
    if (tree.Contents() != expected)
        Fail("the run left something outside the output folder");
    std::error_code error;
    fs::remove_all(tree.Path("out"), error);
    fs::create_directory(tree.Path("out"), error);
    return 0;
}
