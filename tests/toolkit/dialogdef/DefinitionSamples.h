// Sample dialog definitions shared by the definition, host, control and previewer tests.
#pragma once

#include <string>
#include <vector>

class DialogDefinition;
class DialogWindow;
struct HWND__;

namespace dialogtest {

// Joins lines with CR LF after each.
std::string Lines(const std::vector<std::string>& lines);
// The program's Appearance dialog definition: resource BINARY 141 of the Windows test
// program (DefinitionSamplesWin32.cpp), the file it is made from natively (...Posix.cpp).
std::string ProgramDefinition();
// Reads a definition from text; writes one back as text ("<write failed>" when it cannot).
bool ReadText(DialogDefinition& definition, const std::string& text);
std::string WriteText(const DialogDefinition& definition);
// Builds the dialog's window and controls from a definition text (Windows only).
bool BuildDialog(DialogWindow& dialog, const std::string& text, HWND__* parent = nullptr);
// A visible control's section (without its trailing blank line) with further key lines; a
// STYLE line among them replaces WS_VISIBLE.
std::string Section(const char* type, int id, const char* name, const char* position, const std::string& lines = "");
// A dialog of the given size whose controls are the given sections.
std::string DialogWith(int width, int height, const char* style, const std::vector<std::string>& sections);

}  // namespace dialogtest
