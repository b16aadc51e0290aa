// libFuzzer target: random saved-game records go through the check that
// refuses impossible records; every record it lets through must rebuild into
// a sound deck, the first thing a resume does with it. Run scripts/fuzz-resume.

#include "DeckRebuild.h"
#include "RandomInteger.h"
#include "SavedGameRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

using namespace vemo;

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::int64_t Number()
    {
        // Mostly small values, now and then the extremes a corrupt file may hold.
        switch (Byte() % 8) {
        case 0: return static_cast<std::int64_t>(Byte()) - 128;
        case 1: return kUnreadable;
        case 2: {
            std::int64_t wide = 0;
            for (int k = 0; k < 8; ++k) wide = (wide << 8) | Byte();
            return wide;
        }
        default: return Byte() % 8;
        }
    }
    std::string Text(bool cardLike)
    {
        static constexpr char kLetters[] = "BGPRL1234567DSTVKRX* \0";
        const std::size_t length = Byte() % (cardLike ? 40 : 6);
        std::string text;
        for (std::size_t k = 0; k < length; ++k) {
            const std::uint8_t b = Byte();
            text += cardLike && b < 224 ? kLetters[b % (sizeof kLetters - 1)] : static_cast<char>(b);
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void Check(bool condition)
{
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    SavedGameRecord record;
    for (int seat = 1; seat <= 4; ++seat) {
        SavedSeat& s = record.Seats[static_cast<std::size_t>(seat)];
        s.Name = in.Text(false);
        s.Score = in.Number();
        s.NbrCards = in.Byte() % 3 == 0 ? in.Number() : in.Byte() % 20;
        s.Cards = in.Text(true);
    }
    record.CurrTurn = in.Number();
    record.CurrDealer = in.Number();
    record.CurrDirection = in.Text(true).substr(0, in.Byte() % 3);
    record.CurrColor = in.Text(true).substr(0, in.Byte() % 3);
    record.CurrCard = in.Text(true).substr(0, in.Byte() % 4);
    record.ActualCurrCard = in.Text(true).substr(0, in.Byte() % 4);
    record.ScoreLimit = in.Number() * 50;
    if (!ImpossibleRecordReason(record).empty()) return 0;

    // Accepted: the resume's deck rebuild must leave a deck it can draw from.
    std::vector<CardCode> inPlay;
    for (int seat = 1; seat <= 4; ++seat)
        for (CardCode card : SavedHand(record.Seats[static_cast<std::size_t>(seat)])) inPlay.push_back(card);
    const CardCode top(record.CurrCard);
    const CardCode pileCard = IsDeckCard(top) ? top : CardCode(record.ActualCurrCard);
    inPlay.push_back(pileCard);

    SeedRandom(size);
    CardDeck deck;
    LoadVemoCardDeck(deck);
    ShuffleFullDeck(deck);
    RebuildDeckWithoutCardsInPlay(deck, inPlay, pileCard);

    Check(deck.DeckPosition >= 1 && deck.DeckPosition <= kDeckSize);
    std::map<CardCode, int> remaining;
    for (int k = 1; k <= kDeckSize; ++k) {
        if (k < deck.DeckPosition) Check(deck(k).IsBlank());
        else {
            Check(IsDeckCard(deck(k)));
            ++remaining[deck(k)];
        }
    }
    // With no card in play more often than the deck holds it, the deck and the
    // cards in play together are exactly the catalogue.
    std::map<CardCode, int> catalogue, held;
    CardDeck full;
    LoadVemoCardDeck(full);
    for (int k = 1; k <= kDeckSize; ++k) ++catalogue[full(k)];
    bool withinCatalogue = inPlay.size() <= static_cast<std::size_t>(kDeckSize) - 1;
    for (CardCode card : inPlay) withinCatalogue = withinCatalogue && ++held[card] <= catalogue[card];
    if (withinCatalogue)
        for (const auto& [card, count] : catalogue) Check(remaining[card] + held[card] == count);
    return 0;
}
