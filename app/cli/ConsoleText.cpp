// ConsoleText: see ConsoleText.h.
#include "app/cli/ConsoleText.h"

#include <io.h>
#include <windows.h>

#include <cstdarg>

#include "toolkit/base/String.h"
#include "toolkit/base/TextCodec.h"

namespace {

// The console behind the stream; null for a pipe or a file, which have no console mode.
HANDLE ConsoleOf(FILE* stream) {
    const intptr_t handle = _get_osfhandle(_fileno(stream));
    DWORD mode = 0;
    if (handle == -1 || !GetConsoleMode(reinterpret_cast<HANDLE>(handle), &mode))
        return nullptr;
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

void ConsolePrint(FILE* stream, const char* format, ...) {
    if (!stream)
        return;
    String text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    if (HANDLE console = ConsoleOf(stream)) {
        // Whatever the stream still buffers was written before this text.
        fflush(stream);
        const WideText wide(text.Text(), text.Length());
        DWORD written = 0;
        // A console that takes nothing leaves no one to tell.
        (void)WriteConsoleW(console, wide.Text(), static_cast<DWORD>(wide.Length()), &written, nullptr);
        return;
    }
    fputs(text.Text(), stream);
    fflush(stream);
}
