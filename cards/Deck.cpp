#include "Deck.h"

#include "RandomInteger.h"
#include "ReportError.h"

#include <stdexcept>
#include <utility>

namespace vemo {
namespace {

constexpr std::array<CardCode, kDeckSize + 1> MakeCatalogue()
{
    std::array<CardCode, kDeckSize + 1> codes{};
    int position = 1;
    for (char colour : {'B', 'G', 'P', 'R'}) {
        for (char digit = '1'; digit <= '7'; ++digit) {
            codes[position++] = CardCode(colour, digit);
            codes[position++] = CardCode(colour, digit);
        }
        for (char evil : {'D', 'R', 'S', 'T'}) codes[position++] = CardCode(colour, evil);
    }
    for (char light : {'V', 'B', 'G', 'K', 'P'})
        for (int copy = 0; copy < 4; ++copy) codes[position++] = CardCode('L', light);
    return codes;
}

constexpr auto kCatalogue = MakeCatalogue();
static_assert(kCatalogue[15] == CardCode("BD") && kCatalogue[18] == CardCode("BT"));
static_assert(kCatalogue[73] == CardCode("LV") && kCatalogue[92] == CardCode("LP"));

void CheckPosition(int position)
{
    if (position < 1 || position > kDeckSize)
        throw std::out_of_range("Subscript out of range (deck position " + std::to_string(position) + ")");
}

} // namespace

CardCode& CardDeck::operator()(int position)
{
    CheckPosition(position);
    return Deck[static_cast<std::size_t>(position)];
}

const CardCode& CardDeck::operator()(int position) const
{
    CheckPosition(position);
    return Deck[static_cast<std::size_t>(position)];
}

void LoadVemoCardDeck(CardDeck& deck)
{
    Trapped("LoadVemoCardDeck", [&] { deck.Deck = kCatalogue; });
}

void ShuffleFullDeck(CardDeck& deck)
{
    Trapped("ShuffleFullDeck", [&] {
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 1; i <= kDeckSize; ++i) {
                const int j = RandomInteger(kDeckSize, 1);
                if (j != i) std::swap(deck(i), deck(j));
            }
        }
    });
}

void RebuildDeck(CardDeck& deck, CardCode currCard)
{
    LoadVemoCardDeck(deck);
    ShuffleFullDeck(deck);
    for (int k = 1; k <= kDeckSize; ++k) {
        if (deck(k) == currCard) {
            deck(k) = deck(1);
            deck(1) = BlankCard;
            break;
        }
    }
    deck.DeckPosition = 2;
}

} // namespace vemo
