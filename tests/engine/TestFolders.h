// Test support for the engine: listings of folders (to prove that nothing new appears in the
// temporary folder or beside an output folder), a whole-tree reader for output checks, the
// sources of every kind a raw archive can hide in, and the GDI+ start-up the PNG route needs.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/ScratchFolder.h"

namespace kvrtest {

// Names directly inside folder: files, and folders with a trailing backslash.
std::set<std::string> ListNames(const std::string& folder);
// Names directly inside the temporary folder the product uses.
std::set<std::string> TempNames();
// Every file below folder by relative path, and every subfolder as "name\" with no bytes.
std::map<std::string, Bytes> ReadTree(const std::string& folder);

enum class SourceKind { kArchive, kWave, kBitmapBytes, kBitmapWords, kPngHandWritten, kPngThroughImage };
// The raw archive as a source of the kind: itself, or hidden in a carrier whose pictures are
// width pixels wide; the last kind is a word-mode carrier saved as PNG the way the sibling
// program makes one. Empty when GDI+ refused.
Bytes SourceOf(SourceKind kind, const Bytes& raw, int width);
// ".enc", ".wav", ".bmp" or ".png".
const char* ExtensionOf(SourceKind kind);

// Starts GDI+ for the whole test program (the PNG route needs it) and gives it a temporary
// folder of its own (TMP and TEMP point to a scratch folder under the system's one), so that
// listings of it see only this program's files even when other test programs run at the same
// time. The folder is removed with its content at the end.
class EngineEnvironment : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    std::unique_ptr<ScratchFolder> temp_;
};

}  // namespace kvrtest
