// The history row of a game and the trimming of both tables.

#include "DataTestSupport.h"

#include "History.h"

using namespace vemo;
using namespace vemo::test;

namespace {

struct HistoryCase {
    const char* name;
    std::array<std::int16_t, 5> scores;
    std::array<std::string, 4> places; // winner first
    std::array<std::int16_t, 4> placeScores;
    std::int16_t gap;
};

TEST(Data_History, RowPlacesPlayersByScore)
{
    const HistoryCase cases[] = {
        {"described example", {0, 12, 0, 40, 7}, {"Ben", "**Ann", "Adam", "Caleb"}, {0, 7, 12, 40}, 40},
        {"equal scores keep the exchanges' order", {0, 5, 5, 3, 9}, {"Caleb", "Ben", "Adam", "**Ann"}, {3, 5, 5, 9}, 6},
        {"human wins", {0, 50, 60, 70, 0}, {"**Ann", "Adam", "Ben", "Caleb"}, {0, 50, 60, 70}, 70},
        {"negative score", {0, -25, 10, 10, 10}, {"Adam", "Ben", "Caleb", "**Ann"}, {-25, 10, 10, 10}, 35},
    };
    for (const auto& c : cases) {
        DataDir dir;
        Table table(dir.Database());
        table.StartGame("Ann");
        table.engine.State().Scores = c.scores;
        SaveToHistory(table.database, table.engine.State());
        const auto rows = table.database.BestScores();
        ASSERT_EQ(rows.size(), 1u) << c.name;
        const HistoryRow& r = rows[0];
        EXPECT_EQ((std::array<std::string, 4>{r.Winner, r.SecondPlace, r.ThirdPlace, r.FourthPlace}), c.places) << c.name;
        EXPECT_EQ((std::array<std::int16_t, 4>{r.WinnerScore, r.SecondScore, r.ThirdScore, r.FourthScore}), c.placeScores)
            << c.name;
        EXPECT_EQ(r.GapBetweenWinnerLoser, c.gap) << c.name;
        EXPECT_EQ(r.DatePlayed.size(), 23u);
    }
}

TEST(Data_History, NoPointsNoRow)
{
    DataDir dir;
    Table table(dir.Database());
    table.StartGame();
    SaveToHistory(table.database, table.engine.State());
    EXPECT_EQ(table.database.CountHistory(), 0);
}

void FillSaved(const QString& path, int rows)
{
    if (rows == 0) return;
    // Dates one minute apart, oldest first.
    Exec(path, {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows) +
                ") INSERT INTO SavedGames (DateSaved, CompPlayer1) SELECT datetime('2024-01-01', '+' || i || ' minutes'), "
                "'Adam' || i FROM n"});
}

void FillHistory(const QString& path, int rows)
{
    if (rows == 0) return;
    // Margins rows, rows-1, ... 1 with dates growing, so the best have the lowest numbers.
    Exec(path, {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows) +
                ") INSERT INTO History (DatePlayed, Winner, GapBetweenWinnerLoser) SELECT "
                "datetime('2024-01-01', '+' || i || ' minutes'), 'p' || i, " + std::to_string(rows) + " - i + 1 FROM n"});
}

struct TrimCase {
    int saved;
    int history;
    std::vector<std::string> answers;
    std::vector<std::string> captions; // questions asked, in order
    int savedLeft;
    int historyLeft;
};

TEST(Data_History, TrimmingAsksOnlyOverTheLimits)
{
    const TrimCase cases[] = {
        {100, 300, {}, {}, 100, 300},
        {101, 0, {"YES"}, {"Too Many Saved"}, 75, 0},
        {101, 0, {"NO"}, {"Too Many Saved"}, 101, 0},
        {0, 301, {"YES"}, {"Too Much History"}, 0, 200},
        {150, 400, {"YES", "NO"}, {"Too Many Saved", "Too Much History"}, 75, 400},
        {150, 400, {"NO", "YES"}, {"Too Many Saved", "Too Much History"}, 150, 200},
    };
    for (const auto& c : cases) {
        DataDir dir;
        FillSaved(dir.Database(), c.saved);
        FillHistory(dir.Database(), c.history);
        ScriptedUi ui;
        ui.Answers.assign(c.answers.begin(), c.answers.end());
        CheckExcessHistoryAndSaved(dir.Database(), ui);
        std::vector<std::string> captions;
        for (const auto& box : ui.Boxes) {
            captions.push_back(box.Caption);
            EXPECT_EQ(box.Buttons, BoxButtons::YesNo);
            EXPECT_EQ(box.DefaultButton, 1);
        }
        EXPECT_EQ(captions, c.captions) << c.saved << "/" << c.history;
        EXPECT_EQ(Query(dir.Database(), "SELECT count(*) FROM SavedGames").toInt(), c.savedLeft);
        EXPECT_EQ(Query(dir.Database(), "SELECT count(*) FROM History").toInt(), c.historyLeft);
    }
}

TEST(Data_History, TrimmingKeepsTheNewestSavedAndTheBestHistory)
{
    DataDir dir;
    FillSaved(dir.Database(), 101);
    FillHistory(dir.Database(), 301);
    ScriptedUi ui;
    ui.Answers = {"YES", "YES"};
    CheckExcessHistoryAndSaved(dir.Database(), ui);
    // Saved games 27..101 remain; history margins 102..301.
    EXPECT_EQ(Query(dir.Database(), "SELECT min(CAST(substr(CompPlayer1, 5) AS INTEGER)) FROM SavedGames"),
              QStringLiteral("27"));
    EXPECT_EQ(Query(dir.Database(), "SELECT min(GapBetweenWinnerLoser) FROM History"), QStringLiteral("102"));
    EXPECT_EQ(ui.Boxes[0].Text, "There are more than 100 saved games.\r\n\r\n"
                                "Do you want to eliminate the oldest saved games? (recommend Yes)");
    EXPECT_EQ(ui.Boxes[1].Text, "There are more than 300 games in the history file.\r\n\r\n"
                                "Do you want to eliminate the excess history records? (recommend Yes)");
}

TEST(Data_History, EqualMarginsKeepTheNewer)
{
    DataDir dir;
    Exec(dir.Database(), {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 301) "
                          "INSERT INTO History (DatePlayed, GapBetweenWinnerLoser) "
                          "SELECT datetime('2024-01-01', '+' || i || ' minutes'), 10 FROM n"});
    ScriptedUi ui;
    ui.Answers = {"YES"};
    CheckExcessHistoryAndSaved(dir.Database(), ui);
    EXPECT_EQ(Query(dir.Database(), "SELECT min(DatePlayed) FROM History"), QStringLiteral("2024-01-01 01:42:00"));
}

TEST(Data_History, PurgeEmptiesBothTables)
{
    DataDir dir;
    FillSaved(dir.Database(), 5);
    FillHistory(dir.Database(), 7);
    GameDatabase database;
    database.Open(dir.Database());
    EXPECT_EQ(database.PurgeSavedGames(), 5);
    EXPECT_EQ(database.PurgeHistory(), 7);
    EXPECT_EQ(database.CountSavedGames(), 0);
    EXPECT_EQ(database.CountHistory(), 0);
}

} // namespace
