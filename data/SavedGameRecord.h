#pragma once
// One SavedGames row, and the test that it describes a game that could
// really have been played, before anything of it reaches the table.

#include "CardCode.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

// Numbers are kept as read, wide, so that a value no game could hold
// (out of range, empty, not a number) is seen by the check instead of
// being cut to size. kUnreadable stands for an empty or non-numeric field.
inline constexpr std::int64_t kUnreadable = std::numeric_limits<std::int64_t>::min();

struct SavedSeat {
    std::string Name;          // CompPlayer1..3, Player4
    std::int64_t Score = 0;    // CompPlayerScore1..3, PlayerScore4
    std::int64_t NbrCards = 0; // CompPlayerNbrCards1..3, PlayerNbrCards4
    std::string Cards;         // CompPlayerCards1..3, PlayerCards4
};

struct SavedGameRecord {
    std::int32_t ID = 0;
    std::string DateSaved;
    std::array<SavedSeat, 5> Seats{}; // seats 1..4; element 0 unused
    std::int64_t CurrTurn = 0;
    std::string CurrColor;
    std::string CurrCard;
    std::string ActualCurrCard;
    std::string CurrDirection;
    std::int64_t CurrDealer = 0;
    bool SoundOption = false;
    std::int64_t AnimationOption = 0;
    std::int64_t ScoreLimit = 0;
    bool SpecialAction = false;
    bool PrayerCardPlayed = false;
    bool EndOfHand = false;
};

// Why a record cannot be resumed; empty when it can.
std::string ImpossibleRecordReason(const SavedGameRecord& record);

// A card of the deck (as dealt, never blank or "B*"-style).
bool IsDeckCard(CardCode card);

// Seat's hand as the save wrote it: its first NbrCards codes, two characters each.
std::vector<CardCode> SavedHand(const SavedSeat& seat);

} // namespace vemo
