// MemoryStream::LoadResource: a copy of a resource of a module, which only Windows programs have.
#include <windows.h>

#include "toolkit/base/MemoryStream.h"

bool MemoryStream::LoadResource(const char* type, int id, HINSTANCE__* module) {
    Close();
    if (!SetLength(0, false))
        return false;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!found)
        return false;
    HGLOBAL loaded = ::LoadResource(module, found);
    if (!loaded)
        return false;
    // Resource memory belongs to the module: nothing to unlock or free.
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(module, found);
    if (!bytes)
        return false;
    if (size > 0 && Write(bytes, static_cast<int>(size)) != static_cast<int>(size))
        return false;
    Seek(0);
    return true;
}
