// Sample dialog definitions shared by the definition, factory and host tests.
#pragma once

#include <string>
#include <vector>

namespace dialogtest {

// Joins lines with CR LF after each.
std::string Lines(const std::vector<std::string>& lines);
// The program's Appearance dialog definition (resource BINARY 141 of the test program).
std::string ProgramDefinition();
// A definition with one section of every control type, as a dialog editor adds them.
std::string EveryType();
// A dialog of the given size whose controls are the given section texts (each without its
// trailing blank line).
std::string DialogWith(int width, int height, const char* style, const std::vector<std::string>& sections);

}  // namespace dialogtest
