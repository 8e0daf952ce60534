// KvrDecryptor.exe: the windowed program.
#include <windows.h>

#include "app/ProgramRun.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    return RunProgram(instance);
}
