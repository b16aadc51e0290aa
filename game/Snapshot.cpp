// The copy of the resumable state that a save writes. It is taken at fixed
// moments (the start of the human's turn, of a game, the end of a hand, after
// a resume) so that a save never records a computer player's move half-done.

#include "GameEngine.h"

namespace vemo {

void GameEngine::SnapshotGameState(std::string_view marker)
{
    GameSnapshot& snap = state_.Snapshot;
    snap.SavedAtEndOfHand = marker == "YES";
    for (int seat = 1; seat <= 4; ++seat) {
        snap.SnapScores[seat] = state_.Scores[seat];
        snap.SnapCardCounts[seat] = state_.Players(seat).NumberOfCards();
        snap.SnapHands[seat] = state_.Players(seat).GetAllCards();
    }
    snap.SnapCurrTurn = state_.CurrTurn;
    snap.SnapCurrColor = state_.CurrColor;
    snap.SnapCurrCard = state_.CurrCard;
    snap.SnapActualCurrCard = state_.ActualCurrCard;
    snap.SnapCurrDirection = state_.CurrDirection;
    snap.SnapCurrDealer = state_.CurrDealer;
    snap.SnapSpecialAction = state_.SpecialAction;
    snap.SnapPrayerCardPlayed = state_.PrayerCardPlayed;
}

} // namespace vemo
