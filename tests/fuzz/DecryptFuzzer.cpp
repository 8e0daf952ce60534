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
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/DecryptFile.h"
#include "tests/engine/RequestRecorder.h"
#include "tests/fuzz/ScratchTree.h"

namespace {

ScratchTree& Tree() {
    static ScratchTree tree(KVR_SAMPLE_KEYS);
    return tree;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScratchTree& tree = Tree();
    const std::string source = tree.WriteSource(std::string("source") + KVR_FUZZ_EXTENSION, data, size);
    kvrtest::RequestRecorder recorder;
    recorder.request.keyFolder = tree.ToolkitPath(tree.Keys());
    recorder.request.sourcePath = tree.ToolkitPath(source).Text();
    recorder.request.outputFolder = tree.ToolkitPath(tree.Output());
    recorder.Run();
    const std::string problem = recorder.Problem();
    if (!problem.empty()) {
        fprintf(stderr, "event sequence: %s\n", problem.c_str());
        abort();
    }
    tree.CheckAndClean();
    return 0;
}
