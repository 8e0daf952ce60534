// The fuzz targets' scratch tree; see ScratchTree.h.
#include "tests/fuzz/ScratchTree.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const std::string& what) {
    fprintf(stderr, "scratch tree: %s\n", what.c_str());
    abort();
}

// The sorted names in folder; with recurse, every path below it.
std::vector<std::string> Names(const std::string& folder, bool recurse = false) {
    std::vector<std::string> names;
    std::error_code error;
    if (recurse) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder, error))
            names.push_back(entry.path());
    } else {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
            names.push_back(entry.path().filename());
    }
    if (error)
        Fail("cannot list " + folder);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Listing(const std::string& folder) {
    std::string text;
    for (const std::string& path : Names(folder, true))
        text += path + "\n";
    return text;
}

}  // namespace

ScratchTree::ScratchTree(const char* keys) {
    char pattern[] = "/tmp/kvr-fuzz-XXXXXX";
    if (!mkdtemp(pattern))
        Fail("cannot make the scratch folder");
    root_ = pattern;
    base_ = root_ + "/1/2/3/4/5/6/7/8";
    keys_ = base_ + "/keys";
    output_ = base_ + "/out";
    temporary_ = base_ + "/tmp";
    input_ = base_ + "/in";
    std::error_code error;
    for (const std::string& folder : {output_, temporary_, input_})
        fs::create_directories(folder, error);
    fs::copy(keys, keys_, fs::copy_options::recursive, error);
    if (error)
        Fail("cannot make the tree in " + root_);
    setenv("TMPDIR", temporary_.c_str(), 1);
    keyListing_ = Listing(keys_);
}

ScratchTree::~ScratchTree() {
    std::error_code error;
    fs::remove_all(root_, error);
}

std::string ScratchTree::WriteSource(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = input_ + "/" + name;
    FILE* file = fopen(path.c_str(), "wb");
    if (!file || fwrite(data, 1, size, file) != size)
        Fail("cannot write " + path);
    fclose(file);
    return path;
}

String ScratchTree::ToolkitPath(const std::string& path) {
    String text(path.c_str());
    text.Replace('/', '\\');
    std::error_code error;
    if (fs::is_directory(path, error))
        text += '\\';
    return text;
}

void ScratchTree::CheckAndClean() {
    // Each level holds only the next one; the base only its four folders.
    std::string level = root_;
    for (int i = 1; i <= 8; i++) {
        if (Names(level) != std::vector<std::string>{std::to_string(i)})
            Fail("something was written into " + level);
        level += "/" + std::to_string(i);
    }
    if (Names(base_) != std::vector<std::string>{"in", "keys", "out", "tmp"})
        Fail("something was written into " + base_);
    if (!Names(temporary_).empty())
        Fail("a temporary file was left: " + Listing(temporary_));
    if (Names(input_).size() != 1)
        Fail("something was written beside the source: " + Listing(input_));
    if (Listing(keys_) != keyListing_)
        Fail("the key folder changed: " + Listing(keys_));
    std::error_code error;
    for (const std::string& name : Names(output_))
        fs::remove_all(output_ + "/" + name, error);
}
