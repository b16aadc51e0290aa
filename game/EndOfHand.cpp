// Scoring a hand, announcing its winner and dealing the next one.

#include "GameEngine.h"
#include "ReportError.h"

namespace vemo {

Task<void> GameEngine::EndOfHand()
{
    try {
        const std::int16_t winnerBefore = state_.Scores[state_.HandWinner];
        if (state_.CurrCard == CardCode("LV")) state_.Scores[state_.HandWinner] -= 25;
        for (int seat = 1; seat <= 4; ++seat) state_.Scores[seat] += state_.Players(seat).ScoreHand();
        RefreshScores();

        std::array<std::int32_t, 4> totals{};
        for (int seat = 1; seat <= 4; ++seat) totals[static_cast<std::size_t>(seat - 1)] = state_.Scores[seat];
        state_.HandTotals.push_back(totals);
        view_.Announce({.Kind = GameEventKind::HandEnded,
                        .Seat = state_.HandWinner,
                        .Count = state_.Scores[state_.HandWinner] - winnerBefore,
                        .Totals = totals});

        for (int seat = 1; seat <= 4; ++seat) {
            if (state_.Scores[seat] >= state_.ScoreLimit) {
                state_.GameRequest = "END_GAME";
                co_return;
            }
        }

        // frmVemoGuy: both buttons take the end-of-hand snapshot.
        const std::string text = state_.Players(state_.HandWinner).Name() +
                                 " won that hand!  Click OK and I'll shuffle the cards for the next hand.";
        const std::string choice =
            co_await Pause([this, &text](PendingWait& w) { return view_.StartHandWinner(text, w); });
        SnapshotGameState("YES");
        state_.Tag = choice == "EXIT" ? "EXIT" : "";
        if (state_.Tag == "EXIT") {
            state_.GameRequest = "EXIT_GAME";
            co_return;
        }

        view_.ClearDiscardPile();
        RemovePhysicalAndVirtualCards();
        LoadVemoCardDeck(state_.Deck);
        ShuffleFullDeck(state_.Deck);

        state_.CurrDirection = 'R';
        view_.SetStatusText(StatusBar::Bottom, 3, "Clockwise");
        state_.SpecialAction = false;
        state_.PrayerCardPlayed = false;
        // Cards still owed when the hand ended (the human went out on a Grace or
        // Prayer answering an evil card) are not carried into the next hand.
        state_.HumanDrawCount = 0;

        state_.CurrDealer = static_cast<std::int16_t>(state_.CurrDealer % 4 + 1);
        state_.CurrTurn = state_.CurrDealer;
        NextTurn();

        // The menus and hint follow the new hand's first player too: left as
        // they were, the human could open a hand with Draw Card disabled.
        ShowTurn();
        view_.SetStatusText(StatusBar::Bottom, 2, state_.Players(state_.CurrDealer).Name() + " dealt");

        co_await DealTheCards();
        Announce({.Kind = GameEventKind::HandStarted, .Seat = state_.CurrDealer, .Card = state_.CurrCard});
        state_.GameSaved = false;
    } catch (const std::exception& fault) {
        ReportError("EndOfHand", FaultNumber(fault), fault.what());
    }
}

} // namespace vemo
