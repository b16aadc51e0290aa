// libFuzzer target: a real Vemo.mdb holding saved games and history is
// damaged as the input says (cut short, pages overwritten, header bytes
// changed) and goes through the start-up's check and repair. Each file must
// either open, or be repaired into a sound database that keeps the damaged
// original and at least the rows SQLite reads from it, or be refused with the
// critical message and left as it was. Run scripts/fuzz-database.

#include "DatabaseUpkeep.h"
#include "GameDatabase.h"
#include "ReportError.h"
#include "ShippedScript.h"
#include "SqlScript.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

using namespace vemo;

constexpr int kSavedGames = 101;
constexpr int kHistoryRows = 301;

void Require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "database upkeep fuzz: %s\n", what);
    std::abort();
}

struct QuietUi : MaintenanceUi {
    int Boxes = 0;
    std::string Caption;
    void ShowRepairStatus(bool) override {}
    void SetOperation(std::string_view) override {}
    std::string ShowMessageBox(const MessageBoxSpec& box) override
    {
        ++Boxes;
        Caption = box.Caption;
        return box.Buttons == BoxButtons::Ok ? "OK" : "NO";
    }
    void Beep() override {}
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(), "cannot write");
}

// The rows SQLite reads from a file from either end until the first
// failure: what any repair must at least keep.
int RowsReadFromTheEnds(const QString& path, const char* table)
{
    std::set<qlonglong> ids;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("oracle"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery(db).exec(QStringLiteral("PRAGMA writable_schema=ON"));
            for (const char* order : {"", " DESC"}) {
                QSqlQuery rows(db);
                if (!rows.exec(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid%2").arg(QLatin1String(table), QLatin1String(order))))
                    continue;
                while (rows.next())
                    if (rows.value(0).toLongLong() > 0) ids.insert(rows.value(0).toLongLong());
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("oracle"));
    return static_cast<int>(ids.size());
}

// The shipped database with the player's rows, made once and the same every
// time, so that a seeded run tries exactly the same damages.
QByteArray MakeSeedDatabase(const QString& directory)
{
    const QString path = QDir(directory).filePath(QStringLiteral("seed.mdb"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("seed"));
        db.setDatabaseName(path);
        Require(db.open(), "cannot make the seed database");
        RunSqlScript(db, kShippedScript);
        QSqlQuery fill(db);
        fill.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                 "INSERT INTO SavedGames (DateSaved, CompPlayer1, CompPlayerCards1, Player4, PlayerCards4) "
                                 "SELECT '2026-01-01 12:00:00', 'Adam', printf('%028d', i * 7919), 'Ann', printf('%060d', i * 104729) FROM n")
                      .arg(kSavedGames));
        fill.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                 "INSERT INTO History (DatePlayed, Winner, WinnerScore, FourthPlace, FourthScore) "
                                 "SELECT '2026-01-01 12:00:00', '**Ann', i, 'Adam', i + 40 FROM n")
                      .arg(kHistoryRows));
        fill.exec(QStringLiteral("INSERT INTO Properties VALUES ('CompactIteration', 4)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("seed"));
    return ReadAll(path);
}

// The input as a list of damages: each takes an operation byte and a
// position given as a fraction of the file.
QByteArray Damaged(QByteArray bytes, const std::uint8_t* data, std::size_t size, int pageSize)
{
    std::size_t at = 0;
    auto next = [&]() -> unsigned { return at < size ? data[at++] : 0u; };
    auto position = [&](qsizetype span) {
        const unsigned high = next();
        const unsigned low = next();
        return span <= 0 ? qsizetype(0) : static_cast<qsizetype>(((high << 8) | low) * static_cast<quint64>(span) / 65536);
    };
    while (at < size && !bytes.isEmpty()) {
        switch (next() % 4) {
        case 0: // cut short
            bytes.truncate(position(bytes.size()));
            break;
        case 1: { // a page overwritten with one byte
            const qsizetype pages = bytes.size() / pageSize;
            const qsizetype page = position(pages);
            if (page < pages) bytes.replace(page * pageSize, pageSize, QByteArray(pageSize, static_cast<char>(next())));
            break;
        }
        case 2: { // a header byte changed
            const unsigned offset = next() % 100;
            if (offset < static_cast<unsigned>(bytes.size())) bytes[offset] = static_cast<char>(next());
            break;
        }
        case 3: { // a byte anywhere changed
            const qsizetype offset = position(bytes.size());
            if (offset < bytes.size()) bytes[offset] = static_cast<char>(next());
            break;
        }
        }
    }
    return bytes;
}

QCoreApplication* g_app = nullptr;
QTemporaryDir* g_scratch = nullptr;
QByteArray g_seed;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    g_app = new QCoreApplication(*argc, *argv);
    g_scratch = new QTemporaryDir();
    Require(g_scratch->isValid(), "no scratch directory");
    g_seed = MakeSeedDatabase(g_scratch->path());
    Require(g_seed.size() > 4096, "the seed database is empty");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTemporaryDir dir(g_scratch->filePath(QStringLiteral("run-XXXXXX")));
    SetErrorLogDirectory(dir.path().toStdString());
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Vemo.mdb"));
    const QByteArray damaged = Damaged(g_seed, data, size, 4096);
    WriteAll(path, damaged);
    const int savedGamesReadable = RowsReadFromTheEnds(path, "SavedGames");
    const int historyReadable = RowsReadFromTheEnds(path, "History");

    QuietUi ui;
    const bool goOn = VerifyDatabase(dir.path(), ui);
    const QStringList kept = QDir(dir.path()).entryList({QStringLiteral("Vemo-damaged-*.mdb")});
    if (!goOn) {
        // Refused: the critical message, and the file as it was.
        Require(ui.Boxes == 1 && ui.Caption == "Critical Error", "refused without the critical message");
        Require(ReadAll(path) == damaged || (kept.size() == 1 && ReadAll(dir.filePath(kept[0])) == damaged),
                "a refused file was changed and not kept");
        return 0;
    }
    Require(ui.Boxes == 0, "a message while going on");
    GameDatabase database;
    database.Open(path);
    Require(database.IntegrityCheck(), "the database the game opens is not sound");
    if (kept.isEmpty()) {
        Require(ReadAll(path) == damaged, "the file changed without a repair");
        return 0;
    }
    Require(kept.size() == 1 && ReadAll(dir.filePath(kept[0])) == damaged, "the damaged original was not kept");
    Require(database.CountSavedGames() >= savedGamesReadable, "the repair lost readable saved games");
    Require(database.CountHistory() >= historyReadable, "the repair lost readable history rows");
    QSqlQuery stray(database.Connection());
    Require(stray.exec(QStringLiteral("SELECT (SELECT count(*) FROM SavedGames WHERE ID < 1) + "
                                      "(SELECT count(*) FROM History WHERE ID < 1)")) &&
                stray.next() && stray.value(0).toInt() == 0,
            "the repair carried over a row no program wrote");
    return 0;
}
