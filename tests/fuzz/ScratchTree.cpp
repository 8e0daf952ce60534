// The fuzz targets' scratch tree; see ScratchTree.h.
#include "tests/fuzz/ScratchTree.h"

#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    return remove(path);
}

void RemoveTree(const std::string& path) {
    nftw(path.c_str(), &RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

[[noreturn]] void Fail(const std::string& what) {
    fprintf(stderr, "scratch tree: %s\n", what.c_str());
    abort();
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    DIR* listing = opendir(folder.c_str());
    if (!listing)
        Fail("cannot list " + folder);
    while (dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(listing);
    std::sort(names.begin(), names.end());
    return names;
}

// Every path below folder, one a line, sorted.
std::string Listing(const std::string& folder) {
    std::string text;
    for (const std::string& name : Names(folder)) {
        const std::string path = folder + "/" + name;
        text += path + "\n";
        struct stat status {};
        if (lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
            text += Listing(path);
    }
    return text;
}

void CopyFolder(const std::string& from, const std::string& to) {
    mkdir(to.c_str(), 0777);
    for (const std::string& name : Names(from)) {
        const std::string source = from + "/" + name;
        struct stat status {};
        if (stat(source.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
            CopyFolder(source, to + "/" + name);
            continue;
        }
        std::ifstream in(source, std::ios::binary);
        std::ofstream out(to + "/" + name, std::ios::binary);
        out << in.rdbuf();
    }
}

}  // namespace

ScratchTree::ScratchTree(const char* keys) {
    char pattern[] = "/tmp/kvr-fuzz-XXXXXX";
    if (!mkdtemp(pattern))
        Fail("cannot make the scratch folder");
    root_ = pattern;
    base_ = root_;
    for (int level = 1; level <= 8; level++) {
        base_ += "/" + std::to_string(level);
        mkdir(base_.c_str(), 0777);
    }
    keys_ = base_ + "/keys";
    output_ = base_ + "/out";
    temporary_ = base_ + "/tmp";
    input_ = base_ + "/in";
    CopyFolder(keys, keys_);
    mkdir(output_.c_str(), 0777);
    mkdir(temporary_.c_str(), 0777);
    mkdir(input_.c_str(), 0777);
    setenv("TMPDIR", temporary_.c_str(), 1);
    keyListing_ = Listing(keys_);
}

ScratchTree::~ScratchTree() {
    RemoveTree(root_);
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
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        text += '\\';
    return text;
}

void ScratchTree::CheckAndClean() {
    // Each level holds only the next one; the base only its four folders.
    std::string level = root_;
    for (int i = 1; i <= 8; i++) {
        const std::vector<std::string> names = Names(level);
        if (names.size() != 1 || names[0] != std::to_string(i))
            Fail("something was written into " + level);
        level += "/" + std::to_string(i);
    }
    const std::vector<std::string> expected = {"in", "keys", "out", "tmp"};
    if (Names(base_) != expected)
        Fail("something was written into " + base_);
    if (!Names(temporary_).empty())
        Fail("a temporary file was left: " + Listing(temporary_));
    if (Names(input_).size() != 1)
        Fail("something was written beside the source: " + Listing(input_));
    if (Listing(keys_) != keyListing_)
        Fail("the key folder changed: " + Listing(keys_));
    for (const std::string& name : Names(output_))
        RemoveTree(output_ + "/" + name);
}
