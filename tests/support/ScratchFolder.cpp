// Test-support scratch folder over kernel32: a unique name from the process id, a counter
// and the tick count, created under the product's temporary folder and removed recursively.
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include "toolkit/base/FileSystem.h"

namespace kvrtest {

ScratchFolder::ScratchFolder() {
    static LONG counter = 0;
    const std::string base = FileSystem().TempFolder().Text();
    const std::string name = "kvrtest-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(InterlockedIncrement(&counter)) + "-" + std::to_string(GetTickCount());
    if (!base.empty() && MakeFolder(base + name))
        path_ = base + name + "\\";
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty())
        RemoveTree(path_);
}

bool ScratchFolder::RemoveTree(const std::string& folder) {
    const std::string root = !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
    StringList entries;  // every folder before what it holds
    FileSystem().ListFolder((root + "*").c_str(), entries,
                            FileSystem::kListFiles | FileSystem::kListFolders | FileSystem::kListRecurse);
    for (int i = entries.Count() - 1; i >= 0; i--) {
        const std::string name = entries.At(i).Text();
        const WideText path((root + name).c_str());
        SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
        name.back() == '\\' ? RemoveDirectoryW(path) : DeleteFileW(path);
    }
    RemoveDirectoryW(WideText(root.c_str()));
    return !Exists(root);
}

}  // namespace kvrtest
