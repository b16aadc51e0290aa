// One number for a seeded run of whole games, and proof that the autopilot
// reaches every one of the human's paths.

#include "SimRunner.h"

#include <gtest/gtest.h>


using namespace vemo;

namespace {

// Any change to the rules, the strategy, the autopilot or the order of random
// draws moves this number. A commit that changes it must explain why.
constexpr std::uint64_t kSignature = 0xae1599ee08129a82ull;

TEST(Signature, SeededRunMatchesTheCommittedChecksum)
{
    const SimOptions options; // defaults, seed 1
    std::vector<GameResult> results;
    results.reserve(300);
    for (int game = 0; game < 300; ++game) results.push_back(PlayOneGame(options, game));

    const std::uint64_t checksum = Checksum(results);
    EXPECT_EQ(checksum, kSignature) << "checksum 0x" << std::hex << checksum;
    for (const GameResult& r : results) ASSERT_TRUE(r.finished);
}

TEST(GameAutopilot, ReachesEveryHumanPath)
{
    using C = Autopilot::Counts;
    const std::pair<const char*, long long C::*> paths[] = {
        {"double-clicks", &C::doubleClicks}, {"drops", &C::drops},
        {"missed drops", &C::missedDrops},   {"deck draws", &C::deckDraws},
        {"sorts", &C::sorts},                {"lies", &C::lies},
        {"Vemo in time", &C::vemoInTime},    {"Vemo too late", &C::vemoTooLate},
        {"Vemo after Prayer", &C::vemoAfterPrayer}, {"ignored clicks", &C::ignoredClicks},
        {"declined draws", &C::declinedDraws},
    };
    C total;
    for (int game = 0; game < 500; ++game) {
        C taken;
        PlayOneGame(SimOptions{}, game, {}, &taken);
        for (const auto& [name, count] : paths) total.*count += taken.*count;
    }
    for (const auto& [name, count] : paths) EXPECT_GT(total.*count, 0) << name;
}

} // namespace
