#include "SavedGameRecord.h"

#include "Deck.h"

#include <algorithm>

namespace vemo {

namespace {

bool FitsInt16(std::int64_t value)
{
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

bool IsSeat(std::int64_t value) { return value >= 1 && value <= 4; }

bool IsOneOf(const std::string& text, std::initializer_list<const char*> allowed)
{
    return std::any_of(allowed.begin(), allowed.end(), [&](const char* a) { return text == a; });
}

const char* const kSeatField[5] = {"", "CompPlayer1", "CompPlayer2", "CompPlayer3", "Player4"};

} // namespace

bool IsDeckCard(CardCode card)
{
    static const CardDeck catalogue = [] {
        CardDeck deck;
        LoadVemoCardDeck(deck);
        return deck;
    }();
    return std::find(catalogue.Deck.begin() + 1, catalogue.Deck.end(), card) != catalogue.Deck.end();
}

std::vector<CardCode> SavedHand(const SavedSeat& seat)
{
    std::vector<CardCode> cards;
    if (seat.NbrCards <= 0) return cards;
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(seat.NbrCards), seat.Cards.size() / 2);
    cards.reserve(count);
    for (std::size_t k = 0; k < count; ++k) cards.emplace_back(std::string_view(seat.Cards).substr(2 * k, 2));
    return cards;
}

std::string ImpossibleRecordReason(const SavedGameRecord& record)
{
    for (int seat = 1; seat <= 4; ++seat) {
        const SavedSeat& s = record.Seats[static_cast<std::size_t>(seat)];
        const std::string field = kSeatField[seat];
        if (!FitsInt16(s.Score)) return field + ": score out of range";
        if (s.NbrCards < 0 || s.NbrCards > kDeckSize) return field + ": impossible number of cards";
        if (s.Cards.size() < 2 * static_cast<std::size_t>(s.NbrCards))
            return field + ": hand text shorter than twice its count";
        for (CardCode card : SavedHand(s))
            if (!IsDeckCard(card)) return field + ": unknown card code \"" + card.ToString() + "\"";
    }
    if (!IsSeat(record.CurrTurn)) return "CurrTurn outside 1 to 4";
    if (!IsSeat(record.CurrDealer)) return "CurrDealer outside 1 to 4";
    if (!IsOneOf(record.CurrDirection, {"R", "L"})) return "CurrDirection is neither R nor L";
    if (!IsOneOf(record.CurrColor, {"B", "G", "P", "R"})) return "CurrColor is not a colour letter";
    // After a Card of Light the pile's top reads as the chosen colour and "*".
    const CardCode curr(record.CurrCard);
    const bool neutral = curr.Value() == '*' && IsColourLetter(curr.Colour());
    if (record.CurrCard.size() != 2 || !(IsDeckCard(curr) || neutral)) return "CurrCard is not a card";
    if (record.ActualCurrCard.size() != 2 || !IsDeckCard(CardCode(record.ActualCurrCard)))
        return "ActualCurrCard is not a card";
    if (record.ScoreLimit <= 0 || !FitsInt16(record.ScoreLimit)) return "ScoreLimit out of range";
    return {};
}

} // namespace vemo
