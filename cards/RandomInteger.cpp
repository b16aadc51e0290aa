#include "RandomInteger.h"

#include <chrono>
#include <cmath>

namespace vemo {
namespace {

struct Generator {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    bool mixClock = true;
};

Generator& TheGenerator()
{
    static Generator generator;
    return generator;
}

// splitmix64: a fast, well-mixed step; any change of state gives an unrelated output.
std::uint64_t Next(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

int RandomInteger(int high, int low)
{
    Generator& g = TheGenerator();
    if (g.mixClock) {
        const auto ticks = static_cast<std::uint64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        // Mixed into, never replacing, the state: a repeated reading still advances it.
        g.state ^= ticks * 0xD1B54A32D192ED03ull;
    }
    const double r = static_cast<double>(Next(g.state) >> 11) * 0x1.0p-53;
    // low + Int(n * r) rather than Int(n * r + low): the sum can round up to
    // high + 1 when r is within one ulp of 1 and low is not zero.
    return low + static_cast<int>(std::floor((static_cast<double>(high) - low + 1) * r));
}

void SeedRandom(std::uint64_t seed)
{
    Generator& g = TheGenerator();
    g.state = seed;
    g.mixClock = false;
}

void UnseedRandom()
{
    TheGenerator().mixClock = true;
}

} // namespace vemo
