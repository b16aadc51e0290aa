// The main loop that hands the turn round the table, the start timer, the
// File menu's game-flow part and closing the window.

#include "GameEngine.h"
#include "ReportError.h"
#include "RandomInteger.h"

namespace vemo {

namespace {
constexpr std::string_view kExitingCaption = "Exiting - Waiting for current player to end turn";
constexpr std::string_view kDeckToolTip = "Double-click on deck to draw a card.";
} // namespace

bool CardOverlapsPile(const TwipsRect& card, const TwipsRect& pile)
{
    return card.Top <= pile.Top + pile.Height && card.Top >= pile.Top - card.Height &&
           card.Left <= pile.Left + pile.Width && card.Left >= pile.Left - card.Width;
}

GameEngine::GameEngine(TableView& view, GameRecords& records, GameShell& shell)
    : view_(view), records_(records), shell_(shell)
{
    SetErrorStateSource(&state_);
}

GameEngine::~GameEngine()
{
    scheduler_.AbandonAll();
    SetErrorStateSource(nullptr);
}

Task<void> GameEngine::Form_Activate()
{
    try {
        if (state_.FirstActivationPending) {
            state_.FirstActivationPending = false;
            co_await Pause([this](PendingWait& w) { return view_.StartGameSetup(w); });
            view_.SetBusyPointer(false);
        }
        if (state_.Tag == "START") {
            state_.Tag.clear();
            view_.ArmStartTimer();
        }
    } catch (const std::exception& fault) {
        ReportError("frmMain_Form_Activate", FaultNumber(fault), fault.what());
    }
}

void GameEngine::tmrStartPlay_Timer()
{
    state_.GameRequest.clear();
    Start(MainGameLoop());
}

void GameEngine::ShowTurn()
{
    view_.SetHumanTurnControls(state_.CurrTurn == 4);
    ClearAllHighlights();
    view_.SetPlayerHighlight(state_.CurrTurn, true);
    view_.SetStatusText(StatusBar::Bottom, 1, state_.Players(state_.CurrTurn).Name() + "'s Turn");
}

void GameEngine::ClearAllHighlights()
{
    for (int seat = 1; seat <= 4; ++seat) view_.SetPlayerHighlight(seat, false);
}

Task<void> GameEngine::MainGameLoop()
{
    try {
        state_.MainLoopRunning = true;
        view_.ShowMenus(true);

        auto allBelowLimit = [this] {
            for (int seat = 1; seat <= 4; ++seat)
                if (state_.Scores[seat] >= state_.ScoreLimit) return false;
            return true;
        };

        while (allBelowLimit() && state_.GameRequest.empty()) {
            if (state_.CurrTurn >= 1 && state_.CurrTurn <= 4)
                view_.Announce({.Kind = GameEventKind::TurnStarted, .Seat = state_.CurrTurn});
            if (state_.CurrTurn >= 1 && state_.CurrTurn <= 3) {
                state_.PrayerCardPlayed = false;
                co_await ComputerPlayersTurn(state_.CurrTurn);
            } else if (state_.CurrTurn == 4) {
                state_.HumanPlayedCard = false;
                state_.WaitingForHuman = true;
                co_await HumanPlayersTurn();
                state_.WaitingForHuman = false;
            }
            if (!state_.GameRequest.empty()) break;

            view_.SetPlayerHighlight(state_.CurrTurn, false);
            NextTurn();
            view_.SetHumanTurnControls(state_.CurrTurn == 4);
            view_.SetPlayerHighlight(state_.CurrTurn, true);
            view_.SetStatusText(StatusBar::Bottom, 1, state_.Players(state_.CurrTurn).Name() + "'s Turn");

            // Let pending window events run once.
            co_await WaitMilliseconds(0);
            if (!state_.GameRequest.empty()) break;

            if (state_.HandOver) {
                co_await EndOfHand();
                state_.HandOver = false;
            }
            if (!state_.GameRequest.empty()) break;

            if (state_.PrayerCardPlayed) {
                state_.HumanPlayedCard = false;
                state_.HumanTurnDone = false;
                state_.WaitingForHuman = true;
                int seat = 0;
                if (state_.VemoHolders[4]) {
                    seat = 4;
                } else {
                    seat = RandomInteger(4, 1);
                    for (int tries = 0; tries < 4 && !state_.VemoHolders[seat]; ++tries) seat = seat % 4 + 1;
                }
                co_await PlayVemoCard(seat);
                state_.WaitingForHuman = false;
                state_.SpecialAction = false;
                if (state_.HandOver) {
                    co_await EndOfHand();
                    state_.HandOver = false;
                }
            }
        }
        state_.MainLoopRunning = false;

        if (state_.GameRequest == "NEW_GAME") {
            state_.ResumeInProgress = false;
            co_await StartNewGame();
            co_await Form_Activate();
        } else if (state_.GameRequest == "RESUME_GAME") {
            state_.ResumeInProgress = true;
            co_await StartNewGame();
            state_.ResumeInProgress = false;
            state_.Tag.clear();
            // A game that could not be resumed leaves the table empty: play
            // starts again only with four players seated.
            if (state_.Players.Count() == 4) view_.ArmStartTimer();
        } else {
            co_await shell_.ExitAll("");
        }
    } catch (const std::exception& fault) {
        state_.MainLoopRunning = false;
        ReportError("MainGameLoop", FaultNumber(fault), fault.what());
    }
}

void GameEngine::NextTurn()
{
    if (state_.CurrDirection != 'L') {
        if (++state_.CurrTurn > 4) state_.CurrTurn = 1;
    } else {
        if (--state_.CurrTurn < 1) state_.CurrTurn = 4;
    }
    view_.SetDeckToolTip(state_.CurrTurn == 4 ? kDeckToolTip : "");
}

void GameEngine::ReverseDirection()
{
    if (state_.CurrDirection == 'L') {
        state_.CurrDirection = 'R';
        view_.SetStatusText(StatusBar::Bottom, 3, "Clockwise");
    } else {
        state_.CurrDirection = 'L';
        view_.SetStatusText(StatusBar::Bottom, 3, "Counter-Clockwise");
    }
    view_.Announce(
        {.Kind = GameEventKind::DirectionReversed, .Seat = state_.CurrTurn, .Direction = state_.CurrDirection});
}

int GameEngine::SeatAfter(int seat) const
{
    if (state_.CurrDirection == 'L') return seat - 1 < 1 ? 4 : seat - 1;
    return seat + 1 > 4 ? 1 : seat + 1;
}

Task<void> GameEngine::WaitSeconds(float seconds)
{
    const int ms = static_cast<int>(seconds * 1000.0f + 0.5f);
    co_await Pause([this, ms](PendingWait& w) { return view_.StartPause(ms, w); });
}

Task<void> GameEngine::WaitMilliseconds(std::int32_t milliseconds)
{
    co_await Pause([this, milliseconds](PendingWait& w) { return view_.StartPause(milliseconds, w); });
}

Task<void> GameEngine::mnuFile_Click(int index)
{
    try {
        view_.SetBusyPointer(true);
        if (index == 1 || index == 2) {
            if (!state_.FirstActivationPending && !state_.PlayAgainRequested && !state_.GameSaved) {
                MessageBoxSpec box{"Save Game?",
                                   "The current game has not yet been saved.  Would you like to save it now?",
                                   BoxButtons::YesNoCancel, BoxIcon::Question, 2};
                const std::string answer = co_await ShowMessageBox(box);
                if (answer == "YES") co_await records_.SaveGame();
                if (answer == "CANCEL" || answer.empty()) co_return; // the hourglass stays, as it always has
            }
            state_.PlayAgainRequested = false;
        }
        if (index == 1) {
            state_.GameRequest = "NEW_GAME";
            if (state_.MainLoopRunning) co_return;
            state_.ResumeInProgress = false;
            co_await StartNewGame();
            co_await Form_Activate();
        } else if (index == 2) {
            state_.GameRequest = "RESUME_GAME";
            if (state_.MainLoopRunning) co_return;
            state_.ResumeInProgress = true;
            co_await StartNewGame();
            state_.ResumeInProgress = false;
            co_await Form_Activate();
            // A resumed game leaves its number in the tag, not "START".
            if (!state_.Tag.empty()) {
                state_.Tag.clear();
                if (state_.Players.Count() == 4) view_.ArmStartTimer();
            }
        } else if (index == 3) {
            co_await records_.SaveGame();
        } else {
            view_.SetCaption(kExitingCaption);
            state_.GameRequest = "EXIT_GAME";
        }
        view_.SetBusyPointer(false);
    } catch (const std::exception& fault) {
        ReportError("frmMain_mnuFile_Click", FaultNumber(fault), fault.what());
    }
}

bool GameEngine::Form_QueryUnload()
{
    if (state_.ExitInProgress) return true;
    view_.SetCaption(kExitingCaption);
    state_.GameRequest = "EXIT_GAME";
    return false;
}

} // namespace vemo
