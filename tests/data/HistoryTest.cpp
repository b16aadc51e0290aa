// The history row of a game and the trimming of both tables.

#include "DataTestSupport.h"

#include "History.h"


using namespace vemo;
using namespace vemo::test;

namespace {

// places: winner first; none when no row is written.
struct HistoryCase { const char* name; std::array<std::int16_t, 5> scores; std::array<std::string, 4> places;
                     std::array<std::int16_t, 4> placeScores; std::int16_t gap; };

TEST(Data_History, RowPlacesPlayersByScore)
{
    const HistoryCase cases[] = {
        {"the human second", {0, 12, 0, 40, 7}, {"Ben", "**Ann", "Adam", "Caleb"}, {0, 7, 12, 40}, 40},
        {"equal scores keep the exchanges' order", {0, 5, 5, 3, 9}, {"Caleb", "Ben", "Adam", "**Ann"}, {3, 5, 5, 9}, 6},
        {"human wins", {0, 50, 60, 70, 0}, {"**Ann", "Adam", "Ben", "Caleb"}, {0, 50, 60, 70}, 70},
        {"negative score", {0, -25, 10, 10, 10}, {"Adam", "Ben", "Caleb", "**Ann"}, {-25, 10, 10, 10}, 35},
        {"no points, no row", {0, 0, 0, 0, 0}, {}, {}, 0},
    };
    for (const auto& c : cases) {
        DataDir dir;
        Table table(dir.Database());
        table.StartGame("Ann");
        table.engine.State().Scores = c.scores;
        SaveToHistory(table.database, table.engine.State());
        const auto rows = table.database.BestScores();
        ASSERT_EQ(rows.size(), c.places[0].empty() ? 0u : 1u) << c.name;
        if (rows.empty()) continue;
        const HistoryRow& r = rows[0];
        EXPECT_EQ((std::array<std::string, 4>{r.Winner, r.SecondPlace, r.ThirdPlace, r.FourthPlace}), c.places) << c.name;
        EXPECT_EQ((std::array<std::int16_t, 4>{r.WinnerScore, r.SecondScore, r.ThirdScore, r.FourthScore}), c.placeScores)
            << c.name;
        EXPECT_EQ(r.GapBetweenWinnerLoser, c.gap) << c.name;
        EXPECT_EQ(r.DatePlayed.size(), 23u);
    }
}

// captions: the questions asked, in order; kept: the rows left, "count:first-last".
struct TrimCase { int saved, history; bool equalMargins; std::vector<std::string> answers, captions;
                  const char *savedKept, *historyKept; };

// Over 100 saved games or 300 history rows the player is asked; yes keeps
// the newest 75 saved games and the best 200 history rows (the newer of
// equal margins).
TEST(Data_History, TrimmingAsksOnlyOverTheLimits)
{
    const TrimCase cases[] = {
        {100, 300, false, {}, {}, "100:1-100", "300:1-300"},
        {0, 301, true, {"YES"}, {"Too Much History"}, "0:", "200:102-301"},
        {101, 301, false, {"YES", "YES"}, {"Too Many Saved", "Too Much History"}, "75:27-101", "200:1-200"},
        {150, 400, false, {"NO", "YES"}, {"Too Many Saved", "Too Much History"}, "150:1-150", "200:1-200"},
    };
    for (const auto& c : cases) {
        DataDir dir;
        // Dates one minute apart, oldest first; margins falling unless equal.
        Fill(dir.Database(), c.saved,
             "INSERT INTO SavedGames (DateSaved, CompPlayer1) SELECT datetime('2024-01-01', '+' || i || ' minutes'), i");
        Fill(dir.Database(), c.history,
             "INSERT INTO History (DatePlayed, Winner, GapBetweenWinnerLoser) SELECT "
             "datetime('2024-01-01', '+' || i || ' minutes'), i, " +
                 (c.equalMargins ? std::string("10") : std::to_string(c.history) + " - i + 1"));
        ScriptedUi ui;
        ui.Answers.assign(c.answers.begin(), c.answers.end());
        CheckExcessHistoryAndSaved(dir.Database(), ui);
        std::vector<std::string> captions;
        for (const auto& box : ui.Boxes) captions.push_back(box.Caption);
        EXPECT_EQ(captions, c.captions) << c.saved << "/" << c.history;
        const auto kept = [&](std::string table, std::string column) {
            return Sql(dir.Database(), {"SELECT count(*) || ':' || ifnull(min(CAST(" + column + " AS INTEGER)) || '-' || max(CAST(" +
                                        column + " AS INTEGER)), '') FROM " + table});
        };
        EXPECT_EQ(kept("SavedGames", "CompPlayer1"), QLatin1String(c.savedKept)) << c.saved << "/" << c.history;
        EXPECT_EQ(kept("History", "Winner"), QLatin1String(c.historyKept)) << c.saved << "/" << c.history;
    }
}

} // namespace
