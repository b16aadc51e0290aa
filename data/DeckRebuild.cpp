#include "DeckRebuild.h"

#include <algorithm>

namespace vemo {

void RebuildDeckWithoutCardsInPlay(CardDeck& deck, const std::vector<CardCode>& inPlay, CardCode pileCard)
{
    const CardCode marker("XX");
    const int n = static_cast<int>(std::min<std::size_t>(inPlay.size(), kDeckSize));

    // Mark the first copy of each card in play (both copies of a number held twice).
    for (const CardCode card : inPlay) {
        for (int slot = 1; slot <= kDeckSize; ++slot) {
            if (deck(slot) == card) {
                deck(slot) = marker;
                break;
            }
        }
    }

    // Empty the first n slots, moving each card that is not in play into the
    // next marked slot above them.
    int k = n + 1;
    for (int i = 1; i <= n; ++i) {
        if (deck(i) != marker) {
            while (k <= kDeckSize && deck(k) != marker) ++k;
            if (k <= kDeckSize) deck(k++) = deck(i);
        }
        deck(i) = BlankCard;
    }
    deck.DeckPosition = static_cast<std::int16_t>(n + 1);
    if (deck.DeckPosition > kDeckSize) RebuildDeck(deck, pileCard);
}

} // namespace vemo
