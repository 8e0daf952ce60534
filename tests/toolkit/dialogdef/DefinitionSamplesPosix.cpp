// The Appearance dialog definition natively: the file the Windows resource is made from.
#include <fstream>
#include <sstream>

#include "tests/toolkit/dialogdef/DefinitionSamples.h"

namespace dialogtest {

std::string ProgramDefinition() {
    std::ifstream file(KVR_SOURCE_DIR "/resources/generated/binary-141.txt", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace dialogtest
