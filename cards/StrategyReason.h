#pragma once
// Why a computer player chose a card, a draw or a colour, in words for the
// game log: the step of the strategy that chose, and what that step saw.

#include "CardCode.h"
#include "ExpertStrategy.h"
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
    ExpertMotive Motive = ExpertMotive::None; // the Expert's main reason
    std::int16_t Concerns = 0;             // the seat that reason is about
    std::int16_t Count = 0;                // cards that seat holds, or the points shed
};

// One line, the act first: "plays Blue Devil: the next player holds 2 cards".
std::string StrategyReason(const StrategyGrounds& grounds);
// The same for the Expert, naming the seat its reason is about ("keeps its
// Grace: Peggy has one card left"); an empty name reads as "a player".
std::string ExpertReason(const StrategyGrounds& grounds, const std::string& concernedName);

} // namespace vemo
