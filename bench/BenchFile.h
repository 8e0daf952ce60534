// An owned C runtime FILE for the benchmark's own input writing and baselines.
#pragma once

#include <cstdio>
#include <memory>

struct BenchFileCloser {
    void operator()(FILE* file) const {
        if (file)
            fclose(file);
    }
};
using BenchFile = std::unique_ptr<FILE, BenchFileCloser>;
