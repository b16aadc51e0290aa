// The one random generator: its range, its seeded (reproducible) mode and its
// normal mode, where the clock is mixed into every draw.

#include "RandomInteger.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vemo;

namespace {

// Every test hands the generator back to its normal mode afterwards.
class RandomIntegerTest : public ::testing::Test {
protected:
    void TearDown() override { UnseedRandom(); }
    static std::vector<int> Draws(int count, int high = 1000000, int low = 1)
    {
        std::vector<int> values;
        for (int k = 0; k < count; ++k) values.push_back(RandomInteger(high, low));
        return values;
    }
};

} // namespace

TEST_F(RandomIntegerTest, EveryValueOfTheRangeAndNothingOutside)
{
    // A shuffle draw, exchanging a turned-up Card of Light after the deal, a
    // seat or a colour, an index into a list of 12, a list of one card.
    const std::pair<int, int> ranges[] = {{92, 1}, {92, 31}, {4, 1}, {11, 0}, {0, 0}, {7, 7}};
    for (const bool seeded : {true, false}) {
        for (const auto& [high, low] : ranges) {
            SCOPED_TRACE(std::string(seeded ? "seeded " : "clock ") + std::to_string(high) + "," + std::to_string(low));
            if (seeded) SeedRandom(20240601);
            else UnseedRandom();
            const int span = high - low + 1;
            std::vector<int> counts(static_cast<std::size_t>(span), 0);
            for (int value : Draws(span * 1000, high, low)) {
                ASSERT_GE(value, low);
                ASSERT_LE(value, high);
                ++counts[static_cast<std::size_t>(value - low)];
            }
            // 1000 expected each; far more than six standard deviations of slack.
            for (int k = 0; k < span; ++k) EXPECT_NEAR(counts[static_cast<std::size_t>(k)], 1000, 200) << low + k;
        }
    }
}

TEST_F(RandomIntegerTest, BackToBackDrawsDifferInClockMode)
{
    // Pairs drawn as fast as possible mostly fall within one clock reading or
    // two close ones; they must still behave as independent draws.
    for (const auto& [n, pairs] : {std::pair{1000000, 2000}, std::pair{6, 60000}, std::pair{2, 40000}}) {
        int equal = 0;
        for (int k = 0; k < pairs; ++k) equal += RandomInteger(n, 1) == RandomInteger(n, 1);
        const double p = 1.0 / n;
        EXPECT_LT(equal, pairs) << n;
        EXPECT_NEAR(equal, pairs * p, 7 * std::sqrt(pairs * p * (1 - p)) + 1) << n;
    }
}

TEST_F(RandomIntegerTest, SameSeedSameSequenceUntilUnseeded)
{
    SeedRandom(99);
    const auto seeded = Draws(500);
    SeedRandom(99);
    EXPECT_EQ(Draws(500), seeded);
    SeedRandom(100);
    EXPECT_NE(Draws(500), seeded);
    // The same starting state, but the clock has moved on between the runs.
    SeedRandom(99);
    UnseedRandom();
    const auto first = Draws(500);
    SeedRandom(99);
    UnseedRandom();
    EXPECT_NE(first, seeded);
    EXPECT_NE(Draws(500), first);
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
