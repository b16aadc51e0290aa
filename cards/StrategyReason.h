#pragma once
// Why a computer player chose a card, a draw or a colour, in words for the
// game log: the step of the strategy that chose, and what that step saw.

#include "CardCode.h"
#include "clsPlayer.h"

#include <array>
#include <cstdint>
#include <string>

namespace vemo {

struct StrategyGrounds {
    StrategyStep Step = StrategyStep::None;
    CardCode Answer{};                     // the card chosen; "**" to draw
    char Colour = ' ';                     // the colour chosen after a Card of Light
    CardCode Pile{};                       // the top of the pile when choosing ("B*" after a colour choice)
    std::array<std::int16_t, 3> Holding{}; // cards held by the next three players in the direction of play
    std::int16_t Style = 0;                // the chooser's playing style
};

// One line, the act first: "plays Blue Devil: the next player holds 2 cards".
std::string StrategyReason(const StrategyGrounds& grounds);

} // namespace vemo
