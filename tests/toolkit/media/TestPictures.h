// Pictures for the media tests: hand-written PNG files (the carrier writer's BuildPng), the
// GDI+ session every image test needs, and the room left for GDI objects. Header only.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "tests/support/CarrierWriter.h"
#include "toolkit/base/Stream.h"
#include "toolkit/media/MediaStartup.h"

namespace mediatest {

using kvrtest::BuildPng;
using kvrtest::Bytes;

// Every test of a fixture derived from this runs inside one GDI+ session.
class GraphicsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(GraphicsStartup()); }
    static void TearDownTestSuite() { GraphicsShutdown(); }
};

// Writes the bytes and goes back to the start.
inline void WriteBytes(Stream* stream, const Bytes& bytes) {
    stream->Write(bytes.data(), static_cast<int>(bytes.size()));
    stream->Seek(0);
}

inline Bytes ReadAll(Stream* stream) {
    stream->Seek(0);
    Bytes bytes(static_cast<size_t>(stream->GetSize()));
    const int read = stream->Read(bytes.data(), static_cast<int>(bytes.size()));
    bytes.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return bytes;
}

// How many more GDI objects the process could create now (Wine allows about 65 000): the
// same before and after many cycles of some work unless that work leaks.
inline int GdiRoom() {
    std::vector<HRGN> regions;
    for (HRGN region; (region = CreateRectRgn(0, 0, 1, 1)) != nullptr;)
        regions.push_back(region);
    for (HRGN region : regions)
        DeleteObject(region);
    return static_cast<int>(regions.size());
}

}  // namespace mediatest
