#pragma once
// The shared state of one game and one hand, in one object, under the names
// the rest of the program uses. Seats count from 1 (index 0 of the per-seat
// arrays is unused) and seat 4 is the human.

#include "CardCode.h"
#include "Deck.h"
#include "PlayerCollection.h"
#include "TableState.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

// The copy of the resumable state that a save writes.
struct GameSnapshot {
    std::array<std::int16_t, 5> SnapScores{};
    std::array<std::int16_t, 5> SnapCardCounts{};
    std::array<std::string, 5> SnapHands{};
    std::int16_t SnapCurrTurn = 0;
    char SnapCurrColor = ' ';
    CardCode SnapCurrCard;
    CardCode SnapActualCurrCard;
    char SnapCurrDirection = ' ';
    std::int16_t SnapCurrDealer = 0;
    bool SnapSpecialAction = false;
    bool SnapPrayerCardPlayed = false;
    bool SavedAtEndOfHand = false;
};

// The Ask window's members, reset each time it opens.
struct AskWindowState {
    std::int16_t AskedPlayer = 0;
    std::int16_t AskCount = 0;
    bool GotCard = false;
    bool Checking = false;
    bool Open = false;
};

struct GameState : TableState {
    // Inherited: CurrTurn, CurrColor, CurrCard, ActualCurrCard, CurrDirection,
    // VemoAfterPrayer, SpecialAction, Scores.
    std::int16_t CurrDealer = 0;
    CardCode LastPlayedCard;
    CardCode PrevCurrCard;
    CardCode HumanLastCard;
    bool PrayerCardPlayed = false;
    bool HandOver = false;
    std::int16_t HandWinner = 0;
    std::int16_t ScoreLimit = 100;
    std::int16_t HumanDrawCount = 0;
    std::int16_t VemoSavedTurn = 0;
    std::int16_t AnimationOption = 0;
    std::string GameRequest;
    bool MainLoopRunning = false;
    bool WaitingForHuman = false;
    bool PlayInProgress = false;
    bool HumanTurnDone = false;
    bool CardsHaveBeenPlayed = false;
    bool GameSaved = false;
    bool PlayAgainRequested = false;
    bool ResumeInProgress = false;
    bool ExitInProgress = false;
    std::string HumanPlayerName;

    PlayerCollection Players;
    CardDeck Deck;

    // Members of the table window that belong to the rules.
    std::array<bool, 5> VemoHolders{};
    bool HumanPlayedCard = false;
    bool VemoBonusCard = false;
    bool SayVemoClicked = false;
    bool HumanMustDraw = false;
    bool DeckDrawBusy = false;
    bool ForcedDrawStarted = false;
    bool Resizing = false;
    bool FirstActivationPending = true;
    std::int16_t PlayingCardIndex = 0;
    // The card codes of the human's face-up row, cPlayer4Card(1..n). Sorting
    // reorders the faces but not the hand, so the two orders may differ.
    std::vector<CardCode> HumanFaces;
    // The main window's tag: "START", "EXIT", "YES", "NO", a seat or a saved game's number.
    std::string Tag;
    // The message window's own tag ("WAIT" while the Trial notice is up).
    std::string DialogTag;

    AskWindowState AskWindow;
    GameSnapshot Snapshot;

    // Each seat's total after every finished hand of this game (seats 1..4 in
    // index 0..3), for the score chart. A resumed game starts from its saved totals.
    std::vector<std::array<std::int32_t, 4>> HandTotals;
};

} // namespace vemo
