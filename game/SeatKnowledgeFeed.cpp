// What a seat can know, built from the state and the table's public record;
// the record is kept from the events the table is told about.

#include "ExpertStrategy.h"
#include "GameEngine.h"

namespace vemo {

void GameEngine::Announce(const GameEvent& e)
{
    switch (e.Kind) {
    case GameEventKind::GameStarted:
    case GameEventKind::GameResumed:
        record_ = TableRecord{};
        break;
    case GameEventKind::HandStarted:
        record_.NewHand(e.Card);
        break;
    case GameEventKind::CardPlayed:
        record_.Played(e.Seat, e.Card);
        break;
    case GameEventKind::ColourChosen:
        record_.Named(e.Seat, e.Colour);
        break;
    case GameEventKind::CardsDrawn:
        // A single card drawn because the strategy found nothing to play; the card itself stays hidden.
        record_.Drew(e.Seat, state_.CurrColor, e.Count == 1 && e.Grounds.Answer == kNoCardToPlay);
        break;
    case GameEventKind::AskMade:
        record_.Asked(e.OtherSeat, e.Card.Value(), e.Count > 0);
        break;
    default:
        break;
    }
    view_.Announce(e);
}

SeatKnowledge GameEngine::KnowledgeOf(int seat, bool hasDrawn) const
{
    SeatKnowledge k;
    k.Seat = seat;
    k.Hand = state_.Players(seat).Hand();
    for (int s = 1; s <= 4 && s <= state_.Players.Count(); ++s)
        k.Holding[static_cast<std::size_t>(s)] = state_.Players(s).NumberOfCards();
    for (int s = 1; s <= 4; ++s) k.Scores[static_cast<std::size_t>(s)] = state_.Scores[s];
    k.ScoreLimit = state_.ScoreLimit;
    k.Direction = state_.CurrDirection == 'L' ? 'L' : 'R';
    k.Pile = state_.CurrCard;
    k.ActualPile = state_.ActualCurrCard;
    k.Colour = state_.CurrColor;
    k.SpecialAction = state_.SpecialAction;
    k.HasDrawn = hasDrawn;
    k.DeckLeft = kDeckSize + 1 - state_.Deck.DeckPosition;
    k.Record = record_;
    return k;
}

std::array<std::string_view, 4> GameEngine::AskingOrderOf(int asker) const
{
    std::array<std::string_view, 4> order{kAskingOrder[0], kAskingOrder[1], kAskingOrder[2], kAskingOrder[3]};
    if (state_.Players(asker).PlayingStyle() != kExpertStyle || state_.Players(asker).Human()) return order;
    const std::array<char, 4> letters = ExpertAskingOrder(KnowledgeOf(asker));
    for (std::size_t k = 0; k < 4; ++k)
        for (std::string_view entry : kAskingOrder)
            if (entry.front() == letters[k]) order[k] = entry;
    return order;
}

} // namespace vemo
