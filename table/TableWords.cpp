#include "TableWords.h"

#include "CardText.h"
#include "GameState.h"

namespace vemo {

namespace {

std::string Cards(int count) { return std::to_string(count) + (count == 1 ? " card" : " cards"); }

} // namespace

std::string TableSummary(const GameState& state)
{
    const int players = state.Players.Count();
    if (players == 0) return "No game is in progress.";

    std::string text;
    // After a Card of Light the pile's code names only the colour; the card
    // really played is the one on top.
    const CardCode top = state.ActualCurrCard.IsBlank() ? state.CurrCard : state.ActualCurrCard;
    if (!top.IsBlank()) text += "Top card " + FormatCardDescription(top) + ". ";
    if (state.CurrColor != ' ') text += "Colour " + std::string(ColorName(state.CurrColor)) + ". ";
    if (state.CurrDirection == 'R') text += "Clockwise. ";
    else if (state.CurrDirection == 'L') text += "Counterclockwise. ";
    if (state.CurrTurn >= 1 && state.CurrTurn <= players) text += state.Players(state.CurrTurn).Name() + "'s turn. ";
    for (int seat = 1; seat <= players; ++seat) {
        const clsPlayer& player = state.Players(seat);
        text += player.Name() + " " + Cards(player.NumberOfCards()) + (seat == players ? "." : ", ");
    }
    return text;
}

std::string HandDescription(std::string_view name, int cards) { return std::string(name) + ": " + Cards(cards); }

std::string PileDescription(CardCode top)
{
    return "Discard pile: " + (top.IsBlank() ? std::string("empty") : FormatCardDescription(top));
}

} // namespace vemo
