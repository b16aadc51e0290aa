// The whole program on a temporary data directory, driven through its real
// windows with the mouse: the setup dialog, the table, the save question, the
// results, the saved-games list and best scores. Pauses are shortened by the
// test-only time scale.
#include "GameDatabase.h"
#include "TablePlayer.h"
#include "VemoProgram.h"
#include "frmBestScores.h"
#include "frmFinal.h"
#include "frmGameSetup.h"
#include "frmResume.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

using namespace vemo;

namespace {

constexpr int kWaitMs = 20000;

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings("Vemo", "Vemo").clear();
        qputenv("VEMO_DATA_DIR", dir.path().toLocal8Bit());
        qputenv("VEMO_TIME_SCALE", "0.01");
        // The first start of an installed copy copies the database in; here it is already there.
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEMO_BUILT_DATABASE), dir.filePath("Vemo.mdb")));
        QFile(dir.filePath("Vemo.mdb")).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    void TearDown() override
    {
        program.reset();
        qunsetenv("VEMO_DATA_DIR");
        qunsetenv("VEMO_TIME_SCALE");
    }

    // Starts the program and waits for its setup dialog.
    frmGameSetup* Start()
    {
        program.reset();
        ended.reset();
        program = std::make_unique<VemoProgram>([this](int status) { ended = status; });
        program->Start();
        frmGameSetup* setup = nullptr;
        (void)QTest::qWaitFor([&] { return (setup = qobject_cast<frmGameSetup*>(QApplication::activeModalWidget())); },
                        kWaitMs);
        return setup;
    }

    // Fills the setup dialog and starts a game.
    void StartGame(frmGameSetup* setup, const QString& name, int ball)
    {
        setup->txtPlayer->setText(name);
        QTest::mouseClick(setup->chkPoints[static_cast<std::size_t>(ball)], Qt::LeftButton, {},
                          QPoint(8, setup->chkPoints[static_cast<std::size_t>(ball)]->height() / 2));
        QTest::mouseClick(setup->cmdStart[0], Qt::LeftButton);
    }

    GameEngine& Engine() { return *program->Engine(); }
    frmMain& Table() { return *program->Table(); }

    // Plays by mouse until until() holds; false if it never does.
    bool PlayUntil(const std::function<bool()>& until, int maxMs = 240000)
    {
        TablePlayer player(Table(), Engine());
        QElapsedTimer clock;
        clock.start();
        while (!until()) {
            if (clock.elapsed() > maxMs || ::testing::Test::HasFatalFailure()) return false;
            // The program's own end-of-game windows are the test's to answer.
            if (qobject_cast<frmFinal*>(QApplication::activeModalWidget())) return false;
            player.Step();
            QTest::qWait(5);
        }
        return true;
    }

    // The human's turn after at least one card has been played: a game worth
    // saving; with points, after a hand has ended: a game for the history.
    bool HumanTurnAfterPlay(bool withPoints = false)
    {
        const GameState& state = Engine().State();
        bool points = false;
        for (int seat = 1; seat <= 4; ++seat) points = points || state.Scores[static_cast<std::size_t>(seat)] != 0;
        return state.CardsHaveBeenPlayed && state.WaitingForHuman && state.CurrTurn == 4 && !state.HumanTurnDone &&
               !state.HumanPlayedCard && !state.VemoAfterPrayer && !state.PlayInProgress &&
               !Table().SayVemoButton()->isVisible() && QApplication::activeModalWidget() == nullptr &&
               (points || !withPoints);
    }

    template <typename Window>
    Window* WaitForModal()
    {
        Window* window = nullptr;
        if (!QTest::qWaitFor([&] { return (window = qobject_cast<Window*>(QApplication::activeModalWidget())); },
                             kWaitMs)) {
            QWidget* modal = QApplication::activeModalWidget();
            ADD_FAILURE() << "waited for " << Window::staticMetaObject.className() << ", found "
                          << (modal ? modal->metaObject()->className() : "no window") << " "
                          << (modal ? modal->windowTitle().toStdString() : "");
        }
        return window;
    }

    void Press(QMessageBox* box, QMessageBox::StandardButton button)
    {
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    }

    // Rows of a table, read once the program has closed the database.
    int Rows(const char* table)
    {
        int count = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
            db.setDatabaseName(dir.filePath("Vemo.mdb"));
            if (db.open()) {
                QSqlQuery query(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)), db);
                if (query.next()) count = query.value(0).toInt();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("count"));
        return count;
    }

    // File > Save Game, and the box that says it is done.
    void SaveGame()
    {
        Table().MenuAction(QStringLiteral("mnuFile3"))->trigger();
        auto* box = WaitForModal<QMessageBox>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Game Saved"));
        Press(box, QMessageBox::Ok);
        EXPECT_TRUE(Engine().State().GameSaved);
    }

    // Exit on the results window: the program ends cleanly.
    void ExitFromResults()
    {
        frmFinal* results = WaitForModal<frmFinal>();
        ASSERT_NE(results, nullptr);
        QTest::mouseClick(results->cmdEnd[0], Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ended.has_value(); }, kWaitMs));
        EXPECT_EQ(*ended, 0);
        program.reset();
    }

    QTemporaryDir dir;
    std::unique_ptr<VemoProgram> program;
    std::optional<int> ended;
};

} // namespace

// A newcomer's evening: a game started, saved and left; the program started
// again, the game resumed from the list and played to its end; the finished
// game in Best Scores.
TEST_F(Program, StartPlaySaveQuitResumeFinishAndFindTheGameInBestScores)
{
    const QString name = QStringLiteral("Jo \"JJ\" O'Neil");
    frmGameSetup* setup = Start();
    ASSERT_NE(setup, nullptr);
    StartGame(setup, name, 0); // the 50-point ball
    ASSERT_TRUE(PlayUntil([&] { return HumanTurnAfterPlay(); }));
    const auto scoresAtSave = Engine().State().Scores;
    SaveGame();
    Table().MenuAction(QStringLiteral("mnuFile5"))->trigger(); // Exit
    ASSERT_NO_FATAL_FAILURE(ExitFromResults());
    EXPECT_EQ(Rows("SavedGames"), 1);

    // Started again: the saved game from the list.
    setup = Start();
    ASSERT_NE(setup, nullptr);
    QTest::mouseClick(setup->cmdStart[1], Qt::LeftButton);
    frmResume* list = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (list = setup->findChild<frmResume*>()) && list->isVisible(); }, kWaitMs));
    list->TDBGrid1->selectRow(0);
    QTest::mouseClick(list->cmdResume, Qt::LeftButton);
    // Not kept for resuming again: the record goes once the game is back on the table.
    auto* keep = WaitForModal<QMessageBox>();
    ASSERT_NE(keep, nullptr);
    EXPECT_EQ(keep->windowTitle(), QStringLiteral("Resume Game"));
    Press(keep, QMessageBox::No);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Engine().State().MainLoopRunning; }, kWaitMs));
    EXPECT_EQ(QString::fromStdString(Engine().State().Players(4).Name()), name);
    EXPECT_EQ(Engine().State().Scores, scoresAtSave);

    // Played to the end: the game ends itself on the limit.
    ASSERT_TRUE(PlayUntil([] { return qobject_cast<frmFinal*>(QApplication::activeModalWidget()) != nullptr; }))
        << "the game never ended";
    ASSERT_NO_FATAL_FAILURE(ExitFromResults());
    EXPECT_EQ(Rows("SavedGames"), 0);
    // The finished game is in the history; the one left after saving had
    // no points yet, and a game without points is not recorded.
    const int histories = Rows("History");
    EXPECT_EQ(histories, 1);

    // Best Scores lists it, the human marked with two stars.
    setup = Start();
    ASSERT_NE(setup, nullptr);
    StartGame(setup, name, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Engine().State().MainLoopRunning; }, kWaitMs));
    Table().MenuAction(QStringLiteral("mnuViewBest"))->trigger();
    frmBestScores* best = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (best = Table().findChild<frmBestScores*>()) && best->isVisible(); },
                                kWaitMs));
    QStringList cells;
    for (int row = 0; row < best->Data1->rowCount(); ++row)
        for (int column = 0; column < best->Data1->columnCount(); ++column)
            cells << best->Data1->index(row, column).data().toString();
    EXPECT_EQ(best->Data1->rowCount(), histories);
    EXPECT_TRUE(cells.contains(QStringLiteral("**") + name)) << cells.join(QLatin1Char('|')).toStdString();
    QTest::mouseClick(best->cmdClose, Qt::LeftButton);
}

// Leaving the program from each place it can be left: whether the save
// question comes, and what is kept.
TEST_F(Program, TheSaveQuestionAndTheHistoryAtExit)
{
    enum class Leave { SetupExit, MenuExitAnswerNo, MenuExitAnswerYes, MenuExitAfterSave, CloseWindow };
    const struct {
        Leave leave;
        bool withPoints; // a hand has ended before leaving
        const char* name;
        bool question;
        int saved;
        int history;
    } cases[] = {
        {Leave::SetupExit, false, "setup dialog's Exit", false, 0, 0},
        {Leave::MenuExitAnswerNo, true, "File > Exit, not saved", true, 0, 1},
        {Leave::MenuExitAnswerNo, false, "File > Exit, not saved, no points yet", true, 0, 0},
        {Leave::MenuExitAnswerYes, true, "File > Exit, saved in answer", true, 1, 0},
        {Leave::MenuExitAfterSave, true, "File > Exit after Save Game", false, 1, 1},
        {Leave::CloseWindow, true, "window closed mid-game", true, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QSqlDatabase::removeDatabase(QStringLiteral("count"));
        program.reset();
        QFile::remove(dir.filePath("Vemo.mdb"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEMO_BUILT_DATABASE), dir.filePath("Vemo.mdb")));
        QFile(dir.filePath("Vemo.mdb")).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);

        frmGameSetup* setup = Start();
        ASSERT_NE(setup, nullptr);
        if (c.leave == Leave::SetupExit) {
            QTest::mouseClick(setup->cmdStart[2], Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return ended.has_value(); }, kWaitMs));
            EXPECT_EQ(*ended, 0);
            program.reset();
        } else {
            StartGame(setup, QStringLiteral("Ann"), 2);
            ASSERT_TRUE(PlayUntil([&] { return HumanTurnAfterPlay(c.withPoints); }));
            if (c.leave == Leave::MenuExitAfterSave) {
                SaveGame();
            }
            if (c.leave == Leave::CloseWindow)
                Table().close();
            else
                Table().MenuAction(QStringLiteral("mnuFile5"))->trigger();
            if (c.question) {
                auto* box = WaitForModal<QMessageBox>();
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->windowTitle(), QStringLiteral("Save Game?"));
                EXPECT_EQ(box->text(),
                          QStringLiteral("This game has not been played to completion.\n\nWould you like to save it?"));
                Press(box, c.leave == Leave::MenuExitAnswerYes ? QMessageBox::Yes : QMessageBox::No);
                if (c.leave == Leave::MenuExitAnswerYes) {
                    auto* saved = WaitForModal<QMessageBox>();
                    ASSERT_NE(saved, nullptr);
                    EXPECT_EQ(saved->windowTitle(), QStringLiteral("Game Saved"));
                    Press(saved, QMessageBox::Ok);
                }
            }
            ASSERT_NO_FATAL_FAILURE(ExitFromResults());
        }
        EXPECT_EQ(Rows("SavedGames"), c.saved);
        EXPECT_EQ(Rows("History"), c.history);
    }
}

// No database in the data directory and no shipped copy to start it from: the
// program says so under "Critical Error" and ends.
TEST_F(Program, NoDatabaseAnywhereIsACriticalError)
{
    QTemporaryDir empty; // the test program has no shipped copy beside it
    qputenv("VEMO_DATA_DIR", empty.path().toLocal8Bit());
    QString caption, text;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            text = box->text();
            box->accept();
        }
    });
    watcher.start(20);
    program = std::make_unique<VemoProgram>([this](int status) { ended = status; });
    program->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.has_value(); }, kWaitMs));
    EXPECT_EQ(caption, QStringLiteral("Critical Error"));
    EXPECT_EQ(text, QDir::toNativeSeparators(QDir(empty.path()).filePath(QStringLiteral("Vemo.mdb"))) +
                        QStringLiteral(" was not found.  Please contact the help desk."));
    EXPECT_EQ(*ended, 1);
}
