#pragma once
// The table in words, for screen readers and the table summary: plain
// functions over the game state, so the sentences can be checked without a
// window. Card and colour names come from the card description tables.

#include "CardCode.h"

#include <string>
#include <string_view>

namespace vemo {

struct GameState;

// "Top card Blue 5. Colour Blue. Clockwise. Ann's turn. Adam 4 cards, Ruth 7
// cards, Ben 2 cards, Ann 6 cards." What the state does not know yet is
// left out; before the players are seated: "No game is in progress."
std::string TableSummary(const GameState& state);

// A hand as a whole: "Adam: 7 cards", "Ben: 1 card".
std::string HandDescription(std::string_view name, int cards);

// "Discard pile: Blue 5"; a blank card gives "Discard pile: empty".
std::string PileDescription(CardCode top);

} // namespace vemo
