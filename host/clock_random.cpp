#include "clock_random.h"

#include <chrono>

namespace snoutsum {

float unitFromBits(std::uint32_t k)
{
    constexpr std::uint32_t mask = (std::uint32_t{1} << kRandomBits) - 1;
    constexpr float scale = 1.0f / static_cast<float>(std::uint32_t{1} << kRandomBits);
    return static_cast<float>(k & mask) * scale;
}

void ClockRandom::seed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto ticks = static_cast<std::uint64_t>(now);
    std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    engine_.seed(seq);
}

float ClockRandom::next()
{
    // mt19937 yields 32 bits; the top 24 are the best mixed.
    return unitFromBits(static_cast<std::uint32_t>(engine_() >> (32 - kRandomBits)));
}

} // namespace snoutsum
