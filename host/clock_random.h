#pragma once
// The random source of the real game: reseeded from the clock on every seed,
// handing out floats in [0, 1).

#include <cstdint>
#include <random>

namespace snoutsum {

// Number of random bits in one draw. 24 is a float's precision, so every draw
// is exact as a float and 4 * x stays exact in single precision too.
inline constexpr int kRandomBits = 24;

// k / 2^24 for k in [0, 2^24): at most 1 - 2^-24, never 1. Bits above the
// 24 low ones are ignored.
float unitFromBits(std::uint32_t k);

class ClockRandom {
public:
    void seed();
    float next();

private:
    std::mt19937 engine_;
};

} // namespace snoutsum
