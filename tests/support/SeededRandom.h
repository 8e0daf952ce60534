// Test-support pseudo-random source: a small xorshift generator, so a mutant can be rebuilt
// from its seed alone. Not part of the product.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvrtest {

class SeededRandom {
public:
    // offset: a second stream from the same seeds (the carriers' noise, which the bundled samples fix).
    explicit SeededRandom(uint32_t seed, uint32_t offset = 1) : state_(seed * 2654435761u + offset) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    size_t Below(size_t n) { return n == 0 ? 0 : Next() % n; }
    uint8_t Byte() { return static_cast<uint8_t>(Next() >> 11); }

private:
    uint32_t state_;
};

}  // namespace kvrtest
