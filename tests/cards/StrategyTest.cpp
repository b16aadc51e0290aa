// The computer players' decisions: the card to play by playing style, the
// answer to a pending evil card, the colour after a Card of Light, and the
// order in which a Card of Light is asked for.

#include "RandomInteger.h"
#include "clsPlayer.h"

#include <gtest/gtest.h>

#include <set>

using namespace vemo;

namespace {

using Step = StrategyStep;

clsPlayer PlayerWith(std::string_view hand, int style)
{
    clsPlayer player;
    player.PlayingStyle(static_cast<std::int16_t>(style));
    for (std::size_t k = 0; k + 1 < hand.size(); k += 2) player.AddACard(CardCode(hand.substr(k, 2)));
    return player;
}

// pile: the colour letter in force, then the value letter really played.
struct Case { const char *why; int style; const char *hand, *pile; int next1, next2, next3; bool special; const char* answer;
              Step step; };

// Every style's branches; each answer is checked with the step that chose it.
const Case kCases[] = {
    // Nothing to play.
    {"no match, no Light", 1, "G1R2P3", "B5", 5, 5, 5, false, "**", Step::NothingMatches},
    {"colour R is not the value R", 1, "R5", "BR", 5, 5, 5, false, "**", Step::NothingMatches},
    {"nothing at all with an evil card pending", 1, "G1", "BD", 5, 5, 5, true, "**", Step::NothingMatches},

    // A pending evil card: Grace first, then Prayer, else draw.
    {"Devil pending, Prayer and Grace", 1, "LPLGB2", "BD", 5, 5, 5, true, "LG", Step::EvilGrace},
    {"Devil pending, Prayer only", 1, "LPB2", "BD", 5, 5, 5, true, "LP", Step::EvilPrayer},
    {"Devil pending, no canceller", 1, "LBB2", "BD", 5, 5, 5, true, "**", Step::EvilNoCanceller},
    {"Sin pending, Grace late in hand", 3, "LPB1LPLG", "GS", 5, 5, 5, true, "LG", Step::EvilGrace},
    {"Temptation pending, first Prayer", 2, "LKLPLP", "PT", 5, 5, 5, true, "LP", Step::EvilPrayer},
    {"Trial pending, Grace", 4, "R1LG", "RR", 5, 5, 5, true, "LG", Step::EvilGrace},
    {"Devil answered already", 1, "B2", "BD", 5, 5, 5, false, "B2", Step::Style1Highest},
    {"Ask pending is not evil", 1, "B3LG", "BK", 5, 5, 5, true, "B3", Step::Style1Highest},

    // A Card of Light when nothing matches: Blessing, Ask, Grace, Prayer, Vemo.
    {"Light order: Blessing", 1, "G1LVLPLGLKLB", "B5", 5, 5, 5, false, "LB", Step::LightCard},
    {"Light order: Ask", 2, "G1LVLPLGLK", "B5", 5, 5, 5, false, "LK", Step::LightCard},
    {"Light order: Grace", 4, "LVLPLG", "B5", 5, 5, 5, false, "LG", Step::LightCard},
    {"Light order: Prayer", 1, "LVLP", "B5", 1, 1, 1, false, "LP", Step::LightCard},
    {"Light order: Vemo", 1, "LVG1", "B5", 5, 5, 5, false, "LV", Step::LightCard},

    // Style 1, the next player holds 3 or more: everyone has 3+ -> highest number.
    {"style 1 highest ignores evil", 1, "B2BDB6", "B5", 4, 9, 3, false, "B6", Step::Style1Highest},
    {"style 1 highest, tie to hand order", 1, "G6B6", "B6", 5, 5, 5, false, "G6", Step::Style1Highest},
    {"style 1 highest, no number", 1, "BSBT", "B5", 5, 5, 5, false, "BS", Step::Style1Highest},
    {"style 1 keeps Light while matching", 1, "LBB1", "B5", 5, 5, 5, false, "B1", Step::Style1Highest},

    // Style 1, next player below 3: evil card, first Devil at once, else the last.
    {"style 1 first Devil", 1, "G2GSGTGD", "G7", 1, 5, 5, false, "GD", Step::Style1Evil},
    {"style 1 first of two Devils", 1, "PDBD", "BD", 2, 5, 5, false, "PD", Step::Style1Evil},
    {"style 1 last evil", 1, "GSGT", "G7", 1, 5, 5, false, "GT", Step::Style1Evil},
    {"style 1 evil beats the Prayer", 1, "R1RTLP", "R4", 2, 5, 5, false, "RT", Step::Style1Evil},

    // Style 1, no evil card: a Prayer turns play towards a fuller hand.
    {"style 1 Prayer", 1, "R1LP", "R4", 2, 5, 5, false, "LP", Step::Style1Prayer},
    {"style 1 Prayer behind Grace", 1, "LGR1LP", "R4", 1, 1, 2, false, "LP", Step::Style1Prayer},
    {"style 1 no Prayer, third not fuller", 1, "R1LP", "R4", 2, 5, 2, false, "R1", Step::Style1Scan},
    {"style 1 Grace is no reversal", 1, "R1LG", "R4", 2, 5, 5, false, "R1", Step::Style1Scan},
    {"style 1 reversal only for the next player", 1, "R1LP", "R4", 3, 1, 9, false, "R1", Step::Style1Scan},

    // Style 1, someone else below 3: the evil-first scan.
    {"scan: Devil from a number, then Temptation", 1, "B2BDBT", "B5", 3, 2, 9, false, "BT", Step::Style1Scan},
    {"scan: Devil while evil ends the scan", 1, "B2BTBDBR", "B5", 3, 2, 9, false, "BD", Step::Style1Scan},
    {"scan: Sin does not replace a Devil", 1, "B2BDBS", "B5", 3, 2, 9, false, "BD", Step::Style1Scan},
    {"scan: Sin replaces a Temptation", 1, "BTBS", "B5", 3, 2, 9, false, "BS", Step::Style1Scan},
    {"scan: Trial replaces a Sin", 1, "BSB2BR", "B5", 3, 2, 9, false, "BR", Step::Style1Scan},
    {"scan: highest number, first of equals", 1, "B3B6G6", "B6", 3, 2, 9, false, "B6", Step::Style1Scan},

    // Any other style value plays as style 1.
    {"style 0 as style 1", 0, "GSGT", "G7", 1, 5, 5, false, "GT", Step::Style1Evil},

    // Style 2: the highest number.
    {"style 2 highest", 2, "B1B7BT", "B5", 1, 1, 1, false, "B7", Step::Style2Highest},
    {"style 2 ignores the Prayer rule", 2, "R1LP", "R4", 2, 5, 5, false, "R1", Step::Style2Highest},

    // Style 3: a Devil that ends the scan, else Light, else the scan.
    {"style 3 Light before a number", 3, "B4LV", "B5", 5, 5, 5, false, "LV", Step::LightCard},
    {"style 3 Devil check", 3, "BDLB", "B5", 5, 5, 5, false, "BD", Step::Style3Devil},
    {"style 3 Devil from a number is no check", 3, "B4BDLB", "B5", 5, 5, 5, false, "LB", Step::LightCard},
    {"style 3 Devil after evil", 3, "B2BTBDLB", "B5", 5, 5, 5, false, "BD", Step::Style3Devil},
    {"style 3 Devil replaced, no Light", 3, "B2BDBT", "B5", 5, 5, 5, false, "BT", Step::Style3Scan},
    {"style 3 Sin keeps a Devil, no Light", 3, "B2BDBS", "B5", 5, 5, 5, false, "BD", Step::Style3Scan},
    {"style 3 highest number", 3, "B3B6B4", "B5", 5, 5, 5, false, "B6", Step::Style3Scan},

    // Style 4 with a single matching card has one choice.
    {"style 4 one match", 4, "G2B4LB", "G5", 5, 5, 5, false, "G2", Step::Style4Random},
    {"style 4 no match", 4, "R1LK", "G5", 5, 5, 5, false, "LK", Step::LightCard},
};

// Tests that seed the generator hand it back to the clock afterwards.
class Strategy : public ::testing::Test {
protected:
    void TearDown() override { UnseedRandom(); }
};

} // namespace

TEST_F(Strategy, GetCardToPlayTable)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.why) + " (style " + std::to_string(c.style) + ", hand " + c.hand + ", pile " +
                     c.pile + ")");
        clsPlayer player = PlayerWith(c.hand, c.style);
        const std::string before = player.GetAllCards();
        const CardCode pile(c.pile);
        EXPECT_EQ(player.GetCardToPlay(pile.Colour(), pile.Value(), c.next1, c.next2, c.next3, c.special),
                  CardCode(c.answer));
        EXPECT_EQ(player.LastStrategyStep(), c.step);
        EXPECT_EQ(player.GetAllCards(), before); // choosing plays nothing
    }
}

TEST_F(Strategy, Style4ChoosesAnyMatchingCard)
{
    // Match is B1, B2, B3, G5; the Light and the green 4 are never chosen.
    const std::set<CardCode> match{CardCode("B1"), CardCode("B2"), CardCode("B3"), CardCode("G5")};
    std::set<CardCode> chosen;
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        SeedRandom(seed);
        clsPlayer player = PlayerWith("B1LBB2G4B3G5", 4);
        chosen.insert(player.GetCardToPlay('B', '5', 1, 1, 1, false));
        EXPECT_EQ(player.LastStrategyStep(), Step::Style4Random);
    }
    EXPECT_EQ(chosen, match);
}

TEST_F(Strategy, PickColorMostHeldColourEarlierOnATieElseAtRandom)
{
    const struct {
        const char* hand;
        const char* colours; // every colour chosen over 200 seeds
    } cases[] = {
        {"B1G2G3P4R5R6", "G"}, {"B1R1", "B"}, {"R1B1", "B"}, {"LVLVLVB1", "B"},
        {"P5R5P6R6", "P"},     {"LVLG", "BGPR"}, {"", "BGPR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hand);
        clsPlayer player = PlayerWith(c.hand, 1);
        std::set<char> chosen;
        for (std::uint64_t seed = 1; seed <= 200; ++seed) {
            SeedRandom(seed);
            chosen.insert(player.PickColor());
        }
        EXPECT_EQ(chosen, std::set<char>(c.colours, c.colours + std::string_view(c.colours).size()));
    }
}
