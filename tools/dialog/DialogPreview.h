// The two jobs of the dialog previewer, kvr-dialog: checking a definition (read it, write
// it back in canonical form, or name the line at fault) and rendering the dialog a
// definition builds, with its controls, into a picture without showing it.
#pragma once

#include <windows.h>

#include "toolkit/base/MemoryStream.h"
#include "toolkit/base/String.h"

class Image;
class Window;

// Reads a definition file into out; false with the reason in error when it cannot be opened
// or is larger than any definition can be (checked before anything is read).
bool LoadDefinitionFile(const char* path, MemoryStream& out, String& error);

// Reads the definition text; true with its canonical form in canonical, otherwise false
// with "line N: reason" in error.
bool CheckDefinition(MemoryStream& text, MemoryStream& canonical, String& error);

// Renders the window's client area and every child window whose style is visible (even
// while the window itself is hidden) into a 32-bit picture of the client size.
bool RenderClientArea(const Window& window, Image& picture);
