// The scratch tree of the decrypt fuzz targets (see DecryptFuzzer.cpp): made once per
// process under /tmp, removed at exit, checked after every run. Test code, POSIX only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/base/String.h"

class ScratchTree {
public:
    // keys: a folder whose files are copied into the tree's key folder.
    explicit ScratchTree(const char* keys);
    ~ScratchTree();

    // Writes the input as in/<name>; gives its path.
    std::string WriteSource(const std::string& name, const uint8_t* data, size_t size);
    const std::string& Keys() const { return keys_; }
    const std::string& Output() const { return output_; }
    // A folder path as the engine takes it: backslashes, a trailing one for folders.
    static String ToolkitPath(const std::string& path);

    // Aborts when anything stands in the tree that the run should not have left; then empties
    // the output folder.
    void CheckAndClean();

private:
    std::string root_;
    std::string base_;
    std::string keys_;
    std::string output_;
    std::string temporary_;
    std::string input_;
    std::string keyListing_;
};
