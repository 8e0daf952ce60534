// Test-support pseudo-random source: a small xorshift generator, so a mutant can be rebuilt
// from its seed alone. Not part of the product.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvrtest {

class SeededRandom {
public:
    explicit SeededRandom(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    size_t Below(size_t n) { return n == 0 ? 0 : Next() % n; }

private:
    uint32_t state_;
};

}  // namespace kvrtest
