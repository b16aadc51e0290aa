// The game's handle on Vemo.mdb: opening good and bad files, and the results
// of the statements on small data.

#include "DataTestSupport.h"

#include "DatabaseFault.h"

#include <QFileInfo>

#include <functional>
#include <set>

using namespace vemo;
using namespace vemo::test;

namespace {

// How a file is spoiled before it is opened.
struct BadFileCase {
    const char* name;
    std::function<void(const DataDir&)> spoil;
    DbFaultKind kind;
    int code;
};

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

class BadFile : public testing::TestWithParam<BadFileCase> {};

TEST_P(BadFile, IsRefusedWithItsKindAndCode)
{
    DataDir dir;
    GetParam().spoil(dir);
    GameDatabase database;
    try {
        database.Open(dir.Database());
        FAIL() << "opened";
    } catch (const DatabaseFault& fault) {
        EXPECT_EQ(fault.Kind(), GetParam().kind) << fault.what();
        EXPECT_EQ(fault.Number(), GetParam().code) << fault.what();
    }
    EXPECT_FALSE(database.IsOpen());
}

const QByteArray kGarbage = QByteArray("This is not a database at all, just words.\n").repeated(200);

INSTANTIATE_TEST_SUITE_P(
    Data, BadFile,
    testing::Values(
        BadFileCase{"Missing", [](const DataDir& d) { QFile::remove(d.Database()); }, DbFaultKind::NotFound, 14},
        BadFileCase{"Garbage", [](const DataDir& d) { WriteBytes(d.Database(), kGarbage); }, DbFaultKind::Damaged, 26},
        BadFileCase{"Empty", [](const DataDir& d) { WriteBytes(d.Database(), {}); }, DbFaultKind::Damaged, 11},
        BadFileCase{"HeaderOnly",
                    [](const DataDir& d) { WriteBytes(d.Database(), ReadBytes(d.Database()).left(100)); },
                    DbFaultKind::Damaged, 11},
        BadFileCase{"Truncated",
                    [](const DataDir& d) { WriteBytes(d.Database(), ReadBytes(d.Database()).left(1536)); },
                    DbFaultKind::Damaged, 11},
        BadFileCase{"VersionZero", [](const DataDir& d) { Exec(d.Database(), {"PRAGMA user_version = 0"}); },
                    DbFaultKind::Damaged, 11},
        BadFileCase{"TableMissing", [](const DataDir& d) { Exec(d.Database(), {"DROP TABLE History"}); },
                    DbFaultKind::Damaged, 11},
        BadFileCase{"NewerVersion", [](const DataDir& d) { Exec(d.Database(), {"PRAGMA user_version = 2"}); },
                    DbFaultKind::TooNew, 1},
        BadFileCase{"Directory",
                    [](const DataDir& d) {
                        QFile::remove(d.Database());
                        QDir(d.Path()).mkdir(QStringLiteral("Vemo.mdb"));
                    },
                    DbFaultKind::NotFound, 14}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Data_GameDatabase, MissingFileIsNeverCreated)
{
    DataDir dir;
    QFile::remove(dir.Database());
    GameDatabase database;
    EXPECT_THROW(database.Open(dir.Database()), DatabaseFault);
    EXPECT_FALSE(QFileInfo::exists(dir.Database()));
}

TEST(Data_GameDatabase, NewerFileIsLeftUnchanged)
{
    DataDir dir;
    Exec(dir.Database(), {"PRAGMA user_version = 7"});
    const QByteArray before = ReadBytes(dir.Database());
    GameDatabase database;
    try {
        database.Open(dir.Database());
        FAIL();
    } catch (const DatabaseFault& fault) {
        EXPECT_NE(fault.Text().find("This database was written by a newer version of Vemo"), std::string::npos);
    }
    EXPECT_EQ(ReadBytes(dir.Database()), before);
}

TEST(Data_GameDatabase, FileHeldByAnotherProcessAnswersBusyQuickly)
{
    DataDir dir;
    QProcess holder;
    holder.start(SelfPath(), {QStringLiteral("--hold"), dir.Database()});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("held"));

    GameDatabase database;
    try {
        database.Open(dir.Database());
        FAIL() << "opened a file another process holds";
    } catch (const DatabaseFault& fault) {
        EXPECT_EQ(fault.Kind(), DbFaultKind::HeldElsewhere);
        EXPECT_EQ(fault.Number(), 5);
    }
    holder.kill();
    holder.waitForFinished();
    EXPECT_NO_THROW(database.Open(dir.Database()));
}

TEST(Data_GameDatabase, OpenHandleKeepsOthersOut)
{
    DataDir dir;
    GameDatabase first;
    first.Open(dir.Database());
    GameDatabase second;
    EXPECT_THROW(second.Open(dir.Database()), DatabaseFault);
    first.Close();
    EXPECT_NO_THROW(second.Open(dir.Database()));
}

// Statement 1 for every value letter of the deck, and letters without a row.
TEST(Data_GameDatabase, VerseLookupByValueLetter)
{
    DataDir dir;
    GameDatabase database;
    database.Open(dir.Database());
    for (char letter : std::string("1234567VBDGKPRST")) {
        const auto verse = database.FindVerse(letter);
        ASSERT_TRUE(verse) << letter;
        EXPECT_EQ(verse->CardCode, std::string(1, letter));
        EXPECT_FALSE(verse->Reference.empty()) << letter;
        EXPECT_FALSE(verse->Verse.empty()) << letter;
    }
    EXPECT_EQ(database.FindVerse('D')->Reference, "I Peter 5:8");
    for (char letter : std::string("*X8'%_ "))
        EXPECT_FALSE(database.FindVerse(letter)) << letter;
}

struct NameCase {
    const char* name;
    bool found;
};

// Statement 3 with names that would break or change a pasted statement.
TEST(Data_GameDatabase, ComputerPlayerByNameIsBoundNotPasted)
{
    DataDir dir;
    GameDatabase database;
    database.Open(dir.Database());
    const NameCase cases[] = {
        {"Adam", true},           {"D'Arcy", true},       {"Mary Ann", true},
        {"adam", false},          {" Adam", false},       {"", false},
        {"x' OR '1'='1", false},  {"'; DROP TABLE ComputerPlayers; --", false},
        {"D''Arcy", false},       {"\"Adam\"", false},
    };
    for (const auto& c : cases) {
        const auto row = database.FindComputerPlayer(c.name);
        EXPECT_EQ(row.has_value(), c.found) << c.name;
        if (row) {
            EXPECT_EQ(row->PlayerName, c.name);
        }
    }
    EXPECT_EQ(database.ComputerPlayers().size(), 17u);
}

TEST(Data_GameDatabase, ShippedRosterCoversEveryStyleAndVoice)
{
    DataDir dir;
    GameDatabase database;
    database.Open(dir.Database());
    std::set<int> styles, voices;
    std::set<std::string> names;
    for (const auto& p : database.ComputerPlayers()) {
        styles.insert(p.PlayingStyle);
        voices.insert(p.WAVnumber);
        names.insert(p.PlayerName);
    }
    EXPECT_EQ(styles, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(voices, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 15, 16}));
    EXPECT_GE(names.size(), 10u);
}

TEST(Data_GameDatabase, EmptyTablesCountZeroAndListNothing)
{
    DataDir dir;
    GameDatabase database;
    database.Open(dir.Database());
    EXPECT_EQ(database.CountSavedGames(), 0);
    EXPECT_EQ(database.CountHistory(), 0);
    EXPECT_TRUE(database.SavedGamesList().empty());
    EXPECT_TRUE(database.BestScores().empty());
    EXPECT_FALSE(database.FindSavedGame(1));
    EXPECT_EQ(database.PurgeSavedGames(), 0);
    EXPECT_EQ(database.PurgeHistory(), 0);
}

HistoryRow Row(const char* date, const char* winner, int winnerScore, int gap)
{
    HistoryRow h;
    h.DatePlayed = date;
    h.Winner = winner;
    h.WinnerScore = static_cast<std::int16_t>(winnerScore);
    h.FourthScore = static_cast<std::int16_t>(winnerScore + gap);
    h.GapBetweenWinnerLoser = static_cast<std::int16_t>(gap);
    return h;
}

// Statement 11: the largest margin first; equal margins by lower winning
// score, then by older date.
TEST(Data_GameDatabase, BestScoresOrder)
{
    DataDir dir;
    GameDatabase database;
    database.Open(dir.Database());
    database.AppendHistory(Row("2024-03-01 10:00:00.000", "a", 10, 50));
    database.AppendHistory(Row("2024-01-01 10:00:00.000", "b", 20, 90));
    database.AppendHistory(Row("2024-02-01 10:00:00.000", "c", 5, 50));
    database.AppendHistory(Row("2024-01-15 10:00:00.000", "d", 10, 50));
    database.AppendHistory(Row("2023-12-31 23:59:59.999", "e", 0, 10));
    std::string order;
    for (const auto& row : database.BestScores()) order += row.Winner;
    EXPECT_EQ(order, "bcdae");
    EXPECT_EQ(database.CountHistory(), 5);
}

TEST(Data_GameDatabase, SavedGamesListShowsTheListedFields)
{
    DataDir dir;
    Table table(dir.Database());
    table.StartGame("O'Brien");
    table.engine.State().Snapshot.SnapScores = {0, 11, 22, 33, 44};
    table.Save();
    const auto list = table.database.SavedGamesList();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_GT(list[0].ID, 0);
    EXPECT_EQ(list[0].Player4, "O'Brien");
    EXPECT_EQ(list[0].PlayerScore4, 44);
    EXPECT_EQ(list[0].CompPlayer1, "Adam");
    EXPECT_EQ(list[0].CompPlayerScore1, 11);
    EXPECT_EQ(list[0].CompPlayer3, "Caleb");
    EXPECT_EQ(list[0].CompPlayerScore3, 33);
    EXPECT_EQ(list[0].DateSaved.size(), 23u);
}

TEST(Data_GameDatabase, PropertiesAreCreatedWhenMissing)
{
    DataDir dir;
    Exec(dir.Database(), {"DROP TABLE Properties"});
    GameDatabase database;
    database.Open(dir.Database());
    EXPECT_FALSE(database.ReadProperty("CompactIteration"));
    database.WriteProperty("CompactIteration", 4);
    database.WriteProperty("compactiteration", 5);
    EXPECT_EQ(database.ReadProperty("CompactIteration"), 5);
}

} // namespace
