#pragma once
// The game itself: the main loop, dealing, playing cards and their effects,
// the computer's and the human's turns, the Ask and colour choices, the end
// of a hand. Procedures that pause are coroutines (Task); input handlers are
// started as activities of the scheduler, so that they run inside the pause
// during which they arrive, as nested event handling would run them.

#include "GameServices.h"
#include "GameState.h"
#include "HandDisplayRelay.h"
#include "Scheduler.h"
#include "SeatKnowledge.h"
#include "TableView.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vemo {

// The human's new-game choices from the setup dialog.
struct GameSetupChoice {
    std::string HumanName;
    struct Opponent {
        std::string PlayerName;
        std::int16_t PlayingStyle = 1;
        std::int16_t WAVnumber = 1;
    };
    std::array<Opponent, 3> Opponents; // seats 1..3
    std::int16_t ScoreLimit = 100;
};

// A rectangle in twips, for the drop test of drag and drop.
struct TwipsRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Touching edges count as overlap.
bool CardOverlapsPile(const TwipsRect& card, const TwipsRect& pile);

class GameEngine {
public:
    GameEngine(TableView& view, GameRecords& records, GameShell& shell);
    GameEngine(const GameEngine&) = delete;
    GameEngine& operator=(const GameEngine&) = delete;
    ~GameEngine();

    GameState& State() { return state_; }
    const GameState& State() const { return state_; }
    Scheduler& Activities() { return scheduler_; }
    // The display every player object is attached to.
    HandDisplay& Hands() { return hands_; }

    // Runs task as an activity (an input handler or a timer).
    void Start(Task<void> task) { scheduler_.Start(std::move(task)); }

    // --- Main loop (the table window's game-flow events) ---
    Task<void> Form_Activate();
    void tmrStartPlay_Timer();
    Task<void> MainGameLoop();
    void NextTurn();
    void ReverseDirection();
    Task<void> mnuFile_Click(int index);
    // True when the window may close now; otherwise the game is asked to end.
    bool Form_QueryUnload();

    // --- Waiting ---
    Task<void> WaitSeconds(float seconds);
    Task<void> WaitMilliseconds(std::int32_t milliseconds);

    // --- Starting a game and dealing ---
    Task<void> StartNewGame();
    Task<void> DealTheCards();
    // frmGameSetup's SetParametersForThisGame once the opponents are looked up.
    Task<bool> SetParametersForThisGame(const GameSetupChoice& choice);

    // --- Playing a card ---
    // grounds: why a computer player chose the card, for the game log.
    Task<void> PlayCard(CardCode card, StrategyGrounds grounds = {});
    Task<void> PlayVemoCard(int seat);
    Task<void> ProcessHumanSayVemo();
    void cmdHumanVemo_Click();

    // --- The computer's turn ---
    Task<void> ComputerPlayersTurn(int seat);
    // grounds: why a computer player draws rather than plays, for the game log.
    Task<CardCode> DrawCard(int count, StrategyGrounds grounds = {});
    Task<void> AskForCOLComputerPlayer();
    Task<void> MoveCardBetweenHands(int fromSeat, int toSeat, CardCode card);

    // --- End of hand ---
    Task<void> EndOfHand();

    // --- The human's turn and its input ---
    Task<void> HumanPlayersTurn();
    Task<void> imgDeck_DblClick();
    Task<void> cPlayer4Card_DblClick(int index);
    // Whether a press on hand card index may start a drag.
    bool cPlayer4Card_MouseDown(int index);
    // The first movement of a drag: false when the card may not move.
    bool DragMayMove(int index);
    // The drop: plays the card when it overlaps the pile.
    Task<void> cPlayer4Card_MouseUp(int index, const TwipsRect& card, const TwipsRect& pile);
    void lblPlayer_Click(int index);
    void lblClick_Click() { lblPlayer_Click(4); }

    // --- Ask and colour windows ---
    Task<void> cmdCOL_Click(int index);
    Task<void> AskForCOLHumanPlayer(int index);
    void cmdColor_Click(int index);

    // --- What a seat can know: the Expert decides from this alone ---
    SeatKnowledge KnowledgeOf(int seat, bool hasDrawn = false) const;

    // --- Saving ---
    void SnapshotGameState(std::string_view marker = "NO");

    // --- For the layers above: the view's dialogs and the pile ---
    TableView& View() { return view_; }
    Task<std::string> ShowMessageBox(MessageBoxSpec box);
    Task<void> PlaceCardOnDiscardPile(CardCode card, std::string_view mode);

    // --- Table displays the rules keep up to date ---
    void ShowCurrentColor();
    void RefreshScores();
    void RemovePhysicalAndVirtualCards();
    void ClearAllHighlights();
    // The hint, the menu items and the turn text for the seat on turn.
    void ShowTurn();

private:
    template <typename StartFn>
    ViewPause<StartFn> Pause(StartFn start) { return ViewPause<StartFn>(scheduler_, std::move(start)); }

    Task<void> ShowColorChoice();
    Task<std::string> AskQuestion(std::string text, QuestionButtons buttons = QuestionButtons::YesNo);
    Task<void> ShowVemoCallout();
    Task<void> AskForTheseCards(int asker, int asked);
    void AnnounceAsk(int asker, int asked, char letter, bool gotIt);
    Task<void> ComputerTurnBody(int seat);
    Task<void> HumanTurnBody();
    void ShowTrialNotice();
    int SeatAfter(int seat) const;
    // Tells the view and keeps the table's public record.
    void Announce(const GameEvent& event);
    // The Cards of Light the asker asks for, in order (kAskingOrder's entries).
    std::array<std::string_view, 4> AskingOrderOf(int asker) const;

    GameState state_;
    std::string lastAskMessage_; // lblMsg of the Ask window, appended to on the fourth miss
    TableView& view_;
    HandDisplayRelay hands_{state_, view_};
    TableRecord record_; // what every seat has seen this hand
    GameRecords& records_;
    GameShell& shell_;
    Scheduler scheduler_;
};

} // namespace vemo
