// ScopedTempFile: ownership of one temporary file name taken from FileSystem.
#include "engine/ScopedTempFile.h"

#include <cstdio>

#include "toolkit/base/FileSystem.h"

ScopedTempFile::ScopedTempFile() {
    FileSystem fileSystem;
    path_ = fileSystem.TempFileName();
}

ScopedTempFile::~ScopedTempFile() {
    Delete();
}

void ScopedTempFile::Delete() {
    if (path_.IsEmpty())
        return;
    std::remove(path_.Text());
    path_.Empty();
}
