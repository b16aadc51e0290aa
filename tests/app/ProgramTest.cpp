// The whole program on a temporary data directory, driven through its real
// windows with the mouse: the setup dialog, the table, the message boxes, the
// save question, the results, the saved-games list and best scores. Pauses are
// shortened by the test-only time scale.
#include "ErrorBoxes.h"
#include "GameDatabase.h"
#include "MousePlayer.h"
#include "ReportError.h"
#include "Version.h"
#include "VemoProgram.h"
#include "frmBestScores.h"
#include "frmFinal.h"
#include "frmGameSetup.h"
#include "frmResume.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
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

// Escape and the close box leave a Yes/No question open: only a button answers it.
void BrushAway(QMessageBox* box)
{
    QTest::keyClick(box, Qt::Key_Escape);
    box->close();
    EXPECT_TRUE(box->isVisible()) << box->windowTitle().toStdString();
}

void Press(QMessageBox* box, QMessageBox::StandardButton button)
{
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->button(button), Qt::LeftButton);
}

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings("Vemo", "Vemo").clear();
        qputenv("VEMO_TIME_SCALE", "0.01");
        FreshDatabase();
    }
    void TearDown() override
    {
        program.reset();
        qunsetenv("VEMO_DATA_DIR");
        qunsetenv("VEMO_TIME_SCALE");
    }

    // The data directory with a new copy of the shipped database, as the first
    // start of an installed copy makes it.
    void FreshDatabase()
    {
        program.reset();
        qputenv("VEMO_DATA_DIR", dir.path().toLocal8Bit());
        QFile::remove(dir.filePath("Vemo.mdb"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEMO_BUILT_DATABASE), dir.filePath("Vemo.mdb")));
        QFile(dir.filePath("Vemo.mdb")).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // Saved games that cannot be resumed (no opponent of theirs is in the
    // roster), history rows and the start counter, before the program starts.
    void AddRows(int saved, int history, int startCount)
    {
        GameDatabase database;
        database.Open(dir.filePath("Vemo.mdb"));
        SavedGameRecord game;
        game.DateSaved = "2024-01-01 10:00:00.000";
        for (SavedSeat& seat : game.Seats) seat.Name = "Nobody";
        for (int k = 0; k < saved; ++k) database.AppendSavedGame(game);
        HistoryRow row;
        row.DatePlayed = game.DateSaved;
        for (int k = 0; k < history; ++k) database.AppendHistory(row);
        database.WriteProperty("CompactIteration", startCount);
    }

    // Saved games and history rows, once the program has closed the database.
    std::pair<int, int> Kept()
    {
        GameDatabase database;
        database.Open(dir.filePath("Vemo.mdb"));
        return {database.CountSavedGames(), database.CountHistory()};
    }

    void Launch()
    {
        program.reset();
        ended.reset();
        program = std::make_unique<VemoProgram>([this](int status) { ended = status; });
        program->Start();
    }

    template <typename Window>
    Window* WaitForModal()
    {
        Window* window = nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&] { return (window = qobject_cast<Window*>(QApplication::activeModalWidget())); },
                                    kWaitMs))
            << "waited for " << Window::staticMetaObject.className();
        return window;
    }

    // Starts the program and waits for its setup dialog.
    frmGameSetup* Start()
    {
        Launch();
        return WaitForModal<frmGameSetup>();
    }

    // Starts the program and a game from the setup dialog.
    void StartGame(const QString& name, std::size_t ball)
    {
        frmGameSetup* setup = Start();
        ASSERT_NE(setup, nullptr);
        setup->txtPlayer->setText(name);
        QTest::mouseClick(setup->chkPoints[ball], Qt::LeftButton, {}, QPoint(8, setup->chkPoints[ball]->height() / 2));
        QTest::mouseClick(setup->cmdStart[0], Qt::LeftButton);
    }

    GameEngine& Engine() { return *program->Engine(); }
    frmMain& Table() { return *program->Table(); }

    // Plays by mouse until until() holds; false if it never does.
    bool PlayUntil(const std::function<bool()>& until, int maxMs = 240000)
    {
        MousePlayer player(Table(), Engine());
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

    // The box that says a game is saved.
    void GameSavedBox()
    {
        auto* box = WaitForModal<QMessageBox>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Game Saved"));
        Press(box, QMessageBox::Ok);
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
    ASSERT_NO_FATAL_FAILURE(StartGame(name, 0)); // the 50-point ball
    ASSERT_TRUE(PlayUntil([&] { return HumanTurnAfterPlay(); }));
    const auto scoresAtSave = Engine().State().Scores;
    Table().MenuAction(QStringLiteral("mnuFile3"))->trigger(); // Save Game
    ASSERT_NO_FATAL_FAILURE(GameSavedBox());
    EXPECT_TRUE(Engine().State().GameSaved);
    Table().MenuAction(QStringLiteral("mnuFile5"))->trigger(); // Exit
    ASSERT_NO_FATAL_FAILURE(ExitFromResults());
    EXPECT_EQ(Kept().first, 1);

    // Started again: the saved game from the list.
    frmGameSetup* setup = Start();
    ASSERT_NE(setup, nullptr);
    QTest::mouseClick(setup->cmdStart[1], Qt::LeftButton);
    frmResume* list = WaitForModal<frmResume>();
    ASSERT_NE(list, nullptr);
    list->TDBGrid1->selectRow(0);
    QTest::mouseClick(list->cmdResume, Qt::LeftButton);
    // Not kept for resuming again: the record goes once the game is back on the table.
    auto* keep = WaitForModal<QMessageBox>();
    ASSERT_NE(keep, nullptr);
    EXPECT_EQ(keep->windowTitle(), QStringLiteral("Resume Game"));
    BrushAway(keep);
    Press(keep, QMessageBox::No);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Engine().State().MainLoopRunning; }, kWaitMs));
    EXPECT_EQ(QString::fromStdString(Engine().State().Players(4).Name()), name);
    EXPECT_EQ(Engine().State().Scores, scoresAtSave);

    // Played to the end: the game ends itself on the limit.
    ASSERT_TRUE(PlayUntil([] { return qobject_cast<frmFinal*>(QApplication::activeModalWidget()) != nullptr; }))
        << "the game never ended";
    ASSERT_NO_FATAL_FAILURE(ExitFromResults());
    // The finished game is in the history; the one left after saving had
    // no points yet, and a game without points is not recorded.
    EXPECT_EQ(Kept(), std::make_pair(0, 1));

    // Best Scores lists it, the human marked with two stars.
    ASSERT_NO_FATAL_FAILURE(StartGame(name, 3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Engine().State().MainLoopRunning; }, kWaitMs));
    Table().MenuAction(QStringLiteral("mnuViewBest"))->trigger();
    frmBestScores* best = WaitForModal<frmBestScores>();
    ASSERT_NE(best, nullptr);
    ASSERT_EQ(best->Data1->rowCount(), 1);
    QStringList cells;
    for (int column = 0; column < best->Data1->columnCount(); ++column) cells << best->Data1->index(0, column).data().toString();
    EXPECT_TRUE(cells.contains(QStringLiteral("**") + name)) << cells.join(QLatin1Char('|')).toStdString();
    QTest::mouseClick(best->cmdClose, Qt::LeftButton);
}

// Leaving the program from each place it can be left: whether the save
// question comes, and what is kept. (File > Exit answered Yes: in the
// message boxes' table.)
TEST_F(Program, TheSaveQuestionAndTheHistoryAtExit)
{
    enum class Leave { SetupExit, MenuExit, MenuExitAfterSave, CloseWindow };
    const struct {
        Leave leave;
        bool withPoints; // a hand has ended before leaving
        const char* name;
        bool question; // answered No
        std::pair<int, int> kept; // saved games, history rows
    } cases[] = {
        {Leave::SetupExit, false, "setup dialog's Exit", false, {0, 0}},
        {Leave::MenuExit, true, "File > Exit, not saved", true, {0, 1}},
        {Leave::MenuExit, false, "File > Exit, not saved, no points yet", true, {0, 0}},
        {Leave::MenuExitAfterSave, true, "File > Exit after Save Game", false, {1, 1}},
        {Leave::CloseWindow, true, "window closed mid-game", true, {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(FreshDatabase());
        if (c.leave == Leave::SetupExit) {
            frmGameSetup* setup = Start();
            ASSERT_NE(setup, nullptr);
            QTest::mouseClick(setup->cmdStart[2], Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return ended == 0; }, kWaitMs));
            program.reset();
        } else {
            ASSERT_NO_FATAL_FAILURE(StartGame(QStringLiteral("Ann"), 2));
            ASSERT_TRUE(PlayUntil([&] { return HumanTurnAfterPlay(c.withPoints); }));
            if (c.leave == Leave::MenuExitAfterSave) {
                Table().MenuAction(QStringLiteral("mnuFile3"))->trigger();
                ASSERT_NO_FATAL_FAILURE(GameSavedBox());
            }
            if (c.leave == Leave::CloseWindow)
                Table().close();
            else
                Table().MenuAction(QStringLiteral("mnuFile5"))->trigger();
            if (c.question) {
                auto* box = WaitForModal<QMessageBox>();
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->windowTitle(), QStringLiteral("Save Game?"));
                Press(box, QMessageBox::No);
            }
            ASSERT_NO_FATAL_FAILURE(ExitFromResults());
        }
        EXPECT_EQ(Kept(), c.kept);
    }
}

// Every message box of the start-up, the setup dialog, a fault and leaving,
// as the player meets it: caption, text, icon and default button. A question
// brushed away with Escape and the close box stays open and decides nothing;
// Enter gives the default answer, and what that answer does is done.
TEST_F(Program, TheMessageBoxesAsThePlayerMeetsThem)
{
    using Box = QMessageBox;
    QTemporaryDir empty; // no database, and the test program has no shipped copy beside it
    const auto nothingStarted = [this] {
        frmGameSetup* setup = WaitForModal<frmGameSetup>();
        ASSERT_NE(setup, nullptr);
        EXPECT_FALSE(setup->Busy());
        EXPECT_EQ(Engine().State().Players.Count(), 0);
        EXPECT_EQ(Engine().State().Tag, "");
    };
    const struct {
        QString caption, text;
        Box::Icon icon;
        Box::StandardButton defaultButton;
        std::function<void()> open, after; // until the box shows; what the default answer did
    } rows[] = {
        {"Too Many Saved", "There are more than 100 saved games.\n\nDo you want to eliminate the oldest saved games? (recommend Yes)",
         Box::Question, Box::Yes, [&] { AddRows(101, 0, 10), (void)Start(); },
         [&] { EXPECT_EQ(program->Database().CountSavedGames(), 75); }},
        {"Too Much History", "There are more than 300 games in the history file.\n\n"
                             "Do you want to eliminate the excess history records? (recommend Yes)",
         Box::Question, Box::Yes, [&] { AddRows(0, 301, 10), (void)Start(); },
         [&] { EXPECT_EQ(program->Database().CountHistory(), 200); }},
        {"Critical Error", QDir::toNativeSeparators(QDir(empty.path()).filePath("Vemo.mdb")) +
                               " was not found.  Please contact the help desk.",
         Box::Critical, Box::Ok, [&] { qputenv("VEMO_DATA_DIR", empty.path().toLocal8Bit()), Launch(); },
         [&] { EXPECT_TRUE(QTest::qWaitFor([&] { return ended == 1; }, kWaitMs)); }},
        {"Computer Player Error", "Computer player 'D'Arcy' is not in the database of computer players.  This is a "
                                  "problem.\n\n Please select another computer player or contact technical support.",
         Box::Warning, Box::Ok,
         [&] {
             frmGameSetup* setup = Start();
             ASSERT_NE(setup, nullptr);
             setup->cboPlayer[2]->setCurrentIndex(setup->cboPlayer[2]->findText("D'Arcy"));
             // The roster changes after the lists were filled.
             QSqlQuery(program->Database().Connection()).exec("DELETE FROM ComputerPlayers WHERE PlayerName = 'D''Arcy'");
             QTest::mouseClick(setup->cmdStart[0], Qt::LeftButton);
         },
         nothingStarted},
        {"Resume Game", "An error occurred while trying to resume this game.\n\nPlease try again or select a different game.",
         Box::Critical, Box::Ok,
         [&] {
             AddRows(1, 0, 0);
             frmGameSetup* setup = Start();
             ASSERT_NE(setup, nullptr);
             QTest::mouseClick(setup->cmdStart[1], Qt::LeftButton);
             frmResume* list = WaitForModal<frmResume>();
             ASSERT_NE(list, nullptr);
             list->TDBGrid1->selectRow(0);
             QTest::mouseClick(list->cmdResume, Qt::LeftButton);
         },
         [&] {
             nothingStarted();
             EXPECT_EQ(program->Database().CountSavedGames(), 1);
         }},
        {QStringLiteral("Vemo v%1.%2 Error #6").arg(kVersionMajor).arg(kVersionMinor),
         "error: Overflow\n\nThe error above has interrupted the processing of Vemo.\n\nThe error has been logged to the "
         "file " + QDir::tempPath() + "/error.log.\n\nThe program can now attempt to continue in spite of the error, or "
         "the program can terminate.\n\nWould you like the program to attempt to continue?",
         Box::Warning, Box::Yes,
         [] {
             SetErrorLogDirectory(QDir::tempPath().toStdString());
             ErrorBoxes boxes;
             SetErrorReportHandler(&boxes);
             ReportError("TheTest", 6, "Overflow");
             SetErrorReportHandler(nullptr);
         },
         [] {}}, // ReportError returned: the program goes on
        {"Save Game?", "This game has not been played to completion.\n\nWould you like to save it?", Box::Question,
         Box::Yes,
         [&] {
             ASSERT_NO_FATAL_FAILURE(StartGame(QStringLiteral("Ann"), 2));
             ASSERT_TRUE(PlayUntil([&] { return HumanTurnAfterPlay(true); }));
             Table().MenuAction(QStringLiteral("mnuFile5"))->trigger();
         },
         [&] {
             ASSERT_NO_FATAL_FAILURE(GameSavedBox());
             ASSERT_NO_FATAL_FAILURE(ExitFromResults());
             EXPECT_EQ(Kept(), std::make_pair(1, 0));
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption.toStdString());
        ASSERT_NO_FATAL_FAILURE(FreshDatabase());
        bool answered = false;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (answered || !box || box->windowTitle() != row.caption) return;
            answered = true;
            EXPECT_EQ(box->text(), row.text);
            EXPECT_EQ(box->icon(), row.icon);
            if (box->buttons().size() > 1) BrushAway(box);
            // The default is the button Enter presses.
            QObject::connect(box, &QMessageBox::buttonClicked, [&, box](QAbstractButton* button) {
                EXPECT_EQ(box->standardButton(button), row.defaultButton);
            });
            QTest::keyClick(box, Qt::Key_Return);
        });
        watcher.start(20);
        row.open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, kWaitMs)) << "the box never came";
        row.after();
    }
}
