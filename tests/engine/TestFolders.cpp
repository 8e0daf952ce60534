// Test support: folder listings and trees, and sources of every kind.
#include "tests/engine/TestFolders.h"

#include <windows.h>

#include "tests/support/CarrierWriter.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/MemoryStream.h"
#include "toolkit/media/Image.h"
#include "toolkit/media/MediaStartup.h"

namespace kvrtest {
namespace {

// A BMP file loaded into Image and saved as PNG. Empty when GDI+ refused.
Bytes PngThroughImage(const Bytes& bitmapFile) {
    MemoryStream source;
    source.Write(bitmapFile.data(), static_cast<int>(bitmapFile.size()));
    source.Seek(0);
    Image image;
    MemoryStream encoded;
    if (!image.LoadFromStream(&source) || !image.SaveToStream(&encoded, Image::kFormatPng))
        return Bytes();
    return Bytes(encoded.Data(), encoded.Data() + encoded.GetSize());
}

}  // namespace

std::set<std::string> ListNames(const std::string& folder) {
    StringList entries;
    FileSystem().ListFolder((folder + "*").c_str(), entries, FileSystem::kListFiles | FileSystem::kListFolders);
    std::set<std::string> names;
    for (int i = 0; i < entries.Count(); i++)
        names.insert(entries.At(i).Text());
    return names;
}

std::set<std::string> TempNames() {
    return ListNames(FileSystem().TempFolder().Text());
}

std::map<std::string, Bytes> ReadTree(const std::string& folder) {
    std::map<std::string, Bytes> tree;
    StringList entries;
    FileSystem().ListFolder((folder + "*").c_str(), entries,
                            FileSystem::kListFiles | FileSystem::kListFolders | FileSystem::kListRecurse);
    for (int i = 0; i < entries.Count(); i++)
        tree[entries.At(i).Text()] = ReadFileBytes(folder + entries.At(i).Text());
    return tree;
}

Bytes SourceOf(SourceKind kind, const Bytes& raw, int width) {
    const BitmapCarrierSpec bitmap{kind != SourceKind::kBitmapWords && kind != SourceKind::kPngThroughImage, width};
    if (kind == SourceKind::kArchive)
        return raw;
    if (kind == SourceKind::kWave)
        return BuildWaveCarrier(raw);
    if (kind == SourceKind::kPngHandWritten)
        return BuildPngCarrier(raw, bitmap);
    const Bytes bitmapFile = BuildBitmapCarrier(raw, bitmap);
    return kind == SourceKind::kPngThroughImage ? PngThroughImage(bitmapFile) : bitmapFile;
}

const char* ExtensionOf(SourceKind kind) {
    static const char* const kExtensions[] = {".enc", ".wav", ".bmp", ".bmp", ".png", ".png"};  // in SourceKind order
    return kExtensions[static_cast<int>(kind)];
}

void EngineEnvironment::SetUp() {
    ASSERT_TRUE(GraphicsStartup());
    temp_.reset(new ScratchFolder);
    ASSERT_TRUE(temp_->IsValid());
    ASSERT_TRUE(SetEnvironmentVariableA("TMP", temp_->Path().c_str()));
    ASSERT_TRUE(SetEnvironmentVariableA("TEMP", temp_->Path().c_str()));
    ASSERT_EQ(FileSystem().TempFolder().Text(), temp_->Path());
}

void EngineEnvironment::TearDown() {
    GraphicsShutdown();
    temp_.reset();
}

}  // namespace kvrtest
