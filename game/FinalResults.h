#pragma once
// The final results: the four players ordered by score, lowest (the winner)
// first, with the texts of the results window.

#include "GameState.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

struct FinalResults {
    std::array<std::string, 4> Names;
    std::array<std::int16_t, 4> Scores{};
    bool Tie = false;                 // the two lowest scores are equal
    std::string FrameCaption;         // frResults: the winner's name or the tie text
    std::string WinnerText;           // lblWinner
    std::array<std::string, 4> Lines; // lblResults(0..3): name + " = " + score
    // For the score chart, in seat order (seats 1..4 in index 0..3), not by score.
    std::array<std::string, 4> SeatNames;
    std::vector<std::array<std::int32_t, 4>> HandTotals;
    std::int16_t ScoreLimit = 0;
};

// saved: the game was just saved unfinished (the window's tag "SAVED").
FinalResults ComputeFinalResults(const GameState& state, bool saved);

// The order both the results window and the history use: a plain exchange
// sort by ascending score, so equal scores keep the order the exchanges leave.
template <typename Name>
void ExchangeSortByScore(std::array<Name, 4>& names, std::array<std::int16_t, 4>& scores)
{
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = i + 1; j < 4; ++j)
            if (scores[i] > scores[j]) {
                std::swap(scores[i], scores[j]);
                std::swap(names[i], names[j]);
            }
}

} // namespace vemo
