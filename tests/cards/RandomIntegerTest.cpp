// The one random generator: its range, its seeded (reproducible) mode and its
// normal mode, where the clock is mixed into every draw.

#include "RandomInteger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using namespace vemo;

namespace {

enum class Mode { Seeded, Clock };

// Every test chooses its mode; afterwards the program's normal mode is back.
class RandomIntegerTest : public ::testing::Test {
protected:
    void TearDown() override { UnseedRandom(); }

    static void Enter(Mode mode)
    {
        if (mode == Mode::Seeded) SeedRandom(20240601);
        else UnseedRandom();
    }

    static std::vector<int> Draws(int count, int high, int low)
    {
        std::vector<int> values;
        values.reserve(static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k) values.push_back(RandomInteger(high, low));
        return values;
    }
};

const char* Name(Mode mode) { return mode == Mode::Seeded ? "seeded" : "clock"; }

} // namespace

TEST_F(RandomIntegerTest, EveryValueOfTheRangeAndNothingOutside)
{
    const struct {
        int high;
        int low;
    } ranges[] = {
        {92, 1},  // a shuffle draw
        {92, 31}, // exchanging a turned-up Card of Light after the deal
        {4, 1},   // a seat or a colour
        {11, 0},  // an index into a list of 12
        {0, 0},   // a list of one card: RandomInteger(n - 1, 0)
        {7, 7},
    };
    for (Mode mode : {Mode::Seeded, Mode::Clock}) {
        for (const auto& r : ranges) {
            SCOPED_TRACE(std::string(Name(mode)) + " " + std::to_string(r.high) + "," + std::to_string(r.low));
            Enter(mode);
            const int span = r.high - r.low + 1;
            std::vector<int> counts(static_cast<std::size_t>(span), 0);
            int outside = 0;
            for (int value : Draws(span * 1000, r.high, r.low)) {
                if (value < r.low || value > r.high) ++outside;
                else ++counts[static_cast<std::size_t>(value - r.low)];
            }
            EXPECT_EQ(outside, 0);
            for (int k = 0; k < span; ++k) {
                // 1000 expected; far more than six standard deviations of slack.
                EXPECT_GT(counts[static_cast<std::size_t>(k)], 800) << "value " << r.low + k;
                EXPECT_LT(counts[static_cast<std::size_t>(k)], 1200) << "value " << r.low + k;
            }
        }
    }
}

TEST_F(RandomIntegerTest, BackToBackDrawsDifferInClockMode)
{
    UnseedRandom();
    // Pairs drawn as fast as possible mostly fall within one clock reading or
    // two close ones; they must still behave as independent draws.
    const struct {
        int n;
        int pairs;
    } cases[] = {{1000000, 2000}, {6, 60000}, {2, 40000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        int equal = 0;
        for (int k = 0; k < c.pairs; ++k) {
            const int a = RandomInteger(c.n, 1);
            const int b = RandomInteger(c.n, 1);
            if (a == b) ++equal;
        }
        EXPECT_LT(equal, c.pairs);
        const double p = 1.0 / c.n;
        const double expected = c.pairs * p;
        const double sd = std::sqrt(c.pairs * p * (1 - p));
        EXPECT_NEAR(equal, expected, 7 * sd + 1);
    }
}

TEST_F(RandomIntegerTest, SameSeedSameSequenceUntilUnseeded)
{
    SeedRandom(99);
    const auto seeded = Draws(500, 1000000, 1);
    SeedRandom(99);
    EXPECT_EQ(Draws(500, 1000000, 1), seeded);
    SeedRandom(100);
    EXPECT_NE(Draws(500, 1000000, 1), seeded);

    // The same starting state, but the clock has moved on between the runs.
    SeedRandom(99);
    UnseedRandom();
    const auto first = Draws(500, 1000000, 1);
    SeedRandom(99);
    UnseedRandom();
    EXPECT_NE(first, seeded);
    EXPECT_NE(Draws(500, 1000000, 1), first);
}

// The generator's largest draw once rounded Int(n * r + low) up to high + 1,
// which the deal's exchange turned into deck position 93.
TEST_F(RandomIntegerTest, LargestDrawStaysWithinTheRange)
{
    for (const auto& [high, low] : {std::pair{92, 31}, std::pair{200, 150}, std::pair{92, 1}}) {
        SeedRandom(0x31628af67b2131abull);
        EXPECT_EQ(RandomInteger(high, low), high);
    }
}
