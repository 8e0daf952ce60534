// ScopedTempFile: ownership of one temporary file name taken from FileSystem.
#include "engine/ScopedTempFile.h"

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
    RemoveFile(path_);
    path_.Empty();
}
