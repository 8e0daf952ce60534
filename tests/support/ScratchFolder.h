// Test-support scratch folder: a fresh, uniquely named folder under the Windows temporary
// folder that is removed with everything in it when the object goes. Not part of the product.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/base/TextCodec.h"

namespace kvrtest {

// Paths are UTF-8, as in the product, so that any name the engine writes can be found and removed.
inline bool Exists(const std::string& path) {
    return GetFileAttributesW(WideText(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

// Creates the folder; false when it cannot be made (it exists already, say).
inline bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(WideText(path.c_str()), nullptr) != FALSE;
}

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool IsValid() const { return !path_.empty(); }
    // Full path with a trailing backslash.
    const std::string& Path() const { return path_; }
    // Path() + relative.
    std::string PathOf(const std::string& relative) const { return path_ + relative; }

    // Deletes a folder and everything below it; true when it is gone afterwards.
    static bool RemoveTree(const std::string& folder);

private:
    std::string path_;
};

}  // namespace kvrtest
