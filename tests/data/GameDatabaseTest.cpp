// The game's handle on Vemo.mdb: opening good and bad files, and the results
// of the statements on small data.

#include "DataTestSupport.h"

#include "DatabaseFault.h"
#include "DatabaseUpkeep.h"

#include <QFileInfo>

#include <functional>
#include <set>

using namespace vemo;
using namespace vemo::test;

namespace {

struct BadFileCase { const char* name; std::function<void(const DataDir&)> spoil; DbFaultKind kind; int code; };

// A file the game cannot use is refused with its kind and number, and left
// as it was: never written. A missing file, a directory in its place and a
// newer version are rows of the message box table, which shows each kind.
TEST(Data_GameDatabase, BadFilesAreRefusedAndLeftAsTheyWere)
{
    const QByteArray garbage = QByteArray("This is not a database at all, just words.\n").repeated(200);
    const BadFileCase cases[] = {
        {"garbage", [&](const DataDir& d) { WriteBytes(d.Database(), garbage); }, DbFaultKind::Damaged, 26},
        {"empty", [](const DataDir& d) { WriteBytes(d.Database(), {}); }, DbFaultKind::Damaged, 11},
        {"header only", [](const DataDir& d) { WriteBytes(d.Database(), ReadBytes(d.Database()).left(100)); },
         DbFaultKind::Damaged, 11},
        {"truncated", [](const DataDir& d) { WriteBytes(d.Database(), ReadBytes(d.Database()).left(1536)); },
         DbFaultKind::Damaged, 11},
        {"version zero", [](const DataDir& d) { Sql(d.Database(), {"PRAGMA user_version = 0"}); }, DbFaultKind::Damaged, 11},
        {"table missing", [](const DataDir& d) { Sql(d.Database(), {"DROP TABLE History"}); }, DbFaultKind::Damaged, 11},
    };
    for (const auto& c : cases) {
        DataDir dir;
        c.spoil(dir);
        const bool existed = QFileInfo::exists(dir.Database());
        const QByteArray before = ReadBytes(dir.Database());
        GameDatabase database;
        try {
            database.Open(dir.Database());
            ADD_FAILURE() << c.name << " opened";
        } catch (const DatabaseFault& fault) {
            EXPECT_EQ(std::pair(fault.Kind(), fault.Number()), std::pair(c.kind, c.code)) << c.name << ": " << fault.what();
        }
        EXPECT_FALSE(database.IsOpen()) << c.name;
        EXPECT_EQ(QFileInfo::exists(dir.Database()), existed) << c.name;
        EXPECT_EQ(ReadBytes(dir.Database()), before) << c.name;
    }
}

// A file another process or another handle holds is refused as busy, at
// once; the start-up check lets that other copy go on; let go, it opens.
TEST(Data_GameDatabase, AFileHeldElsewhereIsBusyUntilLetGo)
{
    DataDir dir;
    Child holder([&](const std::function<void()>& ready) {
        GameDatabase held;
        held.Open(dir.Database());
        ready();
        for (;;) ::pause();
    });
    ASSERT_TRUE(holder.Ready());
    GameDatabase database;
    try {
        database.Open(dir.Database());
        ADD_FAILURE() << "opened a file another process holds";
    } catch (const DatabaseFault& fault) {
        EXPECT_EQ(std::pair(fault.Kind(), fault.Number()), std::pair(DbFaultKind::HeldElsewhere, 5));
    }
    ScriptedUi ui;
    EXPECT_TRUE(VerifyDatabase(dir.Path(), ui));
    EXPECT_TRUE(ui.Boxes.empty());
    holder.Kill();

    EXPECT_NO_THROW(database.Open(dir.Database()));
    GameDatabase second;
    EXPECT_THROW(second.Open(dir.Database()), DatabaseFault);
    database.Close();
    EXPECT_NO_THROW(second.Open(dir.Database()));
}

// The shipped file's lookups: a verse for every value letter of the deck
// (and none for other letters), computer players by a name that is bound,
// never pasted into the statement, a roster with every style and voice, and
// the properties table made again when it is gone.
TEST(Data_GameDatabase, LookupsOnTheShippedFile)
{
    DataDir dir;
    Sql(dir.Database(), {"DROP TABLE Properties"});
    GameDatabase database;
    database.Open(dir.Database());
    for (char letter : std::string("1234567VBDGKPRST")) {
        const auto verse = database.FindVerse(letter);
        ASSERT_TRUE(verse) << letter;
        EXPECT_EQ(verse->CardCode, std::string(1, letter));
        EXPECT_FALSE(verse->Reference.empty() || verse->Verse.empty()) << letter;
    }
    EXPECT_EQ(database.FindVerse('D')->Reference, "I Peter 5:8");
    for (char letter : std::string("*X8'%_ ")) EXPECT_FALSE(database.FindVerse(letter)) << letter;

    const std::pair<const char*, bool> names[] = {{"Adam", true}, {"D'Arcy", true}, {"Mary Ann", true}, {"adam", false}, {" Adam", false},
                              {"", false}, {"x' OR '1'='1", false}, {"'; DROP TABLE ComputerPlayers; --", false},
                              {"D''Arcy", false}, {"\"Adam\"", false}};
    for (const auto& [name, found] : names) {
        const auto row = database.FindComputerPlayer(name);
        EXPECT_EQ(row ? row->PlayerName : "<none>", found ? name : "<none>") << name;
    }
    std::set<int> styles, voices;
    for (const auto& p : database.ComputerPlayers()) {
        styles.insert(p.PlayingStyle);
        voices.insert(p.WAVnumber);
    }
    EXPECT_EQ(styles, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(voices, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 15, 16}));

    EXPECT_FALSE(database.ReadProperty("CompactIteration"));
    database.WriteProperty("CompactIteration", 4);
    database.WriteProperty("compactiteration", 5);
    EXPECT_EQ(database.ReadProperty("CompactIteration"), 5);
}

// The best scores by largest margin, equal margins by lower winning score,
// then by older date; purging empties both tables and says how many rows
// went; the statements on empty tables answer nothing.
TEST(Data_GameDatabase, BestScoresOrderAndPurge)
{
    DataDir dir;
    Sql(dir.Database(), {"INSERT INTO History (DatePlayed, Winner, WinnerScore, GapBetweenWinnerLoser) VALUES "
                         "('2024-03-01 10:00:00.000', 'a', 10, 50), ('2024-01-01 10:00:00.000', 'b', 20, 90), "
                         "('2024-02-01 10:00:00.000', 'c', 5, 50), ('2024-01-15 10:00:00.000', 'd', 10, 50), "
                         "('2023-12-31 23:59:59.999', 'e', 0, 10)"});
    Fill(dir.Database(), 5, "INSERT INTO SavedGames (DateSaved) SELECT datetime('now')");
    GameDatabase database;
    database.Open(dir.Database());
    std::string order;
    for (const auto& row : database.BestScores()) order += row.Winner;
    EXPECT_EQ(order, "bcdae");
    for (int round : {0, 1}) {
        EXPECT_EQ((std::pair{database.PurgeSavedGames(), database.PurgeHistory()}), std::pair(round ? 0 : 5, round ? 0 : 5));
        EXPECT_EQ(database.CountSavedGames() + database.CountHistory(), 0);
        EXPECT_TRUE(database.SavedGamesList().empty() && database.BestScores().empty());
        EXPECT_FALSE(database.FindSavedGame(1));
    }
}

} // namespace
