#pragma once
// What happens at the table, told to the view as it happens: plays, draws,
// colour choices, reversals, skips, Asks, "Vemo!", penalties, and where games
// and hands begin and end. An event is plain data, so telling a view that
// ignores it costs next to nothing; DescribeEvent puts it into words only for
// a view that wants them (the game log, screen-reader announcements).

#include "CardCode.h"
#include "StrategyReason.h"

#include <array>
#include <cstdint>
#include <string>

namespace vemo {

struct GameState;

enum class GameEventKind : std::uint8_t {
    GameStarted,       // a new game; Count is the point limit. A log starts afresh.
    GameResumed,       // a saved game goes on; Totals are its scores. A log starts afresh.
    HandStarted,       // Seat dealt; Card is the first card on the pile
    TurnStarted,       // Seat is on turn
    CardPlayed,        // Seat played Card
    CardsDrawn,        // Seat drew Count cards, the last of them Card
    ColourChosen,      // Seat chose Colour after a Card of Light
    DirectionReversed, // play now runs Direction: 'R' clockwise, 'L' counterclockwise
    PlayerSkipped,     // Seat loses the coming turn
    AskMade,           // Seat asked OtherSeat for the Card of Light Card; Count 1 when it came across
    VemoSaid,          // Seat called "Vemo!"
    Penalty,           // Seat pays for Cause (OtherSeat and Card: the Ask answered falsely)
    HandEnded,         // Seat won the hand, its own points Count; Totals are the scores after it
};

enum class PenaltyCause : std::uint8_t {
    None,
    VemoTooLate,  // out of cards without saying Vemo in time: one card
    FalseAnswer,  // a false answer to an Ask: the question comes again
    EvilCardLast, // a hand cannot end on an evil card: one card
    AskCardLast,  // a hand cannot end on an Ask card: one card
};

struct GameEvent {
    GameEventKind Kind = GameEventKind::TurnStarted;
    int Seat = 0; // 1..4
    int OtherSeat = 0;
    CardCode Card{};
    char Colour = ' ';
    char Direction = ' ';
    int Count = 0;
    PenaltyCause Cause = PenaltyCause::None;
    StrategyGrounds Grounds{};            // a computer player's choice; Step None otherwise
    std::array<std::int32_t, 4> Totals{}; // seats 1..4 in index 0..3
};

struct GameEventWords {
    std::string Text;   // one complete sentence, naming the players
    std::string Reason; // why a computer player chose so; empty when no strategy chose
};

// The words of every event, in one place. The state supplies the names.
GameEventWords DescribeEvent(const GameEvent& event, const GameState& state);

} // namespace vemo
