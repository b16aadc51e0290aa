// The deck of a resumed hand, without a database.

#include "DataTestSupport.h"

#include "DeckRebuild.h"
#include "RandomInteger.h"

using namespace vemo;
using namespace vemo::test;

namespace {

struct RebuildCase {
    const char* name;
    std::string inPlay;  // hands then the pile's card
    int deckPosition;    // expected
    int missingFromDeck; // cards neither in play nor in the deck
};

TEST(Data_DeckRebuild, CardsInPlayLeaveTheDeck)
{
    CardDeck full;
    LoadVemoCardDeck(full);
    const RebuildCase cases[] = {
        {"7+5+6+4 and the pile", "B1B2G3LVRDP7P7" "G1G2G3G4G5" "R1R2R3R4LGLK" "B5B6BSPT" "P4", 24, 0},
        {"only the pile", "G5", 2, 0},
        {"both copies of a number", "B1B1B1", 4, 1},
        {"every Vemo card and one more", "LVLVLVLVLV", 6, 1},
        {"a colour and its star", "B*", 2, 1},
        {"every card", std::string(), -1, 0},
    };
    for (const auto& c : cases) {
        std::vector<CardCode> inPlay;
        for (std::size_t i = 0; i + 1 < c.inPlay.size(); i += 2) inPlay.emplace_back(std::string_view(c.inPlay).substr(i, 2));
        if (c.inPlay.empty()) inPlay.assign(full.Deck.begin() + 1, full.Deck.end());
        for (std::uint64_t seed : {1u, 2u, 99u}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(seed));
            SeedRandom(seed);
            CardDeck deck = full;
            ShuffleFullDeck(deck);
            RebuildDeckWithoutCardsInPlay(deck, inPlay, inPlay.back());
            if (c.deckPosition < 0) { // a deck with nothing left still has a position to draw from
                EXPECT_GE(deck.DeckPosition, 1);
                EXPECT_LE(deck.DeckPosition, kDeckSize);
                continue;
            }
            EXPECT_EQ(deck.DeckPosition, c.deckPosition);
            for (int slot = 1; slot < deck.DeckPosition; ++slot) EXPECT_TRUE(deck(slot).IsBlank()) << slot;
            std::vector<CardCode> rest(deck.Deck.begin() + deck.DeckPosition, deck.Deck.end());
            for (CardCode card : rest) EXPECT_TRUE(!card.IsBlank() && card != CardCode("XX")) << card.ToString();
            // The deck and the cards in play make up the catalogue, less what
            // was in play more often than the deck holds it.
            auto expected = Count();
            auto got = Count(rest);
            for (CardCode card : inPlay) ++got[card];
            int surplus = 0, missing = 0;
            for (const auto& [card, n] : got) surplus += std::max(0, n - expected[card]);
            for (const auto& [card, n] : expected) missing += std::max(0, n - got[card]);
            EXPECT_EQ(surplus, c.missingFromDeck);
            EXPECT_EQ(missing, c.missingFromDeck);
        }
    }
    UnseedRandom();
}

} // namespace
