// The Appearance dialog definition from the test program's resources.
#include "tests/toolkit/dialogdef/DefinitionSamples.h"

#include "toolkit/base/MemoryStream.h"

namespace dialogtest {

std::string ProgramDefinition() {
    MemoryStream resource;
    if (!resource.LoadResource("BINARY", 141))
        return std::string();
    return std::string(reinterpret_cast<const char*>(resource.Data()), resource.GetSize());
}

}  // namespace dialogtest
