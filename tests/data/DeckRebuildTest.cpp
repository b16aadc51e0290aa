// The deck of a resumed hand, without a database.

#include "DataTestSupport.h"

#include "DeckRebuild.h"
#include "RandomInteger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace vemo;
using namespace vemo::test;

namespace {

std::vector<CardCode> Cards(const std::string& text)
{
    std::vector<CardCode> cards;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) cards.emplace_back(std::string_view(text).substr(i, 2));
    return cards;
}

struct RebuildCase {
    const char* name;
    std::string inPlay;  // hands then the pile's card
    int deckPosition;    // expected
    int missingFromDeck; // cards neither in play nor in the deck
};

TEST(Data_DeckRebuild, CardsInPlayLeaveTheDeck)
{
    const RebuildCase cases[] = {
        {"7+5+6+4 and the pile", "B1B2G3LVRDP7P7" "G1G2G3G4G5" "R1R2R3R4LGLK" "B5B6BSPT" "P4", 24, 0},
        {"only the pile", "G5", 2, 0},
        {"both copies of a number", "B1B1B1", 4, 1},
        {"every Vemo card and one more", "LVLVLVLVLV", 6, 1},
        {"a colour and its star", "B*", 2, 1},
    };
    for (const auto& c : cases) {
        for (std::uint64_t seed : {1u, 2u, 99u}) {
            SeedRandom(seed);
            CardDeck deck;
            LoadVemoCardDeck(deck);
            ShuffleFullDeck(deck);
            const auto inPlay = Cards(c.inPlay);
            RebuildDeckWithoutCardsInPlay(deck, inPlay, inPlay.back());

            EXPECT_EQ(deck.DeckPosition, c.deckPosition) << c.name;
            for (int slot = 1; slot < deck.DeckPosition; ++slot) EXPECT_TRUE(deck(slot).IsBlank()) << c.name << slot;
            std::vector<CardCode> rest;
            for (int slot = deck.DeckPosition; slot <= kDeckSize; ++slot) {
                EXPECT_FALSE(deck(slot).IsBlank()) << c.name << " slot " << slot;
                EXPECT_NE(deck(slot), CardCode("XX")) << c.name;
                rest.push_back(deck(slot));
            }
            // The deck and the cards in play make up the catalogue, less what
            // was in play more often than the deck holds it.
            auto expected = Count();
            auto got = Count(rest);
            for (CardCode card : inPlay) ++got[card];
            int surplus = 0;
            int missing = 0;
            for (const auto& [card, n] : got) surplus += std::max(0, n - (expected.count(card) ? expected[card] : 0));
            for (const auto& [card, n] : expected) missing += std::max(0, n - (got.count(card) ? got[card] : 0));
            EXPECT_EQ(surplus, c.missingFromDeck) << c.name;
            EXPECT_EQ(missing, c.missingFromDeck) << c.name;
        }
    }
}

TEST(Data_DeckRebuild, EveryCardInPlayRefillsTheDeck)
{
    CardDeck deck;
    LoadVemoCardDeck(deck);
    std::vector<CardCode> all(deck.Deck.begin() + 1, deck.Deck.end());
    RebuildDeckWithoutCardsInPlay(deck, all, CardCode("B1"));
    EXPECT_GE(deck.DeckPosition, 1);
    EXPECT_LE(deck.DeckPosition, kDeckSize);
}

} // namespace
