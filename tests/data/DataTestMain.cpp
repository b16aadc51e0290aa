// The database tests' main. Started with a child role, the program plays the
// second process of a test instead of running the tests.

#include "DataTestSupport.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <cstdio>
#include <thread>

namespace vemo::test {

namespace {
QString g_self;

Task<void> RunResume(GameRecords& records, std::int32_t id, bool& result)
{
    result = co_await records.ResumeSavedGame(id);
}

Task<void> RunSave(GameRecords& records) { co_await records.SaveGame(); }

Task<void> RunSetup(GameEngine& engine, GameSetupChoice choice)
{
    const bool started = co_await engine.SetParametersForThisGame(choice);
    if (started) engine.State().Tag = "START";
}

// --hold PATH: opens the database as the game does and keeps it until killed.
int HoldDatabase(const QString& path)
{
    GameDatabase database;
    database.Open(path);
    std::puts("held");
    std::fflush(stdout);
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}

// --save-forever PATH: saves games one after another until killed.
int SaveForever(const QString& path)
{
    Table table(path);
    table.StartGame();
    std::puts("saving");
    std::fflush(stdout);
    for (;;) table.database.AppendSavedGame(RecordFromSnapshot(table.engine.State(), true));
}
} // namespace

QString SelfPath() { return g_self; }

bool Table::Resume(std::int32_t id)
{
    bool result = false;
    engine.Start(RunResume(store, id, result));
    return result;
}

void Table::Save() { engine.Start(RunSave(store)); }

void Table::StartGame(const std::string& human)
{
    // As StartNewGame leaves it before the setup dialog.
    LoadVemoCardDeck(engine.State().Deck);
    ShuffleFullDeck(engine.State().Deck);
    GameSetupChoice choice;
    choice.HumanName = human;
    choice.Opponents = {{{"Adam", 1, 1}, {"Ben", 2, 2}, {"Caleb", 3, 3}}};
    engine.Start(RunSetup(engine, choice));
}

void Exec(const QString& path, const std::vector<std::string>& statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("arrange"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        for (const std::string& sql : statements) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(QString::fromStdString(sql))) << sql << ": " << query.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("arrange"));
}

QString Query(const QString& path, const std::string& sql)
{
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("inspect"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QString::fromStdString(sql)) && query.next()) value = query.value(0).toString();
            else value = QStringLiteral("<error: %1>").arg(query.lastError().text());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    return value;
}

void Fill(const QString& path, int rows, const std::string& insert)
{
    if (rows > 0)
        Exec(path, {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows) +
                    ") " + insert + " FROM n"});
}

std::map<CardCode, int> Count(const std::vector<CardCode>& cards)
{
    std::map<CardCode, int> counts;
    for (CardCode c : cards) ++counts[c];
    return counts;
}

std::map<CardCode, int> CatalogueCounts()
{
    CardDeck deck;
    LoadVemoCardDeck(deck);
    return Count({deck.Deck.begin() + 1, deck.Deck.end()});
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace vemo::test

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    vemo::test::g_self = QCoreApplication::applicationFilePath();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QStringLiteral("--hold")) return vemo::test::HoldDatabase(args[2]);
    if (args.size() == 3 && args[1] == QStringLiteral("--save-forever")) return vemo::test::SaveForever(args[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
