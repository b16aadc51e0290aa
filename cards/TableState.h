#pragma once
// The part of the shared game state that the card rules and the error log
// read. The game engine's state extends it; seats count from 1 as at the table.

#include "CardCode.h"

#include <array>
#include <cstdint>

namespace vemo {

struct TableState {
    std::int16_t CurrTurn = 0;        // seat on turn, 1..4; 4 is the human
    char CurrColor = ' ';             // colour letter in force ("L" until a colour is chosen)
    CardCode CurrCard;                // top of the pile; "B*" style after a Card of Light
    CardCode ActualCurrCard;          // the card really played last
    char CurrDirection = ' ';         // 'R' clockwise, 'L' counter-clockwise; blank before a game
    bool VemoAfterPrayer = false;     // a Vemo may be played on the Prayer just laid
    bool SpecialAction = false;       // the pile still demands something of the next player
    std::array<std::int16_t, 5> Scores{}; // index 1..4; element 0 unused
};

} // namespace vemo
