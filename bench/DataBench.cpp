// Speed of the database work a player waits for: a save, a resume, the
// best-scores list and the start-up compaction.

#include "DatabaseUpkeep.h"
#include "GameDatabase.h"
#include "GameRecordsStore.h"
#include "HeadlessTableView.h"
#include "ReportError.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace vemo;

QString FreshDatabase(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("Vemo.mdb"));
    QFile::remove(path);
    QFile::copy(QStringLiteral(VEMO_BUILT_DATABASE), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

SavedGameRecord Record()
{
    SavedGameRecord r;
    r.DateSaved = CurrentTimestamp();
    r.Seats[1] = {"Adam", 12, 7, "B1B2G3LVRDP7P7"};
    r.Seats[2] = {"Ben", 0, 5, "G1G2G3G4G5"};
    r.Seats[3] = {"Caleb", 40, 6, "R1R2R3R4LGLK"};
    r.Seats[4] = {"Ann", 7, 4, "B5B6BSPT"};
    r.CurrTurn = 4;
    r.CurrColor = "P";
    r.CurrCard = "P4";
    r.ActualCurrCard = "P4";
    r.CurrDirection = "R";
    r.CurrDealer = 2;
    r.AnimationOption = 1;
    r.ScoreLimit = 100;
    return r;
}

struct NoShell : GameShell {
    Task<void> ExitAll(std::string) override { co_return; }
};

Task<void> Resume(GameRecords& records, std::int32_t id, bool& result) { result = co_await records.ResumeSavedGame(id); }

struct QuietUi : MaintenanceUi {
    void ShowRepairStatus(bool) override {}
    void SetOperation(std::string_view) override {}
    std::string ShowMessageBox(const MessageBoxSpec&) override { return "YES"; }
    void Beep() override {}
};

void BM_SaveGame(benchmark::State& state)
{
    QTemporaryDir dir;
    GameDatabase database;
    database.Open(FreshDatabase(dir));
    const SavedGameRecord record = Record();
    for (auto _ : state) benchmark::DoNotOptimize(database.AppendSavedGame(record));
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond);

void BM_ResumeSavedGame(benchmark::State& state)
{
    QTemporaryDir dir;
    GameDatabase database;
    database.Open(FreshDatabase(dir));
    HeadlessTableView view; // answers No to the keep question: the row goes
    NoShell shell;
    GameRecordsStore store(database);
    GameEngine engine(view, store, shell);
    store.Attach(engine);
    view.Attach(engine, nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        const std::int32_t id = database.AppendSavedGame(Record());
        engine.State().Players.Clear();
        state.ResumeTiming();
        bool resumed = false;
        engine.Start(Resume(store, id, resumed));
        if (!resumed) state.SkipWithError("resume failed");
    }
}
BENCHMARK(BM_ResumeSavedGame)->Unit(benchmark::kMillisecond);

void BM_BestScores(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = FreshDatabase(dir);
    GameDatabase database;
    database.Open(path);
    QSqlQuery fill(database.Connection());
    fill.exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
        "INSERT INTO History (DatePlayed, Winner, WinnerScore, SecondPlace, SecondScore, ThirdPlace, ThirdScore, "
        "FourthPlace, FourthScore, GapBetweenWinnerLoser) SELECT datetime('2020-01-01', '+' || i || ' hours'), "
        "'Adam', i % 50, '**Ann', 60, 'Ben', 80, 'Caleb', 100 + i % 97, 100 + i % 97 - i % 50 FROM n")
                  .arg(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(database.BestScores());
}
BENCHMARK(BM_BestScores)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CompactDatabase(benchmark::State& state)
{
    QTemporaryDir dir;
    QuietUi ui;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = FreshDatabase(dir);
        {
            GameDatabase database;
            database.Open(path);
            for (int i = 0; i < state.range(0); ++i) database.AppendSavedGame(Record());
        }
        state.ResumeTiming();
        CompactDatabaseRtn(path, dir.filePath(QStringLiteral("Vemodb.BAK")), ui);
    }
}
BENCHMARK(BM_CompactDatabase)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir logs;
    SetErrorLogDirectory(logs.path().toStdString());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
