// Pictures for the media tests: hand-written PNG files (the carrier writer's BuildPng), the
// GDI+ session every image test needs, and the room left for GDI objects.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/CarrierWriter.h"
#include "toolkit/media/MediaStartup.h"

class Stream;

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
void WriteBytes(Stream* stream, const Bytes& bytes);
Bytes ReadAll(Stream* stream);
// How many more GDI objects the process could create now (Wine allows about 65 000): the
// same before and after many cycles of some work unless that work leaks.
int GdiRoom();

}  // namespace mediatest
