#include "GameEvent.h"

#include "CardText.h"
#include "GameState.h"

namespace vemo {

namespace {

std::string NameOf(const GameState& state, int seat)
{
    if (seat < 1 || seat > state.Players.Count()) return "A player";
    return state.Players(seat).Name();
}

// "Abel 10, Bea 20, Cid 0 and Dora 5"
std::string ScoreList(const GameState& state, const std::array<std::int32_t, 4>& totals)
{
    std::string text;
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat == 4) text += " and ";
        else if (seat > 1) text += ", ";
        text += NameOf(state, seat) + " " + std::to_string(totals[static_cast<std::size_t>(seat - 1)]);
    }
    return text;
}

// "Grace", "Blessing", "Prayer", "Vemo": the words the Ask uses, without their article.
std::string AskedKind(CardCode card)
{
    for (std::string_view entry : kAskingOrder)
        if (entry.front() == card.Value()) return std::string(entry.substr(entry.find(' ') + 1));
    return FormatCardDescription(card);
}

std::string PenaltyText(const GameEvent& e, const std::string& name, const GameState& state)
{
    switch (e.Cause) {
    case PenaltyCause::VemoTooLate:
        return name + " did not say Vemo in time and must draw a card.";
    case PenaltyCause::FalseAnswer:
        return name + " answered " + NameOf(state, e.OtherSeat) + " falsely about a " + AskedKind(e.Card) +
               " card and is asked again.";
    case PenaltyCause::EvilCardLast:
        return name + " cannot end the hand on an evil card and must draw a card.";
    case PenaltyCause::AskCardLast:
        return name + " cannot end the hand on an Ask card and must draw a card.";
    case PenaltyCause::None:
        break;
    }
    return name + " pays a penalty.";
}

std::string EventText(const GameEvent& e, const GameState& state)
{
    const std::string name = NameOf(state, e.Seat);
    switch (e.Kind) {
    case GameEventKind::GameStarted:
        return "A new game begins: " + NameOf(state, 1) + ", " + NameOf(state, 2) + ", " + NameOf(state, 3) +
               " and " + NameOf(state, 4) + " play to " + std::to_string(e.Count) + " points.";
    case GameEventKind::GameResumed:
        return "A saved game resumes. The scores: " + ScoreList(state, e.Totals) + ".";
    case GameEventKind::HandStarted:
        return name + " deals. The first card on the pile is " + FormatCardDescription(e.Card) + ".";
    case GameEventKind::TurnStarted:
        return "It is " + name + "'s turn.";
    case GameEventKind::CardPlayed:
        return name + " plays " + FormatCardDescription(e.Card) + ".";
    case GameEventKind::CardsDrawn: {
        // Only the human's own cards are shown face up.
        const bool ownCard = e.Seat >= 1 && e.Seat <= state.Players.Count() && state.Players(e.Seat).Human();
        if (e.Count == 1 && ownCard && !e.Card.IsBlank()) return name + " draws " + FormatCardDescription(e.Card) + ".";
        if (e.Count == 1) return name + " draws a card.";
        return name + " draws " + std::to_string(e.Count) + " cards.";
    }
    case GameEventKind::ColourChosen:
        return name + " chooses " + std::string(ColorName(e.Colour)) + ".";
    case GameEventKind::DirectionReversed:
        return std::string("The direction reverses: ") + (e.Direction == 'L' ? "counterclockwise." : "clockwise.");
    case GameEventKind::PlayerSkipped:
        return name + " is skipped.";
    case GameEventKind::AskMade: {
        const std::string asked = NameOf(state, e.OtherSeat);
        const std::string question = name + " asks " + asked + " for a " + AskedKind(e.Card) + " card. ";
        return question + (e.Count > 0 ? asked + " hands one over." : asked + " has none.");
    }
    case GameEventKind::VemoSaid:
        return name + " says Vemo!";
    case GameEventKind::Penalty:
        return PenaltyText(e, name, state);
    case GameEventKind::HandEnded: {
        std::string text = name + " wins the hand.";
        if (e.Count < 0) text += " Going out on a Vemo takes " + std::to_string(-e.Count) + " points off.";
        return text + " The scores: " + ScoreList(state, e.Totals) + ".";
    }
    }
    return {};
}

} // namespace

GameEventWords DescribeEvent(const GameEvent& event, const GameState& state)
{
    GameEventWords words;
    words.Text = EventText(event, state);
    if (event.Grounds.Step == StrategyStep::Expert)
        words.Reason = ExpertReason(event.Grounds, event.Grounds.Concerns > 0 ? NameOf(state, event.Grounds.Concerns) : "");
    else if (event.Grounds.Step != StrategyStep::None)
        words.Reason = StrategyReason(event.Grounds);
    return words;
}

} // namespace vemo
