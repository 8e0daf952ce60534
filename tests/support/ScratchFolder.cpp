// Test-support scratch folder over kernel32: a unique name from the process id, a counter
// and the tick count, created under the product's temporary folder and removed recursively.
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include <cstdio>

#include "toolkit/base/FileSystem.h"

namespace kvrtest {

ScratchFolder::ScratchFolder() {
    const std::string base = FileSystem().TempFolder().Text();
    if (base.empty())
        return;
    static LONG counter = 0;
    for (int attempt = 0; attempt < 100; attempt++) {
        char name[96];
        snprintf(name, sizeof name, "kvrtest-%lu-%ld-%lu\\", GetCurrentProcessId(), InterlockedIncrement(&counter),
                 GetTickCount());
        const std::string candidate = base + name;
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty())
        RemoveTree(path_);
}

bool ScratchFolder::RemoveTree(const std::string& folder) {
    std::string root = folder;
    if (!root.empty() && root.back() != '\\')
        root += '\\';
    ForEachEntry(root, [&root](const std::string& name, bool isFolder) {
        const std::string path = root + name;
        if (isFolder) {
            RemoveTree(path);
            return;
        }
        const WideText widePath(path.c_str());
        SetFileAttributesW(widePath, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(widePath);
    });
    RemoveDirectoryW(WideText(root.c_str()));
    return !Exists(root);
}

}  // namespace kvrtest
