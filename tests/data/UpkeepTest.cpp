// Start-up care of the database file: the check and repair, the counter and
// the compaction.

#include "DataTestSupport.h"

#include "DatabaseUpkeep.h"

#include <QFileInfo>

using namespace vemo;
using namespace vemo::test;

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void AddSavedGames(const QString& path, int rows)
{
    Exec(path, {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows) +
                ") INSERT INTO SavedGames (DateSaved, CompPlayer1, CompPlayerCards1) SELECT datetime('now'), 'Adam', "
                "hex(randomblob(200)) FROM n"});
}

struct CounterCase {
    const char* stored; // SQL that sets the counter up, or "" for none
    int after;
    bool compacted;
};

TEST(Data_Upkeep, CounterCompactsEveryEleventhStart)
{
    const CounterCase cases[] = {
        {"", 1, false},
        {"INSERT INTO Properties VALUES ('CompactIteration', 0)", 1, false},
        {"INSERT INTO Properties VALUES ('CompactIteration', 9)", 10, false},
        {"INSERT INTO Properties VALUES ('CompactIteration', 10)", 0, true},
        {"INSERT INTO Properties VALUES ('CompactIteration', 99999)", 1, false},
        {"INSERT INTO Properties VALUES ('CompactIteration', 'many')", 1, false},
        {"DROP TABLE Properties", 1, false},
    };
    for (const auto& c : cases) {
        DataDir dir;
        if (*c.stored) Exec(dir.Database(), {c.stored});
        ScriptedUi ui;
        EXPECT_TRUE(DatabaseStartupUpkeep(dir.Path(), ui)) << c.stored;
        EXPECT_EQ(ReadCompactIteration(dir.Path()), c.after) << c.stored;
        EXPECT_EQ(QFileInfo::exists(dir.File("Vemodb.BAK")), c.compacted) << c.stored;
        EXPECT_FALSE(QFileInfo::exists(dir.File("Vemo.OLD")));
    }
}

TEST(Data_Upkeep, CounterOfAnUnreadableFileIsZeroAndNotWritten)
{
    DataDir dir;
    const QByteArray garbage = QByteArray("no database here ").repeated(100);
    WriteBytes(dir.Database(), garbage);
    EXPECT_EQ(ReadCompactIteration(dir.Path()), 0);
    WriteCompactIteration(dir.Path(), 3);
    EXPECT_EQ(ReadBytes(dir.Database()), garbage);
}

TEST(Data_Upkeep, CompactionLeavesABackupIdenticalToTheDatabase)
{
    for (bool earlierBackup : {false, true}) {
        DataDir dir;
        AddSavedGames(dir.Database(), 300);
        Exec(dir.Database(), {"DELETE FROM SavedGames WHERE ID % 2 = 0"});
        if (earlierBackup) WriteBytes(dir.File("Vemodb.BAK"), "an old backup");
        const qint64 before = QFileInfo(dir.Database()).size();

        ScriptedUi ui;
        CompactDatabaseRtn(dir.Database(), dir.File("Vemodb.BAK"), ui);

        EXPECT_LT(QFileInfo(dir.Database()).size(), before);
        EXPECT_EQ(ReadBytes(dir.Database()), ReadBytes(dir.File("Vemodb.BAK")));
        EXPECT_FALSE(QFileInfo::exists(dir.File("Vemo.OLD")));
        EXPECT_EQ(Query(dir.Database(), "SELECT count(*) FROM SavedGames"), QStringLiteral("150"));
        EXPECT_EQ(ui.Operations, (std::vector<std::string>{
                                     "Checking Data Integrity  " + dir.Database().toStdString(),
                                     "Compacting Database  " + dir.Database().toStdString()}));
    }
}

// A compaction that cannot finish keeps the previous database.
TEST(Data_Upkeep, FailedCompactionKeepsThePreviousFile)
{
    DataDir dir;
    AddSavedGames(dir.Database(), 20);
    const QByteArray before = ReadBytes(dir.Database());
    ScriptedUi ui;
    // The work file's directory does not exist (and cannot: its parent is a file).
    WriteBytes(dir.File("blocker"), "x");
    CompactDatabaseRtn(dir.Database(), dir.File("blocker") + QStringLiteral("/Vemodb.BAK"), ui);
    EXPECT_EQ(ReadBytes(dir.Database()), before);
    EXPECT_FALSE(QFileInfo::exists(dir.File("Vemo.OLD")));
}

struct DamageCase {
    const char* name;
    std::function<void(const DataDir&)> damage;
    int savedGamesAfter;
};

// A damaged file is rebuilt: the shipped tables afresh, the player's own rows
// as far as they can be read.
TEST(Data_Upkeep, DamagedDatabaseIsRepaired)
{
    const DamageCase cases[] = {
        {"garbage", [](const DataDir& d) { WriteBytes(d.Database(), QByteArray("garbage ").repeated(500)); }, 0},
        {"empty file", [](const DataDir& d) { WriteBytes(d.Database(), {}); }, 0},
        {"schema version lost",
         [](const DataDir& d) {
             AddSavedGames(d.Database(), 12);
             Exec(d.Database(), {"PRAGMA user_version = 0", "DELETE FROM Verses"});
         },
         12},
        {"a shipped table dropped",
         [](const DataDir& d) {
             AddSavedGames(d.Database(), 3);
             Exec(d.Database(), {"DROP TABLE ComputerPlayers"});
         },
         3},
    };
    for (const auto& c : cases) {
        DataDir dir;
        c.damage(dir);
        ScriptedUi ui;
        EXPECT_TRUE(VerifyDatabase(dir.Path(), ui)) << c.name;
        EXPECT_TRUE(ui.Boxes.empty()) << c.name;
        ASSERT_FALSE(ui.Operations.empty()) << c.name;
        EXPECT_EQ(ui.Operations[0], "Repairing Database  " + dir.Database().toStdString());
        GameDatabase database;
        ASSERT_NO_THROW(database.Open(dir.Database())) << c.name;
        EXPECT_TRUE(database.IntegrityCheck()) << c.name;
        EXPECT_EQ(database.CountSavedGames(), c.savedGamesAfter) << c.name;
        EXPECT_TRUE(database.FindVerse('D')) << c.name;
        EXPECT_EQ(database.ComputerPlayers().size(), 17u) << c.name;
        EXPECT_TRUE(QFileInfo::exists(dir.File("TEMPDB.mdb"))) << c.name;
        EXPECT_FALSE(QFileInfo::exists(dir.File("Vemo.OLD"))) << c.name;
    }
}

struct VerifyCase {
    const char* name;
    std::function<void(const DataDir&)> arrange;
    bool goOn;
    const char* messageStart; // "" when no message
    int beeps;
};

TEST(Data_Upkeep, VerifyActsOnTheKindOfFault)
{
    const VerifyCase cases[] = {
        {"sound file", [](const DataDir&) {}, true, "", 0},
        {"missing file", [](const DataDir& d) { QFile::remove(d.Database()); }, false, "/", 0},
        {"newer version", [](const DataDir& d) { Exec(d.Database(), {"PRAGMA user_version = 2"}); }, false,
         "This database was written by a newer version of Vemo", 0},
        {"a directory in its place",
         [](const DataDir& d) {
             QFile::remove(d.Database());
             QDir(d.Path()).mkdir(QStringLiteral("Vemo.mdb"));
         },
         false, "/", 0},
    };
    for (const auto& c : cases) {
        DataDir dir;
        c.arrange(dir);
        ScriptedUi ui;
        EXPECT_EQ(VerifyDatabase(dir.Path(), ui), c.goOn) << c.name;
        if (*c.messageStart) {
            ASSERT_EQ(ui.Boxes.size(), 1u) << c.name;
            EXPECT_EQ(ui.Boxes[0].Caption, "Critical Error");
            EXPECT_EQ(ui.Boxes[0].Icon, BoxIcon::Critical);
            EXPECT_EQ(ui.Boxes[0].Text.rfind(c.messageStart, 0), 0u) << ui.Boxes[0].Text;
        } else {
            EXPECT_TRUE(ui.Boxes.empty()) << c.name;
        }
        EXPECT_EQ(ui.Beeps, c.beeps) << c.name;
    }
}

TEST(Data_Upkeep, MissingFileMessage)
{
    DataDir dir;
    QFile::remove(dir.Database());
    ScriptedUi ui;
    EXPECT_FALSE(VerifyDatabase(dir.Path(), ui));
    ASSERT_EQ(ui.Boxes.size(), 1u);
    EXPECT_EQ(ui.Boxes[0].Text, dir.Database().toStdString() + " was not found.  Please contact the help desk.");
    EXPECT_FALSE(QFileInfo::exists(dir.Database()));
}

TEST(Data_Upkeep, FileHeldByAnotherCopyLetsThatCopyGoOn)
{
    DataDir dir;
    QProcess holder;
    holder.start(SelfPath(), {QStringLiteral("--hold"), dir.Database()});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ScriptedUi ui;
    EXPECT_TRUE(VerifyDatabase(dir.Path(), ui));
    EXPECT_TRUE(ui.Boxes.empty());
    holder.kill();
    holder.waitForFinished();
}

} // namespace
