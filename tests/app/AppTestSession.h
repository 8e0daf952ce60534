// Test support for the application-shell tests: the toolkit and GDI+ brought up once per
// program, the settings key emptied around each test, and a pump for the thread's queue.
#pragma once

#include <windows.h>

#include "tests/support/ThreadWindows.h"

namespace apptest {

using kvrtest::PumpMessages;

// Empties the program's settings key before and after a test.
void ClearSettings();

}  // namespace apptest
