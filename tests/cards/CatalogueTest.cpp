// The catalogue, the deck and its shuffle and rebuild, and card codes.

#include "CardCode.h"
#include "Deck.h"
#include "RandomInteger.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vemo;

namespace {

// The 92 codes in catalogue order, written out by hand so that the test does
// not share the loader's construction.
constexpr const char* kCatalogueText =
    "B1B1B2B2B3B3B4B4B5B5B6B6B7B7" "BDBRBSBT"
    "G1G1G2G2G3G3G4G4G5G5G6G6G7G7" "GDGRGSGT"
    "P1P1P2P2P3P3P4P4P5P5P6P6P7P7" "PDPRPSPT"
    "R1R1R2R2R3R3R4R4R5R5R6R6R7R7" "RDRRRSRT"
    "LVLVLVLV" "LBLBLBLB" "LGLGLGLG" "LKLKLKLK" "LPLPLPLP";

std::string DeckText(const CardDeck& deck)
{
    std::string text;
    for (int position = 1; position <= kDeckSize; ++position) text += deck(position).View();
    return text;
}

// Tests that seed the generator hand it back to the clock afterwards.
class SeededDeck : public ::testing::Test {
protected:
    void TearDown() override { UnseedRandom(); }
};

} // namespace

TEST(Catalogue, LoadRefillsEveryPositionInOrderAndLeavesDeckPositionAlone)
{
    CardDeck deck;
    for (int position = 1; position <= 30; ++position) deck(position) = BlankCard; // a dealt hand
    for (int position : {37, 1, 93}) {
        deck.DeckPosition = static_cast<std::int16_t>(position);
        LoadVemoCardDeck(deck);
        EXPECT_EQ(deck.DeckPosition, position);
        EXPECT_EQ(DeckText(deck), kCatalogueText);
    }
    const CardDeck& constDeck = deck;
    for (int position : {0, -1, 93, -32768}) {
        EXPECT_THROW(deck(position), std::out_of_range) << position;
        EXPECT_THROW(constDeck(position), std::out_of_range) << position;
    }
}

TEST_F(SeededDeck, ShuffleIsTwoPassesOfExchangesWithRandomPositions)
{
    // The same 184 draws applied by hand: pass after pass, position i with the
    // draw. Blank (dealt) positions move like any card; DeckPosition stays.
    for (int blanks : {0, 29}) {
        for (std::uint64_t seed : {6u, 600u}) {
            SCOPED_TRACE(std::to_string(seed) + " with " + std::to_string(blanks) + " blanks");
            CardDeck expected;
            LoadVemoCardDeck(expected);
            for (int position = 1; position <= blanks; ++position) expected(position) = BlankCard;
            expected.DeckPosition = static_cast<std::int16_t>(blanks + 1);
            CardDeck deck = expected;
            SeedRandom(seed);
            std::vector<int> draws;
            for (int k = 0; k < 2 * kDeckSize + 1; ++k) draws.push_back(RandomInteger(kDeckSize, 1));
            for (int k = 0; k < 2 * kDeckSize; ++k)
                std::swap(expected(k % kDeckSize + 1), expected(draws[static_cast<std::size_t>(k)]));

            SeedRandom(seed);
            ShuffleFullDeck(deck);
            EXPECT_EQ(DeckText(deck), DeckText(expected));
            EXPECT_EQ(deck.DeckPosition, blanks + 1);
            EXPECT_EQ(RandomInteger(kDeckSize, 1), draws.back()); // exactly 184 draws used
        }
    }
}

TEST_F(SeededDeck, RebuildSwapsTheFirstCopyOfTheCurrentCardToTheFrontAndTakesItOut)
{
    // After a Card of Light the pile reads "B*", which no position holds:
    // position 1 then keeps its card. The first copy may already sit at 1.
    for (std::uint64_t seed : {3u, 9u, 2024u}) {
        SeedRandom(seed);
        CardDeck shuffled;
        LoadVemoCardDeck(shuffled);
        ShuffleFullDeck(shuffled);
        for (CardCode current : {CardCode("G5"), CardCode("LV"), CardCode("RD"), CardCode("B1"), shuffled(1),
                                 CardCode("B*"), CardCode("  ")}) {
            SCOPED_TRACE(std::to_string(seed) + " " + current.ToString());
            CardDeck expected = shuffled;
            for (int position = 1; position <= kDeckSize; ++position) {
                if (expected(position) != current) continue;
                std::swap(expected(1), expected(position));
                expected(1) = BlankCard;
                break;
            }
            CardDeck deck;
            for (int position = 1; position <= 40; ++position) deck(position) = BlankCard;
            deck.DeckPosition = 93; // the caller has just drawn position 92
            SeedRandom(seed);
            RebuildDeck(deck, current);
            EXPECT_EQ(DeckText(deck), DeckText(expected));
            EXPECT_EQ(deck.DeckPosition, 2);
        }
    }
}

TEST(CardCodes, ShortTextIsPaddedWithBlanksAndKindsAreKnown)
{
    const struct { std::string text; const char* padded; bool blank, numbered, evil, light; } cases[] = {
        {"", "  ", true, false, false, false},    {"B", "B ", false, false, false, false},
        {"LVX", "LV", false, false, false, true}, // a two-character field keeps two
        {"B5", "B5", false, true, false, false},  {"BD", "BD", false, false, true, false},
        {"RR", "RR", false, false, true, false},  {"GS", "GS", false, false, true, false},
        {"PT", "PT", false, false, true, false},  {"LB", "LB", false, false, false, true},
        {"B*", "B*", false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        const CardCode code(c.text);
        EXPECT_EQ(code.ToString(), c.padded);
        EXPECT_EQ(code, CardCode(c.padded));
        EXPECT_EQ((std::array{code.IsBlank(), IsNumbered(code), IsEvil(code), IsLight(code)}),
                  (std::array{c.blank, c.numbered, c.evil, c.light}));
    }
}
