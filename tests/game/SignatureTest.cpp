// One number for a seeded run of whole games, and proof that the autopilot
// reaches every one of the human's paths.

#include "ScriptedView.h"
#include "SimRunner.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

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
    const SimOptions options;
    Autopilot::Counts total;
    for (int game = 0; game < 500; ++game) {
        Autopilot::Counts taken;
        PlayOneGame(options, game, {}, &taken);
        total.doubleClicks += taken.doubleClicks;
        total.drops += taken.drops;
        total.missedDrops += taken.missedDrops;
        total.deckDraws += taken.deckDraws;
        total.sorts += taken.sorts;
        total.lies += taken.lies;
        total.vemoInTime += taken.vemoInTime;
        total.vemoTooLate += taken.vemoTooLate;
        total.vemoAfterPrayer += taken.vemoAfterPrayer;
        total.ignoredClicks += taken.ignoredClicks;
        total.declinedDraws += taken.declinedDraws;
    }
    
    EXPECT_GT(total.doubleClicks, 0);
    EXPECT_GT(total.drops, 0);
    EXPECT_GT(total.missedDrops, 0);
    EXPECT_GT(total.deckDraws, 0);
    EXPECT_GT(total.sorts, 0);
    EXPECT_GT(total.lies, 0);
    EXPECT_GT(total.vemoInTime, 0);
    EXPECT_GT(total.vemoTooLate, 0);
    EXPECT_GT(total.vemoAfterPrayer, 0);
    EXPECT_GT(total.ignoredClicks, 0);
    EXPECT_GT(total.declinedDraws, 0);
}

} // namespace
