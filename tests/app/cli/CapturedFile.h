// CapturedFile: a C runtime FILE on a fresh temporary file, for handing to code that prints
// to a console stream, and reading back what it printed. The file goes with the object.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

class CapturedFile {
public:
    // initial: bytes the file starts with (for a stream that is read, such as stdin).
    explicit CapturedFile(const std::string& initial = std::string()) {
        char folder[MAX_PATH];
        char path[MAX_PATH];
        if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "cli", 0, path))
            return;
        path_ = path;
        file_ = fopen(path, "w+b");
        if (file_ && !initial.empty()) {
            fwrite(initial.data(), 1, initial.size(), file_);
            rewind(file_);
        }
    }
    ~CapturedFile() {
        if (file_)
            fclose(file_);
        if (!path_.empty())
            DeleteFileA(path_.c_str());
    }
    CapturedFile(const CapturedFile&) = delete;
    CapturedFile& operator=(const CapturedFile&) = delete;

    FILE* File() const { return file_; }

    // Everything in the file, from its start; the position stays at the end.
    std::string Text() const {
        std::string text;
        if (!file_)
            return text;
        fflush(file_);
        fseek(file_, 0, SEEK_SET);
        char block[4096];
        size_t n;
        while ((n = fread(block, 1, sizeof(block), file_)) > 0)
            text.append(block, n);
        fseek(file_, 0, SEEK_END);
        return text;
    }

private:
    std::string path_;
    FILE* file_ = nullptr;
};
