// Start-up care of the database file: the check and repair, the counter and
// the compaction.

#include "DataTestSupport.h"

#include "DatabaseUpkeep.h"

#include <QFileInfo>
#include <QSqlQuery>

#include <set>

#include <sqlite3.h>

using namespace vemo;
using namespace vemo::test;

namespace {

void AddSavedGames(const QString& path, int rows)
{
    Fill(path, rows, "INSERT INTO SavedGames (DateSaved, CompPlayer1, CompPlayerCards1) SELECT datetime('now'), 'Adam', "
                     "hex(randomblob(200))");
}

// stored: SQL that sets the counter up, or "" for none.
struct CounterCase { const char* stored; int after; bool compacted; };

TEST(Data_Upkeep, CounterCompactsEveryEleventhStart)
{
    const CounterCase cases[] = {
        {"", 1, false},
        {"INSERT INTO Properties VALUES ('CompactIteration', 9)", 10, false},
        {"INSERT INTO Properties VALUES ('CompactIteration', 10)", 0, true},
        {"INSERT INTO Properties VALUES ('CompactIteration', 99999)", 1, false},
        {"INSERT INTO Properties VALUES ('CompactIteration', 'many')", 1, false},
    };
    for (const auto& c : cases) {
        DataDir dir;
        if (*c.stored) Sql(dir.Database(), {c.stored});
        ScriptedUi ui;
        EXPECT_TRUE(DatabaseStartupUpkeep(dir.Path(), ui)) << c.stored;
        EXPECT_EQ(ReadCompactIteration(dir.Path()), c.after) << c.stored;
        EXPECT_EQ(QFileInfo::exists(dir.File("Vemodb.BAK")), c.compacted) << c.stored;
        EXPECT_FALSE(QFileInfo::exists(dir.File("Vemo.OLD")));
    }
}

// An unreadable file's counter is zero and is not written; each repair of
// such a file keeps its own copy beside the one before.
TEST(Data_Upkeep, AnUnreadableFileHasNoCounterAndEachRepairKeepsItsCopy)
{
    DataDir dir;
    for (const char* words : {"no database here ", "nor here "}) {
        const QByteArray garbage = QByteArray(words).repeated(100);
        WriteBytes(dir.Database(), garbage);
        EXPECT_EQ(ReadCompactIteration(dir.Path()), 0);
        WriteCompactIteration(dir.Path(), 3);
        EXPECT_EQ(ReadBytes(dir.Database()), garbage);
        ScriptedUi ui;
        EXPECT_TRUE(VerifyDatabase(dir.Path(), ui));
    }
    EXPECT_EQ(QDir(dir.Path()).entryList({QStringLiteral("Vemo-damaged-*.mdb")}).size(), 2);
}

// A compaction, over an earlier backup or not, leaves a backup identical to
// the smaller database. One that cannot finish is a row of the message box
// table, which also sees the previous database kept as it was.
TEST(Data_Upkeep, CompactionKeepsABackup)
{
    for (const bool earlierBackup : {false, true}) {
        DataDir dir;
        AddSavedGames(dir.Database(), 300);
        Sql(dir.Database(), {"DELETE FROM SavedGames WHERE ID % 2 = 0"});
        if (earlierBackup) WriteBytes(dir.File("Vemodb.BAK"), "an old backup");
        const QByteArray before = ReadBytes(dir.Database());
        ScriptedUi ui;
        CompactDatabaseRtn(dir.Database(), dir.File("Vemodb.BAK"), ui);
        EXPECT_LT(ReadBytes(dir.Database()).size(), before.size());
        EXPECT_EQ(ReadBytes(dir.Database()), ReadBytes(dir.File("Vemodb.BAK")));
        EXPECT_EQ(ui.Operations, (std::vector<std::string>{"Checking Data Integrity  " + dir.Database().toStdString(),
                                                           "Compacting Database  " + dir.Database().toStdString()}));
        EXPECT_FALSE(QFileInfo::exists(dir.File("Vemo.OLD")));
        EXPECT_EQ(Sql(dir.Database(), {"SELECT count(*) FROM SavedGames"}), QStringLiteral("150"));
    }
}

// How many rows of table SQLite can read from a damaged file: one by one,
// and by reading from either end until the first failure. The zeros of a
// lost page read as rows numbered 0, which no program wrote.
int RowsSqliteCanRead(const QString& path, const char* table)
{
    std::set<qlonglong> readable;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("oracle"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        EXPECT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA writable_schema=ON"));
        QStringList reads = {QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid"),
                             QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid DESC")};
        for (int id = 1; id <= 301; ++id) reads << QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = %2").arg("%1").arg(id);
        for (const QString& read : reads) {
            QSqlQuery rows(db);
            if (!rows.exec(read.arg(QLatin1String(table)))) continue;
            while (rows.next())
                if (rows.value(0).toLongLong() > 0) readable.insert(rows.value(0).toLongLong());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("oracle"));
    return static_cast<int>(readable.size());
}

// Where the nth leaf page of a table starts in the file.
using Leaf = std::function<qsizetype(const char* table, int nth)>;

// Gives the middle row of the history's first leaf another rowid, one byte long.
void RenumberAHistoryRow(QByteArray& b, const Leaf& leaf)
{
    const auto byte = [&b](qsizetype at) { return static_cast<unsigned char>(b[at]); };
    const qsizetype at = leaf("History", 0);
    const int index = ((byte(at + 3) << 8) | byte(at + 4)) / 2;
    const qsizetype cell = at + ((byte(at + 8 + 2 * index) << 8) | byte(at + 9 + 2 * index));
    ASSERT_LT(byte(cell), 0x80); // a one-byte payload size, then the rowid
    b[cell + 1] = '\x7f';
}

std::function<void(QByteArray&, const Leaf&)> Cut(int percent)
{
    return [=](QByteArray& b, const Leaf&) { b.truncate(b.size() * percent / 100); };
}

// sql runs on the file after the damage; rows after, -1: every row SQLite can read.
struct DamageCase { const char* name; std::vector<std::string> sql; std::function<void(QByteArray&, const Leaf&)> damage;
                    int savedGamesAfter, historyAfter; };

// A database of 101 saved games and 301 history rows, damaged by statements
// or in its bytes, is kept as it was and rebuilt: the shipped tables afresh,
// every row of the player's own that SQLite can still read carried over.
TEST(Data_Upkeep, DamagedDatabaseIsRepaired)
{
    const auto none = [](QByteArray&, const Leaf&) {};
    const DamageCase cases[] = {
        {"garbage", {}, [](QByteArray& b, const Leaf&) { b = QByteArray("garbage ").repeated(500); }, 0, 0},
        {"empty file", {}, [](QByteArray& b, const Leaf&) { b.clear(); }, 0, 0},
        {"schema version lost", {"PRAGMA user_version = 0", "DELETE FROM Verses"}, none, 101, 301},
        {"a shipped table dropped", {"DROP TABLE ComputerPlayers"}, none, 101, 301},
        {"cut to 87%", {}, Cut(87), -1, -1},
        {"cut to 72%", {}, Cut(72), -1, -1},
        {"cut to 93%", {}, Cut(93), -1, -1},
        {"a bad page in the middle of the saved games", {},
         [](QByteArray& b, const Leaf& leaf) { b.replace(leaf("SavedGames", 5), 4096, QByteArray(4096, '\x5a')); }, -1, 301},
        {"a damaged header", {}, [](QByteArray& b, const Leaf&) { b.replace(0, 24, QByteArray(24, '\xff')); }, 101, 301},
        {"the history's schema entry no longer says it is a table",
         {"PRAGMA writable_schema=ON", "UPDATE sqlite_master SET type = 'tab' WHERE name = 'History'"}, none, 101, 301},
        {"the history's schema entry with its name spoilt",
         {"PRAGMA writable_schema=ON", "UPDATE sqlite_master SET name = 'Histor' WHERE name = 'History'"}, none, 101, 301},
        {"a history row numbered far past the rows after it", {}, RenumberAHistoryRow, -1, -1},
        {"a history row numbered far on, in a file cut short", {},
         [](QByteArray& b, const Leaf& leaf) { RenumberAHistoryRow(b, leaf); Cut(97)(b, leaf); }, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataDir dir;
        AddSavedGames(dir.Database(), 101);
        Fill(dir.Database(), 301, "INSERT INTO History (DatePlayed, Winner, WinnerScore, FourthPlace, FourthScore) "
                                  "SELECT datetime('now'), '**Ann', i, 'Adam', i + 40");
        ASSERT_EQ(Sql(dir.Database(), {"PRAGMA page_size"}), QStringLiteral("4096"));
        QByteArray bytes = ReadBytes(dir.Database());
        c.damage(bytes, [&](const char* table, int nth) {
            const int page = Sql(dir.Database(), {"SELECT pageno FROM dbstat WHERE name = '" + std::string(table) +
                                                     "' AND pagetype = 'leaf' ORDER BY pageno LIMIT 1 OFFSET " +
                                                     std::to_string(nth)}).toInt();
            EXPECT_GT(page, 1);
            return qsizetype(page - 1) * 4096;
        });
        WriteBytes(dir.Database(), bytes);
        if (!c.sql.empty()) Sql(dir.Database(), c.sql);
        const QByteArray damaged = ReadBytes(dir.Database());
        const int savedGames = c.savedGamesAfter < 0 ? RowsSqliteCanRead(dir.Database(), "SavedGames") : c.savedGamesAfter;
        const int history = c.historyAfter < 0 ? RowsSqliteCanRead(dir.Database(), "History") : c.historyAfter;
        ScriptedUi ui;
        EXPECT_TRUE(VerifyDatabase(dir.Path(), ui));
        EXPECT_TRUE(ui.Boxes.empty());
        ASSERT_FALSE(ui.Operations.empty());
        EXPECT_EQ(ui.Operations[0], "Repairing Database  " + dir.Database().toStdString());
        // The zeros of a lost page read as rows numbered 0: no program wrote them.
        EXPECT_EQ(Sql(dir.Database(), {"SELECT (SELECT count(*) FROM SavedGames WHERE ID < 1) + "
                                        "(SELECT count(*) FROM History WHERE ID < 1)"}),
                  QStringLiteral("0"));
        GameDatabase database;
        ASSERT_NO_THROW(database.Open(dir.Database()));
        EXPECT_TRUE(database.IntegrityCheck());
        EXPECT_EQ(database.CountSavedGames(), savedGames);
        EXPECT_EQ(database.CountHistory(), history);
        EXPECT_TRUE(database.FindVerse('D'));
        EXPECT_EQ(database.ComputerPlayers().size(), 17u);
        EXPECT_TRUE(QFileInfo::exists(dir.File("TEMPDB.mdb")));
        EXPECT_FALSE(QFileInfo::exists(dir.File("Vemo.OLD")));
        // The damaged file stays beside, as it was, and says what it was.
        const QStringList kept = QDir(dir.Path()).entryList({QStringLiteral("Vemo-damaged-*.mdb")});
        ASSERT_EQ(kept.size(), 1);
        EXPECT_EQ(ReadBytes(QDir(dir.Path()).filePath(kept[0])), damaged);
        ASSERT_EQ(ui.Results.size(), 1u);
        EXPECT_EQ(ui.Results[0].rfind("The database was repaired: " + std::to_string(savedGames) + " saved games and " +
                                          std::to_string(history) + " history rows were recovered.",
                                      0),
                  0u)
            << ui.Results[0];
        EXPECT_NE(ReadBytes(dir.File("error.log")).indexOf(QByteArray::fromStdString(ui.Results[0])), -1);
    }
}

} // namespace
