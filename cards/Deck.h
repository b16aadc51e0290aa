#pragma once
// The deck: 92 card codes in positions 1..92 and the position of the next
// card to draw. A dealt or drawn position is blanked.

#include "CardCode.h"

#include <array>
#include <cstdint>

namespace vemo {

struct CardDeck {
    std::array<CardCode, kDeckSize + 1> Deck{}; // element 0 unused
    std::int16_t DeckPosition = 1;

    // Positions outside 1..92 are a fault (std::out_of_range).
    CardCode& operator()(int position);
    const CardCode& operator()(int position) const;
};

// Writes the catalogue into positions 1..92 in catalogue order; leaves DeckPosition alone.
void LoadVemoCardDeck(CardDeck& deck);
// Two passes of "exchange position i with RandomInteger(92, 1)", blank positions included.
void ShuffleFullDeck(CardDeck& deck);
// Refill after position 92 was drawn: a fresh shuffled deck of all 92 cards, the
// first copy of the pile's top card swapped out to position 1, drawing from 2.
void RebuildDeck(CardDeck& deck, CardCode currCard);

} // namespace vemo
