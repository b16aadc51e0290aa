#pragma once
// One generator serves the whole program. Every draw mixes the clock into the
// generator's state, so two draws within one clock tick still differ. A seed
// turns the clock off, which makes test and simulator runs reproducible.

#include <cstdint>

namespace vemo {

// An integer from low to high inclusive: Int((high - low + 1) * r + low) for a
// uniform r in [0, 1). Note the order of the arguments: high comes first.
int RandomInteger(int high, int low);

// Reproducible mode: the state restarts from the seed and the clock is no
// longer mixed in.
void SeedRandom(std::uint64_t seed);

// Back to clock-mixed draws (the program's normal mode).
void UnseedRandom();

} // namespace vemo
