#include "FinalResults.h"

namespace vemo {

FinalResults ComputeFinalResults(const GameState& state, bool saved)
{
    FinalResults results;
    for (int seat = 1; seat <= 4; ++seat) {
        results.Names[static_cast<std::size_t>(seat - 1)] = state.Players(seat).Name();
        results.Scores[static_cast<std::size_t>(seat - 1)] = state.Scores[seat];
    }
    ExchangeSortByScore(results.Names, results.Scores);

    results.Tie = results.Scores[0] == results.Scores[1];
    if (results.Tie) {
        results.FrameCaption = "We have a tie!";
        results.WinnerText = "Multiple Winners";
    } else {
        results.FrameCaption = results.Names[0];
        results.WinnerText = "is the winner!";
    }
    // Shown on activation when the game was saved unfinished.
    if (saved) {
        if (results.Tie) {
            results.FrameCaption = "Currently we";
            results.WinnerText = "have a tie!";
        } else {
            results.WinnerText = "is currently winning!";
        }
    }
    for (std::size_t k = 0; k < 4; ++k)
        results.Lines[k] = results.Names[k] + " = " + std::to_string(results.Scores[k]);
    for (int seat = 1; seat <= 4; ++seat)
        results.SeatNames[static_cast<std::size_t>(seat - 1)] = state.Players(seat).Name();
    results.HandTotals = state.HandTotals;
    results.ScoreLimit = state.ScoreLimit;
    return results;
}

} // namespace vemo
