// libFuzzer target: the dialog definition reader. Whatever it accepts, the writer writes
// out, and that text must read back into a definition that writes the same text again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/base/MemoryStream.h"
#include "toolkit/dialogdef/ControlDefinition.h"

namespace {

bool Written(const DialogDefinition& definition, MemoryStream& text) {
    return definition.WriteDefinition(&text) && text.Seek(0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 20)
        return 0;
    MemoryStream input;
    input.Write(data, static_cast<int>(size));
    input.Seek(0);
    DialogDefinition first;
    if (!first.ReadDefinition(&input))
        return 0;
    MemoryStream written, again;
    DialogDefinition second;
    if (!Written(first, written) || !second.ReadDefinition(&written) || !Written(second, again) ||
        written.GetSize() != again.GetSize() || memcmp(written.Data(), again.Data(), written.GetSize()) != 0) {
        fprintf(stderr, "an accepted definition does not write and read back as the same text:\n%.*s\n",
                written.GetSize(), reinterpret_cast<const char*>(written.Data()));
        abort();
    }
    return 0;
}
