// Test support for the engine: listings of folders (to prove that nothing new appears in the
// temporary folder or beside an output folder), a whole-tree reader for output checks, and the
// GDI+ start-up that the PNG route needs.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "tests/support/ArchiveWriter.h"

namespace kvrtest {

// The Windows temporary folder, long form, with a trailing backslash.
std::string TempFolderPath();
// Names directly inside folder (files and folders, no "." or "..").
std::set<std::string> ListNames(const std::string& folder);
// Names in after that are not in before.
std::set<std::string> NewNames(const std::set<std::string>& before, const std::set<std::string>& after);
// Every file below folder by relative path, and every subfolder as "name\" with no bytes.
std::map<std::string, Bytes> ReadTree(const std::string& folder);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);

// A PNG carrier the way the sibling program makes one: the BMP loaded into Image and saved
// as PNG. Empty when GDI+ refused.
Bytes PngThroughImage(const Bytes& bitmapFile);

// Gives the test program a temporary folder of its own (TMP and TEMP point into a fresh
// folder under the system's one), so that listings of it see only this program's files even
// when other test programs run at the same time. Removed with its content at the end.
class PrivateTempEnvironment : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    std::string folder_;
};

// Starts GDI+ for the whole test program.
class GraphicsEnvironment : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace kvrtest
