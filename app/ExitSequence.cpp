#include "ExitSequence.h"

#include "FinalResults.h"
#include "GameDatabase.h"
#include "History.h"
#include "ReportError.h"
#include "frmFinal.h"

namespace vemo {

ExitSequence::ExitSequence(GameDatabase& database, GameRecords& records, Hooks hooks)
    : database_(database), records_(records), hooks_(std::move(hooks))
{
}

void ExitSequence::CancelWait(PendingWait& wait)
{
    if (resultsWait_ == &wait) resultsWait_ = nullptr;
}

Task<void> ExitSequence::ExitAll(std::string mode)
{
    GameState& state = engine_->State();
    try {
        state.ExitInProgress = true;
        if (mode != "Start" && state.CardsHaveBeenPlayed) {
            // Whether the game was saved before this question: a game saved in
            // answer to it is in SavedGames and does not go into the history.
            const bool alreadySaved = state.GameSaved;
            bool savedNow = false;
            if (state.GameRequest != "END_GAME" && !alreadySaved) {
                // Named first: GCC 12 destroys a braced temporary in a co_await
                // argument a second time when the coroutine resumes.
                MessageBoxSpec question{"Save Game?",
                                        "This game has not been played to completion.\r\n\r\nWould you like to save it?",
                                        BoxButtons::YesNo, BoxIcon::Question, 1};
                const std::string answer = co_await engine_->ShowMessageBox(std::move(question));
                if (answer == "YES") {
                    co_await records_.SaveGame();
                    savedNow = true;
                } else {
                    SaveToHistory(database_, state);
                }
            }
            if (state.GameRequest == "END_GAME" || alreadySaved) SaveToHistory(database_, state);

            engine_->View().SetBusyPointer(false);
            if (hooks_.SoundOn && hooks_.SoundOn()) hooks_.PlayWav(13);
            const FinalResults results = ComputeFinalResults(state, savedNow);
            co_await ViewPause(engine_->Activities(), [this, &results, &state](PendingWait& wait) {
                resultsWait_ = &wait;
                wait.KeepPending(*this);
                auto* window = new frmFinal(hooks_.Table, results, [this, &state, &wait](bool playAgain) {
                    state.PlayAgainRequested = playAgain;
                    if (resultsWait_ == &wait) {
                        resultsWait_ = nullptr;
                        wait.Complete();
                    }
                });
                window->open();
                return false;
            });
            if (state.PlayAgainRequested) {
                state.ExitInProgress = false;
                co_await engine_->mnuFile_Click(1);
                co_return;
            }
        }
    } catch (const std::exception& fault) {
        ReportError("ExitAll", FaultNumber(fault), fault.what());
    }
    if (hooks_.CloseEverything) hooks_.CloseEverything();
}

} // namespace vemo
