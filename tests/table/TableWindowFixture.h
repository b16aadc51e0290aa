#pragma once
// The real table window attached to the real engine, with a fixed game
// started from a stand-in setup dialog. Shared by the table window's tests.
#include "GameDatabase.h"
#include "GameEngine.h"
#include "TablePlayer.h"
#include "TableShell.h"
#include "frmMain.h"
#include "frmPause.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vemo {

// Stands in for the application's windows: the setup dialog starts a fixed
// game and closes once the cards are dealt; the web site opens when told to.
class FixedSetupShell : public TableShell, public WaitCanceller {
public:
    GameEngine* engine = nullptr;
    GameSetupChoice choice;
    PendingWait* setupWait = nullptr;
    bool webSiteOpens = true;
    int webSiteOpened = 0;

    static Task<void> StartFromSetup(FixedSetupShell& shell)
    {
        const bool started = co_await shell.engine->SetParametersForThisGame(shell.choice);
        if (started) shell.engine->State().Tag = "START";
        if (PendingWait* wait = std::exchange(shell.setupWait, nullptr)) wait->Complete();
    }
    bool StartGameSetup(PendingWait& wait) override
    {
        setupWait = &wait;
        wait.KeepPending(*this);
        engine->Start(StartFromSetup(*this));
        return setupWait == nullptr;
    }
    void CancelWait(PendingWait&) override { setupWait = nullptr; }
    bool StartResumeList(PendingWait&) override { return true; }
    void ShowBestScores() override {}
    void ShowHelp(int) override {}
    bool OpenWebSite() override { return ++webSiteOpened, webSiteOpens; }
    void ShowAbout() override {}
    void TableClosed() override {}
};

class NoRecords : public GameRecords {
public:
    Task<void> SaveGame() override { co_return; }
    Task<bool> ResumeSavedGame(std::int32_t) override { co_return false; }
};

// Records the end of each game instead of showing results.
class RecordingShell : public GameShell {
public:
    std::vector<std::string> exits;
    Task<void> ExitAll(std::string reason) override { exits.push_back(std::move(reason)); co_return; }
};

// Four named players with their scores.
inline GameState FourPlayers(std::array<const char*, 4> names, std::array<std::int16_t, 4> scores)
{
    GameState state;
    for (std::size_t seat = 1; seat <= 4; ++seat) {
        state.Players.Add(std::make_unique<clsPlayer>());
        state.Players(int(seat)).Name(names[seat - 1]);
        state.Scores[seat] = scores[seat - 1];
    }
    return state;
}

// An owner window, as the table is for the real dialogs.
struct Owner {
    QWidget window;
    Owner() { window.resize(640, 480), window.show(); }
};
inline void DeleteClosed() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class TableWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings("Vemo", "Vemo").clear();
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEMO_BUILT_DATABASE), dir.filePath("Vemo.mdb")));
        QFile(dir.filePath("Vemo.mdb")).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        database.Open(dir.filePath("Vemo.mdb"));
        table = std::make_unique<frmMain>(&database);
        engine = std::make_unique<GameEngine>(*table, records, gameShell);
        shell.engine = engine.get();
        shell.choice.HumanName = "Ann";
        shell.choice.Opponents = {{{"Adam", 1, 1}, {"Ruth", 3, 6}, {"Ben", 2, 2}}};
        table->Attach(*engine, shell);
        table->SetTimeScale(0.01);
        LoadVemoCardDeck(engine->State().Deck);
        ShuffleFullDeck(engine->State().Deck);
        table->resize(800, 600);
    }
    // The engine goes first: its suspended work refers to the window.
    void TearDown() override
    {
        engine.reset();
        table.reset();
    }
    // Shows the table and waits for the first hand to be dealt: play starts
    // only when every card has landed and the hands are laid out.
    void ShowAndDeal()
    {
        table->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return engine->State().MainLoopRunning; }, 5000));
    }
    // Holds the game still (Pause) once the card in flight has landed and the
    // sentences already said have been spoken: they flush on the next pass.
    frmPause* Hold()
    {
        table->MenuAction(QStringLiteral("mnuPause"))->trigger();
        frmPause* pause = nullptr;
        if (!QTest::qWaitFor([&] { return (pause = qobject_cast<frmPause*>(QApplication::activeModalWidget())); }, 5000))
            return nullptr;
        bool passed = false;
        QTimer::singleShot(0, [&] { passed = true; });
        return QTest::qWaitFor([&] { return passed; }, 5000) ? pause : nullptr;
    }
    // Off screen, a closed dialog keeps the window system's focus and the
    // table counts as active through it; so the table asks for it.
    void Activate()
    {
        table->show();
        table->windowHandle()->requestActivate();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == table.get(); }, 5000));
    }
    // The player plays until stop() holds; false when it never does.
    template <typename Stop> bool PlayUntil(TablePlayer& player, Stop stop, int seconds = 240)
    {
        QElapsedTimer clock;
        clock.start();
        while (!stop() && !HasFatalFailure() && clock.elapsed() < seconds * 1000) {
            player.Step();
            QTest::qWait(5);
        }
        return stop();
    }

    QTemporaryDir dir;
    GameDatabase database;
    NoRecords records;
    RecordingShell gameShell;
    FixedSetupShell shell;
    std::unique_ptr<frmMain> table;
    std::unique_ptr<GameEngine> engine{};
};

} // namespace vemo
