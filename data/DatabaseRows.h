#pragma once
// Rows of the game database as the program reads and writes them.

#include <cstdint>
#include <string>

namespace vemo {

// Verses: one per card value letter.
struct VerseRow {
    std::string CardCode;
    std::string Reference;
    std::string VerseAbbrev;
    std::string Verse;
};

// ComputerPlayers: an opponent that can be chosen.
struct ComputerPlayerRow {
    std::string PlayerName;
    std::int16_t PlayingStyle = 0;
    std::int16_t WAVnumber = 0;
};

// The resume list: one saved game as the dialog shows it.
struct SavedGameListRow {
    std::int32_t ID = 0;
    std::string DateSaved;
    std::string Player4;
    std::int64_t PlayerScore4 = 0;
    std::string CompPlayer1;
    std::int64_t CompPlayerScore1 = 0;
    std::string CompPlayer2;
    std::int64_t CompPlayerScore2 = 0;
    std::string CompPlayer3;
    std::int64_t CompPlayerScore3 = 0;
};

// History: one played game, places from the lowest score.
struct HistoryRow {
    std::int32_t ID = 0; // assigned by the database
    std::string DatePlayed;
    std::string Winner;
    std::int16_t WinnerScore = 0;
    std::string SecondPlace;
    std::int16_t SecondScore = 0;
    std::string ThirdPlace;
    std::int16_t ThirdScore = 0;
    std::string FourthPlace;
    std::int16_t FourthScore = 0;
    std::int16_t GapBetweenWinnerLoser = 0;
};

} // namespace vemo
