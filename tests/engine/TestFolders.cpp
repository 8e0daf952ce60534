// Test support: folder listings over kernel32 and the sibling program's PNG conversion.
#include "tests/engine/TestFolders.h"

#include <windows.h>

#include <cstring>

#include "tests/support/ScratchFolder.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"

namespace kvrtest {
namespace {

void ReadTreeInto(const std::string& root, const std::string& prefix, std::map<std::string, Bytes>& tree) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((root + prefix + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strcmp(entry.cFileName, ".") == 0 || strcmp(entry.cFileName, "..") == 0)
            continue;
        const std::string relative = prefix + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[relative + "\\"] = Bytes();
            ReadTreeInto(root, relative + "\\", tree);
        } else {
            tree[relative] = ReadFileBytes(root + relative);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

std::string TempFolderPath() {
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length > MAX_PATH)
        return "";
    char longTemp[1024];
    const DWORD longLength = GetLongPathNameA(temp, longTemp, sizeof longTemp);
    std::string path = longLength > 0 && longLength < sizeof longTemp ? longTemp : temp;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

std::set<std::string> ListNames(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0)
            names.insert(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

std::set<std::string> NewNames(const std::set<std::string>& before, const std::set<std::string>& after) {
    std::set<std::string> added;
    for (const std::string& name : after) {
        if (before.count(name) == 0)
            added.insert(name);
    }
    return added;
}

std::map<std::string, Bytes> ReadTree(const std::string& folder) {
    std::map<std::string, Bytes> tree;
    ReadTreeInto(folder, "", tree);
    return tree;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Bytes PngThroughImage(const Bytes& bitmapFile) {
    MemoryStream source;
    source.Write(bitmapFile.data(), static_cast<int>(bitmapFile.size()));
    source.Seek(0);
    Image image;
    if (!image.LoadFromStream(&source))
        return Bytes();
    MemoryStream encoded;
    if (!image.SaveToStream(&encoded, Image::kFormatPng))
        return Bytes();
    Bytes png(static_cast<size_t>(encoded.GetSize()));
    encoded.Seek(0);
    encoded.Read(png.data(), static_cast<int>(png.size()));
    return png;
}

void PrivateTempEnvironment::SetUp() {
    const std::string base = TempFolderPath();
    ASSERT_FALSE(base.empty());
    folder_ = base + "kvr-engine-" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(SetEnvironmentVariableA("TMP", folder_.c_str()));
    ASSERT_TRUE(SetEnvironmentVariableA("TEMP", folder_.c_str()));
    ASSERT_EQ(TempFolderPath(), folder_);
}

void PrivateTempEnvironment::TearDown() {
    if (folder_.empty())
        return;
    SetEnvironmentVariableA("TMP", nullptr);
    SetEnvironmentVariableA("TEMP", nullptr);
    ScratchFolder::RemoveTree(folder_);
}

void GraphicsEnvironment::SetUp() {
    ASSERT_TRUE(GraphicsStartup());
}

void GraphicsEnvironment::TearDown() {
    GraphicsShutdown();
}

}  // namespace kvrtest
