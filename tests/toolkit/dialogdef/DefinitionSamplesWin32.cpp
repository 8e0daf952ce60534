// The samples that need Windows: the Appearance dialog definition from the test program's
// resources, and a dialog window built from a definition.
#include "tests/toolkit/dialogdef/DefinitionSamples.h"

#include "toolkit/base/MemoryStream.h"
#include "toolkit/dialogdef/DialogWindow.h"

namespace dialogtest {

std::string ProgramDefinition() {
    MemoryStream resource;
    if (!resource.LoadResource("BINARY", 141))
        return std::string();
    return std::string(reinterpret_cast<const char*>(resource.Data()), resource.GetSize());
}

bool BuildDialog(DialogWindow& dialog, const std::string& text, HWND parent) {
    MemoryStream stream;
    stream.Write(text.data(), static_cast<int>(text.size()));
    return dialog.BuildFromDefinition(&stream, parent, nullptr);
}

}  // namespace dialogtest
