// ScopedTempFile: a fresh "tmp" file name in the system's temporary folder whose file is
// deleted when the object goes, whatever road the job took. Declare it before the stream that
// writes the file, so that the stream is closed first (an open file cannot be deleted).
#pragma once

#include "toolkit/base/String.h"

class ScopedTempFile {
public:
    ScopedTempFile();
    ~ScopedTempFile();
    ScopedTempFile(const ScopedTempFile&) = delete;
    ScopedTempFile& operator=(const ScopedTempFile&) = delete;

    // Empty when no temporary file could be made.
    const String& Path() const { return path_; }
    bool IsValid() const { return !path_.IsEmpty(); }
    // Deletes the file now; later calls and the destructor do nothing more.
    void Delete();

private:
    String path_;
};
