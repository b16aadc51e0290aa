#pragma once
// The record of played games: the row written when a game is left, and the
// trimming of SavedGames and History at the start-ups that compact the file.

#include "DatabaseRows.h"
#include "GameDatabase.h"
#include "GameState.h"
#include "MaintenanceUi.h"

#include <QString>

#include <optional>

namespace vemo {

// Limits of the trimming step.
inline constexpr int kMaxSavedGames = 100;
inline constexpr int kKeptSavedGames = 75;
inline constexpr int kMaxHistoryRows = 300;
inline constexpr int kKeptHistoryRows = 200;

// The History row for the current game, the places in order of score; none
// when nobody has scored yet.
std::optional<HistoryRow> HistoryRowForGame(const GameState& state);

// Appends that row; faults are reported under "SaveToHistory".
void SaveToHistory(GameDatabase& database, const GameState& state);

// Opens the database at path on a connection of its own, offers to trim
// each table that has grown too long, and closes it again.
void CheckExcessHistoryAndSaved(const QString& databasePath, MaintenanceUi& ui);

} // namespace vemo
