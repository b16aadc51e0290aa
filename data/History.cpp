#include "History.h"

#include "DatabaseFault.h"
#include "FinalResults.h"
#include "ReportError.h"

namespace vemo {

std::optional<HistoryRow> HistoryRowForGame(const GameState& state)
{
    std::array<std::string, 4> names;
    std::array<std::int16_t, 4> scores{};
    bool anyPoints = false;
    for (int seat = 1; seat <= 4; ++seat) {
        const auto i = static_cast<std::size_t>(seat - 1);
        scores[i] = state.Scores[static_cast<std::size_t>(seat)];
        anyPoints = anyPoints || scores[i] != 0;
    }
    if (!anyPoints) return std::nullopt;
    for (int seat = 1; seat <= 4; ++seat)
        names[static_cast<std::size_t>(seat - 1)] = (seat == 4 ? "**" : "") + state.Players(seat).Name();

    ExchangeSortByScore(names, scores);

    HistoryRow row;
    row.DatePlayed = CurrentTimestamp();
    row.Winner = names[0];
    row.WinnerScore = scores[0];
    row.SecondPlace = names[1];
    row.SecondScore = scores[1];
    row.ThirdPlace = names[2];
    row.ThirdScore = scores[2];
    row.FourthPlace = names[3];
    row.FourthScore = scores[3];
    row.GapBetweenWinnerLoser = static_cast<std::int16_t>(scores[3] - scores[0]);
    return row;
}

void SaveToHistory(GameDatabase& database, const GameState& state)
{
    Trapped("SaveToHistory", [&] {
        if (const auto row = HistoryRowForGame(state)) database.AppendHistory(*row);
    });
}

void CheckExcessHistoryAndSaved(const QString& databasePath, MaintenanceUi& ui)
{
    // Each step traps its own faults, so a failed count skips only its own question.
    GameDatabase database;
    const bool opened = Trapped("CheckExcessHistoryAndSaved", false, [&] {
        database.Open(databasePath);
        return true;
    });
    if (!opened) return;

    Trapped("CheckExcessHistoryAndSaved", [&] {
        if (database.CountSavedGames() > kMaxSavedGames) {
            const MessageBoxSpec box{"Too Many Saved",
                                     "There are more than 100 saved games.\r\n\r\n"
                                     "Do you want to eliminate the oldest saved games? (recommend Yes)",
                                     BoxButtons::YesNo, BoxIcon::Question, 1};
            if (ui.ShowMessageBox(box) == "YES") database.TrimSavedGames(kKeptSavedGames);
        }
    });

    Trapped("CheckExcessHistoryAndSaved", [&] {
        if (database.CountHistory() > kMaxHistoryRows) {
            const MessageBoxSpec box{"Too Much History",
                                     "There are more than 300 games in the history file.\r\n\r\n"
                                     "Do you want to eliminate the excess history records? (recommend Yes)",
                                     BoxButtons::YesNo, BoxIcon::Question, 1};
            if (ui.ShowMessageBox(box) == "YES") database.TrimHistory(kKeptHistoryRows);
        }
    });
    database.Close();
}

} // namespace vemo
