#pragma once
// The deck of a resumed hand: the cards still in play (the hands and the
// pile's top card) are taken out of a full shuffled deck.

#include "Deck.h"

#include <vector>

namespace vemo {

// deck holds a full shuffled deck. Afterwards positions 1..N are empty (already
// drawn), N+1..92 hold the cards not in play in their shuffled order, and
// DeckPosition is N + 1, N being the number of cards in play.
//
// A card in play more often than the deck holds it (possible after the deck was
// refilled mid-hand) takes nothing further out, and as many cards not in
// play drop out of the deck, which keeps N+1..92 free of gaps. With every
// card in play the deck is refilled as when the last card is drawn.
void RebuildDeckWithoutCardsInPlay(CardDeck& deck, const std::vector<CardCode>& inPlay, CardCode pileCard);

} // namespace vemo
