// The catalogue, the deck and its shuffle and rebuild, card codes, and the
// words for card values and colours.

#include "CardCode.h"
#include "CardText.h"
#include "Deck.h"
#include "RandomInteger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

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

std::map<CardCode, int> Counts(const CardDeck& deck)
{
    std::map<CardCode, int> counts;
    for (int position = 1; position <= kDeckSize; ++position) ++counts[deck(position)];
    return counts;
}

CardDeck LoadedDeck()
{
    CardDeck deck;
    LoadVemoCardDeck(deck);
    return deck;
}

CardDeck SeededShuffle(std::uint64_t seed)
{
    CardDeck deck = LoadedDeck();
    SeedRandom(seed);
    ShuffleFullDeck(deck);
    return deck;
}

// Tests that seed the generator hand it back to the clock afterwards.
class SeededDeck : public ::testing::Test {
protected:
    void TearDown() override { UnseedRandom(); }
};

} // namespace

TEST(Catalogue, LoadWritesEveryPositionInCatalogueOrder)
{
    const std::string expected(kCatalogueText);
    ASSERT_EQ(expected.size(), 2u * kDeckSize);
    EXPECT_EQ(DeckText(LoadedDeck()), expected);
}

TEST(Catalogue, NamedPositions)
{
    const struct {
        int position;
        const char* code;
    } cases[] = {
        {1, "B1"},  {14, "B7"}, {15, "BD"}, {16, "BR"}, {17, "BS"}, {18, "BT"}, {19, "G1"},
        {33, "GD"}, {36, "GT"}, {37, "P1"}, {54, "PT"}, {55, "R1"}, {69, "RD"}, {72, "RT"},
        {73, "LV"}, {77, "LB"}, {81, "LG"}, {85, "LK"}, {89, "LP"}, {92, "LP"},
    };
    const CardDeck deck = LoadedDeck();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(deck(c.position), CardCode(c.code));
    }
}

TEST(Catalogue, CopiesOfEachKind)
{
    const auto counts = Counts(LoadedDeck());
    int total = 0;
    for (char colour : {'B', 'G', 'P', 'R'}) {
        for (char digit = '1'; digit <= '7'; ++digit) EXPECT_EQ(counts.at(CardCode(colour, digit)), 2);
        for (char evil : {'D', 'S', 'T', 'R'}) EXPECT_EQ(counts.at(CardCode(colour, evil)), 1);
    }
    for (char light : {'V', 'B', 'G', 'K', 'P'}) EXPECT_EQ(counts.at(CardCode('L', light)), 4);
    for (const auto& [code, n] : counts) total += n;
    EXPECT_EQ(total, 92);
    EXPECT_EQ(counts.size(), 4u * 7 + 4u * 4 + 5u); // no stray codes, no blanks
}

TEST(Catalogue, LoadLeavesDeckPositionAloneAndRefillsBlanks)
{
    CardDeck deck;
    for (int position = 1; position <= 30; ++position) deck(position) = BlankCard; // a dealt hand
    for (int position : {37, 1, 93}) {
        deck.DeckPosition = static_cast<std::int16_t>(position);
        LoadVemoCardDeck(deck);
        EXPECT_EQ(deck.DeckPosition, position);
        EXPECT_EQ(DeckText(deck), kCatalogueText);
    }
}

TEST(Catalogue, PositionsOutsideTheDeckAreAFault)
{
    CardDeck deck = LoadedDeck();
    const CardDeck& constDeck = deck;
    for (int position : {0, -1, 93, 1000, -32768}) {
        SCOPED_TRACE(position);
        EXPECT_THROW(deck(position), std::out_of_range);
        EXPECT_THROW(constDeck(position), std::out_of_range);
    }
    for (int position : {1, 92}) {
        SCOPED_TRACE(position);
        EXPECT_NO_THROW(deck(position));
        EXPECT_NO_THROW(constDeck(position));
    }
}

TEST_F(SeededDeck, ShuffleKeepsTheCardsOfAFullDeck)
{
    const auto before = Counts(LoadedDeck());
    for (std::uint64_t seed : {1u, 2u, 77u, 123456789u}) {
        SCOPED_TRACE(seed);
        const CardDeck deck = SeededShuffle(seed);
        EXPECT_EQ(Counts(deck), before);
        EXPECT_NE(DeckText(deck), kCatalogueText);
    }
}

TEST_F(SeededDeck, ShuffleMovesBlankPositionsWithTheCards)
{
    // After a deal of 29 positions the blanks are shuffled like any card.
    CardDeck deck = LoadedDeck();
    for (int position = 1; position <= 29; ++position) deck(position) = BlankCard;
    deck.DeckPosition = 30;
    const auto before = Counts(deck);
    ASSERT_EQ(before.at(BlankCard), 29);

    SeedRandom(5);
    ShuffleFullDeck(deck);
    EXPECT_EQ(Counts(deck), before);
    EXPECT_EQ(deck.DeckPosition, 30);
    bool blankMovedAbove29 = false;
    for (int position = 30; position <= kDeckSize; ++position) blankMovedAbove29 |= deck(position).IsBlank();
    EXPECT_TRUE(blankMovedAbove29);
}

TEST_F(SeededDeck, ShuffleIsReproducibleWithASeed)
{
    EXPECT_EQ(DeckText(SeededShuffle(42)), DeckText(SeededShuffle(42)));
    EXPECT_NE(DeckText(SeededShuffle(42)), DeckText(SeededShuffle(43)));
}

TEST_F(SeededDeck, ShuffleIsTwoPassesOfExchangesWithRandomPositions)
{
    // The same 184 draws applied by hand: pass after pass, position i with the draw.
    for (std::uint64_t seed : {6u, 600u}) {
        SCOPED_TRACE(seed);
        SeedRandom(seed);
        std::vector<int> draws;
        for (int k = 0; k < 2 * kDeckSize + 1; ++k) draws.push_back(RandomInteger(kDeckSize, 1));

        CardDeck expected = LoadedDeck();
        for (int k = 0; k < 2 * kDeckSize; ++k) {
            const int i = k % kDeckSize + 1;
            std::swap(expected(i), expected(draws[static_cast<std::size_t>(k)]));
        }

        CardDeck deck = LoadedDeck();
        SeedRandom(seed);
        ShuffleFullDeck(deck);
        EXPECT_EQ(DeckText(deck), DeckText(expected));
        EXPECT_EQ(RandomInteger(kDeckSize, 1), draws.back()); // exactly 184 draws used
    }
}

TEST_F(SeededDeck, ShuffleCanCarryACardToEveryPosition)
{
    // The first card of the catalogue (B1, two copies) over many shuffles.
    std::vector<int> seen(kDeckSize + 1, 0);
    for (std::uint64_t seed = 1; seed <= 2000; ++seed) {
        const CardDeck deck = SeededShuffle(seed);
        for (int position = 1; position <= kDeckSize; ++position)
            if (deck(position) == CardCode("B1")) ++seen[static_cast<std::size_t>(position)];
    }
    for (int position = 1; position <= kDeckSize; ++position) {
        SCOPED_TRACE(position);
        EXPECT_GT(seen[static_cast<std::size_t>(position)], 0);
    }
}

TEST_F(SeededDeck, RebuildSwapsTheFirstCopyOfTheCurrentCardToTheFront)
{
    for (std::uint64_t seed : {3u, 11u, 2024u}) {
        for (const char* current : {"G5", "LV", "RD", "B1"}) {
            SCOPED_TRACE(std::to_string(seed) + " " + current);
            const CardDeck shuffled = SeededShuffle(seed);
            int first = 0;
            for (int position = kDeckSize; position >= 1; --position)
                if (shuffled(position) == CardCode(current)) first = position;
            ASSERT_GT(first, 0);

            CardDeck deck;
            for (int position = 1; position <= 40; ++position) deck(position) = BlankCard;
            deck.DeckPosition = 93; // the caller has just drawn position 92
            SeedRandom(seed);
            RebuildDeck(deck, CardCode(current));

            EXPECT_EQ(deck.DeckPosition, 2);
            EXPECT_TRUE(deck(1).IsBlank());
            for (int position = 2; position <= kDeckSize; ++position) {
                const CardCode expected = position == first ? shuffled(1) : shuffled(position);
                EXPECT_EQ(deck(position), expected) << "position " << position;
            }
            // Any later copy of the current card stays where the shuffle put it.
            auto counts = Counts(deck);
            auto full = Counts(LoadedDeck());
            EXPECT_EQ(counts[BlankCard], 1);
            EXPECT_EQ(counts[CardCode(current)], full[CardCode(current)] - 1);
        }
    }
}

TEST_F(SeededDeck, RebuildWhenTheCurrentCardLandsOnPositionOne)
{
    // The first copy already sits at position 1: it simply leaves the deck.
    const CardDeck shuffled = SeededShuffle(9);
    const CardCode current = shuffled(1);
    CardDeck deck;
    SeedRandom(9);
    RebuildDeck(deck, current);
    EXPECT_TRUE(deck(1).IsBlank());
    for (int position = 2; position <= kDeckSize; ++position) EXPECT_EQ(deck(position), shuffled(position));
    EXPECT_EQ(deck.DeckPosition, 2);
}

TEST_F(SeededDeck, RebuildAfterACardOfLightKeepsPositionOne)
{
    // After a Card of Light the pile reads "B*", which no position holds.
    for (const char* current : {"B*", "R*", "  "}) {
        SCOPED_TRACE(current);
        const CardDeck shuffled = SeededShuffle(17);
        CardDeck deck;
        deck.DeckPosition = 93;
        SeedRandom(17);
        RebuildDeck(deck, CardCode(current));
        EXPECT_EQ(DeckText(deck), DeckText(shuffled));
        EXPECT_FALSE(deck(1).IsBlank());
        EXPECT_EQ(deck.DeckPosition, 2);
    }
}

TEST(CardCodes, ShortTextIsPaddedWithBlanks)
{
    const struct {
        std::string text;
        char colour;
        char value;
        bool blank;
    } cases[] = {
        {"", ' ', ' ', true},
        {"B", 'B', ' ', false},
        {"B5", 'B', '5', false},
        {"  ", ' ', ' ', true},
        {"LVX", 'L', 'V', false}, // a two-character field keeps two
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        const CardCode code(c.text);
        EXPECT_EQ(code.Colour(), c.colour);
        EXPECT_EQ(code.Value(), c.value);
        EXPECT_EQ(code.IsBlank(), c.blank);
        EXPECT_EQ(code.View().size(), 2u);
        EXPECT_EQ(code.ToString(), (std::string{c.colour, c.value}));
        EXPECT_EQ(CardCode(c.text.c_str()), code);
    }
    EXPECT_EQ(CardCode(""), BlankCard);
    EXPECT_EQ(CardCode("B"), CardCode("B "));
    EXPECT_EQ(CardCode().ToString(), "  ");
}

TEST(CardCodes, KindOfCard)
{
    const struct {
        const char* code;
        bool numbered;
        bool evil;
        bool light;
    } cases[] = {
        {"B5", true, false, false},  {"R7", true, false, false},  {"BD", false, true, false},
        {"RR", false, true, false},  {"GS", false, true, false},  {"PT", false, true, false},
        {"LV", false, false, true},  {"LB", false, false, true},  {"LG", false, false, true},
        {"LK", false, false, true},  {"LP", false, false, true},  {"B*", false, false, false},
        {"  ", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const CardCode code(c.code);
        EXPECT_EQ(IsNumbered(code), c.numbered);
        EXPECT_EQ(IsEvil(code), c.evil);
        EXPECT_EQ(IsLight(code), c.light);
    }
}

TEST(CardText, FormatCardDescription)
{
    const struct {
        const char* code;
        const char* text;
    } cases[] = {
        {"RR", "Red Trial"},
        {"LP", "Card of Light Prayer"},
        {"P7", "Purple 7"},
        {"B5", "Blue 5"},
        {"G1", "Green 1"},
        {"GT", "Green Temptation"},
        {"BD", "Blue Devil"},
        {"PS", "Purple Sin"},
        {"LV", "Card of Light Vemo"},
        {"LB", "Card of Light Blessing"},
        {"LG", "Card of Light Grace"},
        {"LK", "Card of Light Ask"},
        {"B*", "Blue *"},
        {"X9", "Card of Light 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(FormatCardDescription(CardCode(c.code)), c.text);
    }
}

TEST(CardText, ColorName)
{
    const struct {
        char letter;
        const char* name;
    } cases[] = {
        {'B', "Blue"},        {'G', "Green"},       {'P', "Purple"},      {'R', "Red"},
        {'L', "Unspecified"}, {' ', "Unspecified"}, {'b', "Unspecified"}, {'*', "Unspecified"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.letter));
        EXPECT_EQ(ColorName(c.letter), c.name);
    }
}
