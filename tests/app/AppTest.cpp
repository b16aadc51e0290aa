// The application layer. The whole program on a temporary data directory,
// driven through its real windows with the mouse: the setup dialog, the table,
// the message boxes, the save question, the results, the saved-games list and
// best scores; and those windows one by one over the running program. Pauses
// are shortened by the test-only time scale. Then the help, the About box and
// the single-instance guard, which is tested across real processes, since
// that is the only place it matters: with --probe LOCK_DIRECTORY INSTANCE_NAME
// this test program stands in for a start of the game.
#include "About.h"
#include "ErrorBoxes.h"
#include "GameDatabase.h"
#include "HelpViewer.h"
#include "TablePlayer.h"
#include "RandomInteger.h"
#include "SingleInstance.h"
#include "Twips.h"
#include "Version.h"
#include "VemoProgram.h"
#include "frmBestScores.h"
#include "frmFinal.h"
#include "frmGameSetup.h"
#include "frmResume.h"

#include <QtSql>
#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>

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

// The shown cells of a list's grid, row by row after its headings.
QStringList Shown(QTableView* grid)
{
    QStringList cells;
    for (int row = -1; row < grid->model()->rowCount(); ++row)
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            if (!grid->isColumnHidden(column))
                cells << (row < 0 ? grid->model()->headerData(column, Qt::Horizontal) : grid->model()->index(row, column).data()).toString();
    return cells;
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

    // The modal window of this type; a test that waits for it in vain ends there.
    template <typename Window>
    Window* WaitForModal()
    {
        Window* window = nullptr;
        const bool came = QTest::qWaitFor([&] { return (window = qobject_cast<Window*>(QApplication::activeModalWidget())); }, kWaitMs);
        EXPECT_TRUE(came) << "waited for " << Window::staticMetaObject.className();
        if (!came) throw std::runtime_error("the test cannot go on"); // gtest ends the test, failed
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
        setup->txtPlayer->setText(name);
        QTest::mouseClick(setup->chkPoints[ball], Qt::LeftButton, {}, QPoint(8, setup->chkPoints[ball]->height() / 2));
        QTest::mouseClick(setup->cmdStart[0], Qt::LeftButton);
    }

    GameEngine& Engine() { return *program->Engine(); }
    frmMain& Table() { return *program->Table(); }

    // Plays by mouse until until() holds; false if it never does.
    bool PlayUntil(const std::function<bool()>& until, int maxMs = 240000)
    {
        TablePlayer player(Table(), Engine());
        for (QDeadlineTimer deadline(maxMs); !until(); QTest::qWait(5)) {
            // The program's own end-of-game windows are the test's to answer.
            if (deadline.hasExpired() || HasFatalFailure() || qobject_cast<frmFinal*>(QApplication::activeModalWidget()))
                return false;
            player.Step();
        }
        return true;
    }

    // The human's turn after at least one card has been played: a game worth
    // saving; with points, after a hand has ended: a game for the history.
    bool HumanTurnAfterPlay(bool withPoints = false)
    {
        const GameState& state = Engine().State();
        const bool points = std::any_of(state.Scores.begin() + 1, state.Scores.end(), [](auto score) { return score != 0; });
        return state.CardsHaveBeenPlayed && state.WaitingForHuman && state.CurrTurn == 4 && !state.HumanTurnDone &&
               !state.HumanPlayedCard && !state.VemoAfterPrayer && !state.PlayInProgress &&
               !Table().SayVemoButton()->isVisible() && QApplication::activeModalWidget() == nullptr &&
               (points || !withPoints);
    }

    // The box that says a game is saved.
    void GameSavedBox()
    {
        auto* box = WaitForModal<QMessageBox>();
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Game Saved"));
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }

    // Exit on the results window: the program ends cleanly.
    void ExitFromResults()
    {
        frmFinal* results = WaitForModal<frmFinal>();
        QTest::mouseClick(results->cmdEnd[0], Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ended.has_value(); }, kWaitMs));
        EXPECT_EQ(*ended, 0);
        program.reset();
    }

    // Saved games and history rows added to a program that is then started
    // again as its eleventh start, which trims and compacts the database.
    void EleventhStartWith(int saved, int history)
    {
        Start();
        for (int k = 0; k < saved; ++k) AddSavedGame("2024-01-01 10:00:00.000", "Ann", k);
        for (int k = 0; k < history; ++k) AddHistory("2024-01-01 10:00:00.000", "A", 1, 20);
        program->Database().WriteProperty("CompactIteration", 10);
        (void)Start();
    }

    std::int32_t AddSavedGame(const std::string& date, const std::string& human, int humanScore)
    {
        SavedGameRecord record;
        record.DateSaved = date;
        record.Seats = {{{}, {"Adam", 10, 0, {}}, {"D'Arcy", 20, 0, {}}, {"Ruth", 30, 0, {}}, {human, humanScore, 0, {}}}};
        record.ScoreLimit = 100;
        return program->Database().AppendSavedGame(record);
    }

    void AddHistory(const std::string& date, const std::string& winner, int winnerScore, int fourthScore,
                    const std::string& second = "Ben", const std::string& third = "Ruth")
    {
        const auto score = [](int value) { return static_cast<std::int16_t>(value); };
        program->Database().AppendHistory({0, date, winner, score(winnerScore), second, score(winnerScore + 1), third,
                                           score(winnerScore + 2), "Sam", score(fourthScore), score(fourthScore - winnerScore)});
    }

    // The two lists over the table; their clips and answers ("closed" for Best Scores) are kept.
    frmResume* OpenResumeList(bool soundOn = false)
    {
        auto* list = new frmResume(&Table(), program->Database(), soundOn, Clip(), [this](const QString& a) { answers << a; });
        list->open();
        return list;
    }
    frmBestScores* OpenBestScores(bool soundOn = false)
    {
        auto* list = new frmBestScores(&Table(), program->Database(), soundOn, Clip(), [this] { answers << "closed"; });
        list->open();
        return list;
    }
    std::function<void(int)> Clip() { return [this](int clip) { clips.push_back(clip); }; }

    QTemporaryDir dir;
    std::unique_ptr<VemoProgram> program;
    std::optional<int> ended;
    std::vector<int> clips;
    QStringList answers;
};

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
    Table().MenuAction(QStringLiteral("mnuFile5"))->trigger(); // Exit
    ASSERT_NO_FATAL_FAILURE(ExitFromResults());
    EXPECT_EQ(Kept().first, 1);

    // Started again: the saved game from the list, its only (and highlighted) row.
    QTest::mouseClick(Start()->cmdStart[1], Qt::LeftButton);
    QTest::mouseClick(WaitForModal<frmResume>()->cmdResume, Qt::LeftButton);
    // Not kept for resuming again: the record goes once the game is back on the table.
    auto* keep = WaitForModal<QMessageBox>();
    EXPECT_EQ(keep->windowTitle(), QStringLiteral("Resume Game"));
    BrushAway(keep);
    QTest::mouseClick(keep->button(QMessageBox::No), Qt::LeftButton);
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
    EXPECT_TRUE(Shown(best->TDBGrid1).contains(QStringLiteral("**") + name)) << Shown(best->TDBGrid1).join('|').toStdString();
    QTest::mouseClick(best->cmdClose, Qt::LeftButton);
}

// Leaving the program from each place it can be left: whether the save
// question comes, as the player meets it, what its answer does (Enter: its
// default) and what is kept.
TEST_F(Program, TheSaveQuestionAndTheHistoryAtExit)
{
    enum class Leave { SetupExit, MenuExit, MenuExitAfterSave, CloseWindow };
    const struct {
        Leave leave;
        bool withPoints; // a hand has ended before leaving
        int answer;      // to the save question: Qt::Key_Return or QMessageBox::No; 0 when it must not come
        const char* name;
        std::pair<int, int> kept; // saved games, history rows
    } cases[] = {
        {Leave::SetupExit, false, 0, "setup dialog's Exit", {0, 0}},
        {Leave::MenuExit, true, QMessageBox::No, "File > Exit, not saved", {0, 1}},
        {Leave::MenuExit, true, Qt::Key_Return, "File > Exit, saved by Enter", {1, 0}},
        {Leave::MenuExit, false, QMessageBox::No, "File > Exit, not saved, no points yet", {0, 0}},
        {Leave::MenuExitAfterSave, true, 0, "File > Exit after Save Game", {1, 1}},
        {Leave::CloseWindow, true, QMessageBox::No, "window closed mid-game", {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(FreshDatabase());
        if (c.leave == Leave::SetupExit) {
            QTest::mouseClick(Start()->cmdStart[2], Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return ended == 0; }, kWaitMs));
            EXPECT_EQ(Kept(), c.kept);
            continue;
        }
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
        if (c.answer) {
            auto* box = WaitForModal<QMessageBox>();
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Save Game?"));
            EXPECT_EQ(box->text(), QStringLiteral("This game has not been played to completion.\n\nWould you like to save it?"));
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            BrushAway(box);
            if (c.answer == QMessageBox::No) QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
            if (c.answer == Qt::Key_Return) {
                QTest::keyClick(box, Qt::Key_Return);
                ASSERT_NO_FATAL_FAILURE(GameSavedBox());
            }
        }
        ASSERT_NO_FATAL_FAILURE(ExitFromResults());
        EXPECT_EQ(Kept(), c.kept);
    }
}

// Every message box of the start-up, the setup dialog and a fault as the
// player meets it: caption, text, icon and default button. A question
// brushed away with Escape and the close box stays open and decides nothing;
// Enter gives the default answer, and what that answer does is done. (The
// save question: in the exit table.)
TEST_F(Program, TheMessageBoxesAsThePlayerMeetsThem)
{
    using Box = QMessageBox;
    QTemporaryDir empty; // no database, and the test program has no shipped copy beside it
    const auto nothingStarted = [this] {
        frmGameSetup* setup = WaitForModal<frmGameSetup>();
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
         Box::Question, Box::Yes, [&] { EleventhStartWith(101, 0); },
         [&] { EXPECT_EQ(program->Database().CountSavedGames(), 75); }},
        {"Too Much History", "There are more than 300 games in the history file.\n\n"
                             "Do you want to eliminate the excess history records? (recommend Yes)",
         Box::Question, Box::Yes, [&] { EleventhStartWith(0, 301); },
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
             setup->cboPlayer[2]->setCurrentIndex(setup->cboPlayer[2]->findText("D'Arcy"));
             // The roster changes after the lists were filled.
             QSqlQuery(program->Database().Connection()).exec("DELETE FROM ComputerPlayers WHERE PlayerName = 'D''Arcy'");
             QTest::mouseClick(setup->cmdStart[0], Qt::LeftButton);
         },
         nothingStarted},
        {"Resume Game", "An error occurred while trying to resume this game.\n\nPlease try again or select a different game.",
         Box::Critical, Box::Ok,
         [&] {
             frmGameSetup* setup = Start();
             AddSavedGame("2024-01-01 10:00:00.000", "Ann", 1); // no hands: it cannot be resumed
             QTest::mouseClick(setup->cmdStart[1], Qt::LeftButton);
             QTest::mouseClick(WaitForModal<frmResume>()->cmdResume, Qt::LeftButton);
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
         {}}, // ReportError returned: the program goes on
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
            QObject::connect(box, &QMessageBox::buttonClicked,
                             [&, box](QAbstractButton* button) { EXPECT_EQ(box->standardButton(button), row.defaultButton); });
            QTest::keyClick(box, Qt::Key_Return);
        });
        watcher.start(20);
        row.open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, kWaitMs)) << "the box never came";
        if (row.after) row.after();
    }
}

// ------------------------------------------------------------- the windows

// The program's setup dialog: its texts and defaults, the whole roster with
// three different defaults drawn at random, lists that take no typing, balls
// chosen by mouse and keys, Help, Escape and a cancelled resume list that
// leave it as it was, and a new game started with what it shows.
TEST_F(Program, TheSetupDialogFromItsTextsToANewGame)
{
    frmGameSetup* dialog = Start();
    std::map<QWidget*, QString> labels; // each field's label names it
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->buddy()) labels[label->buddy()] = label->text();
    std::vector<std::pair<QString, QString>> shown = {
        {dialog->windowTitle(), "Vemo Game Setup"}, {dialog->CandyCommand1->accessibleName(), "Vemo Game Setup"},
        {dialog->txtPlayer->text(), "MyName"}, {dialog->txtPlayer->toolTip(), "Enter your name for this game"},
        {labels[dialog->txtPlayer], "Your Name:"}, {dialog->fraPoints->title(), "Click on ball to select total points"},
        {dialog->fraPoints->toolTip(), "Click on ball to select total points for this game"},
    };
    const char* captions[] = {"Start New Game", "Resume Saved Game", "Exit Game", "Help"};
    const char* tips[] = {"Start new game using parameters below", "Resume a game that has been previously saved",
                          "Exit new game setup without starting new game", "Get help on starting a new game"};
    const int limits[] = {50, 200, 500, 100};
    for (std::size_t k = 0; k < 4; ++k)
        shown.insert(shown.end(), {{dialog->cmdStart[k]->text(), captions[k]}, {dialog->cmdStart[k]->toolTip(), tips[k]},
                                   {dialog->chkPoints[k]->text(), QStringLiteral("Play until someone has %1 points").arg(limits[k])},
                                   {dialog->chkPoints[k]->toolTip(), QStringLiteral("Play game until someone reaches %1 points").arg(limits[k])}});
    for (std::size_t seat = 1; seat <= 3; ++seat)
        shown.insert(shown.end(), {{labels[dialog->cboPlayer[seat]], QStringLiteral("Computer Player %1:").arg(seat)},
                                   {dialog->cboPlayer[seat]->toolTip(), "Select a computer player"}});
    for (const auto& [actual, expected] : shown) EXPECT_EQ(actual, expected);
    EXPECT_EQ(dialog->ChosenScoreLimit(), 100) << "the 100-point ball, and no other before it, is checked";

    // Each list offers the whole roster, the Expert marked, each entry's data its stored name.
    QStringList roster, offered;
    for (const ComputerPlayerRow& row : program->Database().ComputerPlayers())
        roster << QString::fromStdString(row.PlayerName + (row.PlayingStyle == 5 ? " (Expert)|" : "|") + row.PlayerName);
    ASSERT_TRUE(roster.contains(QStringLiteral("Solomon (Expert)|Solomon")));
    for (std::size_t seat = 1; seat <= 3; ++seat)
        for (int k = 0; k < dialog->cboPlayer[seat]->count(); ++k)
            offered << dialog->cboPlayer[seat]->itemText(k) + "|" + dialog->cboPlayer[seat]->itemData(k).toString();
    EXPECT_EQ(offered, roster + roster + roster);
    const auto another = [this] { return std::make_unique<frmGameSetup>(&Table(), Engine(), program->Database(), frmGameSetup::Callbacks{}, nullptr); };
    std::set<QString> defaultsSeen;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        SeedRandom(seed);
        const auto setup = another();
        const std::set<QString> chosen = {setup->cboPlayer[1]->currentText(), setup->cboPlayer[2]->currentText(),
                                          setup->cboPlayer[3]->currentText()};
        EXPECT_EQ(chosen.size(), 3u) << "seed " << seed;
        defaultsSeen.insert(chosen.begin(), chosen.end());
    }
    UnseedRandom();
    EXPECT_GT(defaultsSeen.size(), 6u) << "the defaults are drawn, not fixed";
    Engine().State().HumanPlayerName = "Ann";
    EXPECT_EQ(another()->txtPlayer->text(), QStringLiteral("Ann")) << "the last name comes back";

    // Typing into a list changes nothing; the arrow keys still choose (the
    // same opponent for all three seats, which is allowed).
    for (QComboBox* combo : {dialog->cboPlayer[1], dialog->cboPlayer[2], dialog->cboPlayer[3]}) {
        const QString before = combo->currentText();
        QTest::keyClicks(combo, QStringLiteral("Ruth sam Z"));
        EXPECT_EQ(combo->currentText(), before);
        combo->setCurrentIndex(0);
        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(combo->currentIndex(), 1);
    }

    // Exactly one ball is checked after every click, in order, repeated and
    // already checked, and the ball rests for a moment after it.
    const std::pair<std::size_t, int> clicks[] = {{3, 100}, {0, 50}, {0, 50}, {1, 200}, {2, 500}, {2, 500}, {3, 100}, {1, 200}};
    for (const auto& [k, limit] : clicks) {
        PointBall* ball = dialog->chkPoints[k];
        ASSERT_TRUE(QTest::qWaitFor([ball] { return ball->isEnabled(); }, kWaitMs));
        QTest::mouseClick(ball, Qt::LeftButton, {}, QPoint(8, ball->height() / 2));
        const auto checked = std::count_if(dialog->chkPoints.begin(), dialog->chkPoints.end(), [](auto* b) { return b->isChecked(); });
        EXPECT_TRUE(checked == 1 && ball->isChecked() && !ball->isEnabled()) << "after ball " << k;
        EXPECT_EQ(dialog->ChosenScoreLimit(), limit);
    }
    // Tab goes down the balls as they are shown; Space on a ball keeps the
    // focus on it through its rest, so a second Space still means that ball.
    ASSERT_TRUE(QTest::qWaitFor([dialog] { return dialog->chkPoints[1]->isEnabled(); }, kWaitMs));
    dialog->chkPoints[0]->setFocus();
    for (const std::size_t k : {3u, 1u, 2u}) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(dialog->focusWidget(), dialog->chkPoints[k]) << "ball " << k;
    }
    PointBall* ball = dialog->chkPoints[2];
    QTest::keyClick(ball, Qt::Key_Space);
    EXPECT_FALSE(ball->isEnabled());
    EXPECT_EQ(dialog->focusWidget(), ball);
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
    EXPECT_EQ(dialog->ChosenScoreLimit(), 500);
    ASSERT_TRUE(QTest::qWaitFor([ball] { return ball->isEnabled(); }, kWaitMs));
    EXPECT_EQ(dialog->focusWidget(), ball);

    // Help opens the help (at its topic: in the help's tests); Escape and a
    // cancelled resume list change nothing. (Exit, and a game chosen from the
    // list: above.)
    AddSavedGame("2024-01-02 10:00:00.000", "Ann", 12);
    const auto state = [dialog] {
        return std::make_tuple(dialog->frameGeometry(), dialog->txtPlayer->text(), dialog->cboPlayer[1]->currentText(),
                               dialog->cboPlayer[2]->currentText(), dialog->cboPlayer[3]->currentText(), dialog->ChosenScoreLimit());
    };
    const auto before = state();
    QTest::mouseClick(dialog->cmdStart[3], Qt::LeftButton);
    std::unique_ptr<HelpViewerDialog> help(OpenHelpViewer());
    EXPECT_TRUE(help && help->isVisible());
    help.reset();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTest::mouseClick(dialog->cmdStart[1], Qt::LeftButton);
    QPointer<frmResume> list = dialog->findChild<frmResume*>();
    ASSERT_NE(list, nullptr);
    QTest::mouseClick(list->cmdCancel, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list || !list->isVisible(); }, kWaitMs));
    EXPECT_TRUE(dialog->isVisible() && !dialog->Busy());
    EXPECT_EQ(state(), before);
    EXPECT_EQ(Engine().State().Tag, "");
    EXPECT_EQ(Engine().State().Players.Count(), 0);

    // Start New Game: a name is taken as typed, however long; the table is
    // dealt and START set as the dialog closes, slid to within one step of the
    // bottom of the screen.
    const std::string name = "Ann " + std::string(196, 'n');
    dialog->txtPlayer->clear();
    QTest::keyClicks(dialog->txtPlayer, QString::fromStdString(name));
    QTest::mouseClick(dialog->chkPoints[1], Qt::LeftButton, {}, QPoint(8, dialog->chkPoints[1]->height() / 2));
    std::vector<std::string> seated; // name and cards of each seat
    for (std::size_t seat = 1; seat <= 3; ++seat) seated.push_back(dialog->cboPlayer[seat]->currentData().toString().toStdString() + "/7");
    seated.push_back(name + "/7");
    QRect closedAt;
    std::vector<std::string> dealt;
    QObject::connect(dialog, &QDialog::finished, [&] {
        closedAt = dialog->frameGeometry();
        const GameState& game = Engine().State();
        for (int seat = 1; seat <= game.Players.Count(); ++seat)
            dealt.push_back(game.Players(seat).Name() + "/" + std::to_string(game.Players(seat).NumberOfCards()));
        EXPECT_EQ(game.Tag, "START");
    });
    QTest::mouseClick(dialog->cmdStart[0], Qt::LeftButton);
    EXPECT_TRUE(dialog->Busy());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dealt.empty(); }, kWaitMs));
    EXPECT_EQ(dealt, seated);
    EXPECT_TRUE(Engine().State().Players(4).Human());
    EXPECT_EQ(Engine().State().HumanPlayerName, name);
    EXPECT_EQ(Engine().State().ScoreLimit, 200);
    EXPECT_GT(closedAt.top(), std::get<0>(before).top());
    EXPECT_EQ(closedAt.left(), std::get<0>(before).left());
    EXPECT_LE(Table().screen()->geometry().bottom() - closedAt.bottom(), TwipsToPixels(frmGameSetup::kSlideStepTwips) + 1);
}

// ---------------------------------------------------- frmResume, frmBestScores

TEST_F(Program, TheResumeListShowsEverySavedGameAndAnswersTheChosenIdOrNothing)
{
    Start();
    // Saved out of date order: the list keeps the statement's order.
    const std::int32_t ids[] = {AddSavedGame("2024-05-01 09:30:41.000", "Ann", 12),
                                AddSavedGame("2023-01-01 08:00:00.000", "**Bob, \"Jr\"", 40),
                                AddSavedGame("2024-02-01 18:45:00.000", "Cy", 0)};
    QPointer<frmResume> list = OpenResumeList(true);
    EXPECT_EQ(clips, std::vector<int>{12});
    const std::pair<QString, QString> texts[] = {
        {list->windowTitle(), "Resume a Saved Game"}, {list->lblGrid->text(), "Saved Games"},
        {list->lblInstruction->Text(), "Highlight the game to resume and click on <Resume> or double-click on the game to resume."},
        {list->picIcon->toolTip(), "Click here to remove all saved games!"},
        {list->cmdResume->text(), "&Resume"}, {list->cmdCancel->text(), "&Cancel"}};
    for (const auto& [actual, expected] : texts) EXPECT_EQ(actual, expected);
    // Rows in the order saved, dates to the second: two saves in one minute differ.
    EXPECT_EQ(Shown(list->TDBGrid1), QStringList({"DateSaved", "Human", "Score", "CompPlayer1", "Score", "CompPlayer2", "Score",
                                                  "CompPlayer3", "Score",
                                                  "2024-05-01 09:30:41", "Ann", "12", "Adam", "10", "D'Arcy", "20", "Ruth", "30",
                                                  "2023-01-01 08:00:00", "**Bob, \"Jr\"", "40", "Adam", "10", "D'Arcy", "20", "Ruth", "30",
                                                  "2024-02-01 18:45:00", "Cy", "0", "Adam", "10", "D'Arcy", "20", "Ruth", "30"}));

    // The grid takes up what the window gains.
    const QSize grid = list->TDBGrid1->size();
    list->resize(list->size() + QSize(240, 120));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->TDBGrid1->size() == grid + QSize(240, 120); }, kWaitMs));
    EXPECT_FALSE(list->TDBGrid1->horizontalScrollBar()->isVisible());

    // It answers the chosen game's ID, or nothing when cancelled.
    enum Action { ResumeButton, DoubleClick, CancelButton, Escape };
    const std::pair<Action, int> cases[] = {{ResumeButton, 1}, {ResumeButton, 0}, {DoubleClick, 2}, {CancelButton, 1}, {Escape, 1}};
    for (const auto& [action, row] : cases) {
        SCOPED_TRACE(static_cast<int>(action));
        if (!list) list = OpenResumeList();
        answers.clear();
        list->TDBGrid1->selectRow(row);
        const QRect cell = list->TDBGrid1->visualRect(list->Data1->index(row, 2));
        switch (action) {
        case ResumeButton: QTest::mouseClick(list->cmdResume, Qt::LeftButton); break;
        case DoubleClick:
            // A widget's double-click arrives after the first click's press and release.
            QTest::mouseClick(list->TDBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            EXPECT_TRUE(answers.isEmpty());
            QTest::mouseDClick(list->TDBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            break;
        case CancelButton: QTest::mouseClick(list->cmdCancel, Qt::LeftButton); break;
        case Escape: QTest::keyClick(list->TDBGrid1, Qt::Key_Escape); break;
        }
        ASSERT_EQ(answers, QStringList{action >= CancelButton ? QString() : QString::number(ids[row])});
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list || !list->isVisible(); }, kWaitMs));
        delete list;
    }
    EXPECT_EQ(clips, std::vector<int>{12}) << "no clip with the sound off";
}

// Purging the saved games or the history needs two Yes answers; No, Escape
// and the close box delete nothing, and neither purge touches the other table.
TEST_F(Program, PurgingNeedsTwoYesAnswers)
{
    Start();
    const struct {
        bool history;
        QString caption, first, second;
    } windows[] = {
        {false, "Purge Saved Games", "Are you sure you want to eliminate all of the saved games????",
         "This step will permanently delete the games that have been saved!\n\nAre you sure you want to do this?"},
        {true, "Purge History", "Are you sure you want to eliminate all of the history records????",
         "This step will permanently delete the games that have been saved as history!\n\nAre you sure you want to do this?"},
    };
    const std::vector<QMessageBox::StandardButton> answerRows[] = {
        {QMessageBox::No}, {QMessageBox::Yes, QMessageBox::No}, {QMessageBox::Yes, QMessageBox::Yes}};
    for (const auto& window : windows) {
        for (const auto& given : answerRows) {
            SCOPED_TRACE(window.caption.toStdString() + " " + std::to_string(given.size()));
            while (program->Database().CountSavedGames() < 2) AddSavedGame("2024-01-01 10:00:00.000", "Ann", 1);
            while (program->Database().CountHistory() < 2) AddHistory("2024-01-01 10:00:00.000", "A", 1, 20);
            frmResume* resume = window.history ? nullptr : OpenResumeList();
            frmBestScores* best = window.history ? OpenBestScores() : nullptr;
            QTest::mouseClick(window.history ? best->picIcon : resume->picIcon, Qt::LeftButton);
            for (std::size_t k = 0; k < given.size(); ++k) {
                QMessageBox* box = WaitForModal<QMessageBox>();
                EXPECT_EQ(box->windowTitle(), window.caption);
                EXPECT_EQ(box->text(), k == 0 ? window.first : window.second);
                EXPECT_EQ(box->icon(), QMessageBox::Question);
                EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
                BrushAway(box);
                QTest::mouseClick(box->button(given[k]), Qt::LeftButton);
            }
            EXPECT_EQ(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()), nullptr);
            const int left = given.back() == QMessageBox::Yes ? 0 : 2;
            EXPECT_EQ(program->Database().CountSavedGames(), window.history ? 2 : left);
            EXPECT_EQ(program->Database().CountHistory(), window.history ? left : 2);
            EXPECT_EQ((window.history ? best->Data1 : resume->Data1)->rowCount(), left);
            EXPECT_TRUE(!resume || resume->cmdResume->isEnabled() == (left > 0));
            delete resume;
            delete best;
        }
    }
}

// Best Scores shows the history under its headings in the statement's order
// (margin, then lower winning score, then older date: in the database's
// tests), with the clip as it opens and closes. The export quotes names with
// quotes, commas and line breaks; one that cannot be written says why and
// leaves no file.
TEST_F(Program, BestScoresShowAndExportTheHistory)
{
    Start();
    AddHistory("2024-01-01 10:00:00.000", "**Ann \"the Bold\"", 0, 30, "Smith, John", "Line\nBreak");
    AddHistory("2024-01-02 10:00:00.000", "D'Arcy", 5, 80, "\"\"", ",");
    frmBestScores* list = OpenBestScores(true);
    EXPECT_EQ(clips, std::vector<int>{12});
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Vemo Best Scores By Margin of Victory"));
    EXPECT_EQ(list->lblHuman->text(), QStringLiteral("* * = indicates human player"));
    EXPECT_EQ(list->picIcon->toolTip(), QStringLiteral("Click here to delete all of the history records!!"));
    EXPECT_EQ(list->cmdClose->text(), QStringLiteral("&Close"));
    EXPECT_EQ(Shown(list->TDBGrid1).join('|'), "DatePlayed|Winner|Score|SecondPlace|Score|ThirdPlace|Score|FourthPlace|Score|"
                                                "Margin of Victory|2024-01-02 10:00|D'Arcy|5|\"\"|6|,|7|Sam|80|75|"
                                                "2024-01-01 10:00|**Ann \"the Bold\"|0|Smith, John|1|Line\nBreak|2|Sam|30|30");
    const QString path = dir.filePath(QStringLiteral("best.csv"));
    ASSERT_TRUE(list->ExportTo(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              "DatePlayed,Winner,Score,SecondPlace,Score,ThirdPlace,Score,FourthPlace,Score,Margin of Victory\r\n"
              "2024-01-02 10:00:00.000,D'Arcy,5,\"\"\"\"\"\",6,\",\",7,Sam,80,75\r\n"
              "2024-01-01 10:00:00.000,\"**Ann \"\"the Bold\"\"\",0,\"Smith, John\",1,\"Line\nBreak\",2,Sam,30,30\r\n");

    const QString missing = dir.filePath(QStringLiteral("missing/folder/best.csv"));
    EXPECT_FALSE(list->ExportTo(missing));
    QMessageBox* box = WaitForModal<QMessageBox>();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Export to CSV"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    box->accept();
    EXPECT_FALSE(QFile::exists(missing));
    QTest::mouseClick(list->cmdClose, Qt::LeftButton);
    EXPECT_EQ(clips, std::vector<int>({12, 12}));
    EXPECT_EQ(answers, QStringList{"closed"});
}

// ------------------------------------------------------------- help, About, one copy

// Each topic of the program opens the written-out copy of the compiled-in
// document at its own section (an unknown topic at its beginning); every
// link has its section; every menu item, key and easily mistaken rule is named.
TEST(Help, TheDocumentHasEveryTopicLinkMenuItemKeyAndTrickyRule)
{
    QFile source(QStringLiteral(":/help/vemo-help.html"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(source.readAll());
    const std::pair<int, QString> topics[] = {{20, "topic-20"}, {32, "topic-32"}, {33, "topic-33"}, {42, "topic-42"},
                                              {kHelpTopicSetup, "topic-setup"}, {kHelpTopicContents, ""}, {12345, ""}};
    for (const auto& [id, anchor] : topics) {
        const QUrl url = HelpUrl(id);
        ASSERT_TRUE(url.isLocalFile()) << id;
        EXPECT_EQ(url.fragment(), anchor) << id;
        QFile file(url.toLocalFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << id;
        EXPECT_EQ(QString::fromUtf8(file.readAll()), html) << id;
        // The browser finds it by id, the in-program viewer by <a name>.
        EXPECT_TRUE(anchor.isEmpty() || (html.contains("id=\"" + anchor + "\"") && html.contains("name=\"" + anchor + "\""))) << id;
    }
    QSet<QString> targets;
    for (auto it = QRegularExpression(QStringLiteral("(?:id|name)=\"([^\"]+)\"")).globalMatch(html); it.hasNext();)
        targets.insert(it.next().captured(1));
    int links = 0;
    for (auto it = QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        EXPECT_TRUE(targets.contains(target)) << "broken link #" << target.toStdString();
    }
    EXPECT_GT(links, 20);
    const char* texts[] = {
        "New Game", "Open Game", "Save Game", "Exit", "Best Scores", "Sound", "Animation - Normal", "Animation - FAST",
        "No Animation", "Sort Hand", "Interrupt Computer", "Draw Card", "Pause", "Help Topics", "Vemo Primer",
        "Tyl on the Web", "About", "Game Log", "Table Summary", "Show playable cards", "Large cards and high contrast",
        "Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+B", "Ctrl+U", "Ctrl+A", "Ctrl+F", "Ctrl+H", "Ctrl+X", "Ctrl+D", "F1",
        "25 points deducted", "still draw 1 card", "92 cards", "Vemo.mdb", "error.log", "--data-dir", "VEMO_DATA_DIR",
        "All saves are as of the beginning of the human player&rsquo;s last turn", "a drop", "a leaf", "a diamond",
        "a heart", "a sun", "asking for it again would waste an ask", "Open in Web Browser"};
    for (const char* text : texts) EXPECT_TRUE(html.contains(QLatin1String(text))) << text;
}

// A desktop opener that reports success and opens nothing, as on a machine
// without a web browser; it keeps what it was given.
class SilentOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

// A click delivered as the window system delivers it, so that a window that a
// modal window blocks does not get it.
void ClickThroughWindow(QWidget* button)
{
    QTest::mouseClick(button->window()->windowHandle(), Qt::LeftButton, {}, button->mapTo(button->window(), button->rect().center()));
}

// The viewer opens at the topic, reused for the next topic, and offers the
// browser at the topic shown. Help Topics opens it and then the pause window
// over the table; the viewer must still take clicks while the pause is up.
TEST(HelpViewer, OpensAtTheTopicMovesToTheNextOffersTheBrowserAndIsUsableUnderAPause)
{
    SilentOpener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "Open");
    // The block that carries the anchor lies in the visible part of the document.
    const auto expectShowing = [](HelpViewerDialog* viewer, const QString& anchor) {
        QTextBrowser* browser = viewer->Browser();
        qreal top = -1;
        for (QTextBlock block = browser->document()->begin(); block.isValid() && top < 0; block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().anchorNames().contains(anchor))
                    top = browser->document()->documentLayout()->blockBoundingRect(block).top();
        ASSERT_GE(top, 0) << anchor.toStdString() << " not in the shown document";
        const int scrolled = browser->verticalScrollBar()->value();
        EXPECT_GE(top + 2, scrolled) << anchor.toStdString();
        EXPECT_LT(top, scrolled + browser->viewport()->height()) << anchor.toStdString();
    };
    ShowHelp(nullptr, 42);
    std::unique_ptr<HelpViewerDialog> viewer(OpenHelpViewer());
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer.get()));
    EXPECT_FALSE(viewer->isModal());
    expectShowing(viewer.get(), QStringLiteral("topic-42"));
    for (const int topic : {32, kHelpTopicSetup}) {
        ShowHelp(nullptr, topic);
        EXPECT_EQ(OpenHelpViewer(), viewer.get()) << "a second topic reuses the open viewer";
        expectShowing(viewer.get(), HelpUrl(topic).fragment());
    }
    ASSERT_TRUE(opener.opened.isEmpty());
    QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("cmdBrowser")), Qt::LeftButton);
    EXPECT_EQ(opener.opened, QList<QUrl>{HelpUrl(kHelpTopicSetup)});
    ShowHelp(nullptr, kHelpTopicContents);
    EXPECT_EQ(viewer->Browser()->verticalScrollBar()->value(), 0);
    viewer.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    QWidget table;
    table.resize(600, 400);
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    ShowHelp(&table, 20);
    QDialog pause(&table);
    pause.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pause));
    // A window owned by the table is blocked by the pause: clicks on it are
    // dropped, which is what the help viewer must escape.
    QDialog owned(&table);
    auto* ownedButton = new QPushButton(QStringLiteral("Close"), &owned);
    QObject::connect(ownedButton, &QPushButton::clicked, &owned, &QDialog::close);
    owned.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owned));
    ClickThroughWindow(ownedButton);
    ASSERT_TRUE(owned.isVisible()) << "clicks on blocked windows were expected to be dropped";
    QPointer<HelpViewerDialog> underPause = OpenHelpViewer();
    ASSERT_FALSE(underPause.isNull());
    ClickThroughWindow(underPause->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close));
    EXPECT_TRUE(underPause.isNull() || !underPause->isVisible());
    delete underPause;
}

TEST(AboutBox, ShowsTitleVersionDescriptionAndCredits)
{
    frmAbout about(QStringLiteral("3.1.4"));
    about.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Vemo"));
    EXPECT_TRUE(about.lblVersion->text().contains(QStringLiteral("3.1.4")));
    EXPECT_TRUE(about.lblDescription->text().contains(QStringLiteral("Cards of Light")));
    for (const char* credit : {"Card pictures and sounds made for Vemo", "Comic Neue font, SIL Open Font License 1.1"})
        EXPECT_TRUE(about.lblCredits->text().contains(QLatin1String(credit))) << credit;
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// ---------------------------------------------------------------- single instance

// In one process a second guard of a name is not the first, and a name with
// odd characters keeps its lock in the lock directory. A killed copy leaves
// its lock and socket behind; they block neither a new start nor its being
// raised by a later start; other names never meet. Each start is this test
// program standing in for the game, read line by line.
TEST(SingleInstanceGuard, ASecondStartAsksTheRunningCopyToRaiseEvenAfterAKilledCopy)
{
    QTemporaryDir dir;
    SingleInstance first(QStringLiteral("Vemo-test"), dir.path());
    EXPECT_TRUE(first.IsFirst() && first.IsFirst()) << "asking again keeps the answer";
    EXPECT_FALSE(SingleInstance(QStringLiteral("Vemo-test"), dir.path()).IsFirst());
    SingleInstance odd(QStringLiteral("Vemo-../x y"), dir.path());
    EXPECT_EQ(QFileInfo(odd.LockFilePath()).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(odd.IsFirst());

    const QString lockPath = SingleInstance(QStringLiteral("Vemo-probe"), dir.path()).LockFilePath();
    QProcess killed, running, other, later; // other ends with the test, killed by QProcess's destructor
    const auto start = [&dir](QProcess& copy, const char* name) {
        copy.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe"), dir.path(), QLatin1String(name)});
    };
    const auto line = [](QProcess& copy) {
        return copy.canReadLine() || copy.waitForReadyRead(20000) ? QString::fromUtf8(copy.readLine()).trimmed() : QString();
    };
    start(killed, "Vemo-probe");
    ASSERT_EQ(line(killed), QStringLiteral("first"));
    killed.kill();
    killed.waitForFinished(10000);
    ASSERT_TRUE(QFileInfo::exists(lockPath)) << "the killed copy should have left its lock behind";

    start(running, "Vemo-probe");
    ASSERT_EQ(line(running), QStringLiteral("first"));
    start(other, "Vemo-other");
    EXPECT_EQ(line(other), QStringLiteral("first"));
    start(later, "Vemo-probe");
    EXPECT_EQ(line(later), QStringLiteral("second"));
    EXPECT_EQ(line(later), QStringLiteral("asked"));
    EXPECT_TRUE(later.waitForFinished(20000) && later.exitStatus() == QProcess::NormalExit);
    EXPECT_EQ(line(running), QStringLiteral("raise"));
    EXPECT_TRUE(running.waitForFinished(20000) && running.exitStatus() == QProcess::NormalExit);
}

// A start of the game for the guard's test: the first copy prints "first",
// then "raise" for the first request it receives, and ends (or after a
// minute, so none is left behind); a later copy prints "second", asks the
// first to raise its window, and prints "asked" or "unanswered".
int Probe(const char* directory, const char* name)
{
    const auto say = [](const char* line) { std::printf("%s\n", line), std::fflush(stdout); };
    SingleInstance guard(QString::fromLocal8Bit(name), QString::fromLocal8Bit(directory));
    if (!guard.IsFirst()) return say("second"), say(guard.AskFirstToRaise(10000) ? "asked" : "unanswered"), 0;
    say("first");
    QObject::connect(&guard, &SingleInstance::raiseRequested, qApp, [say] {
        say("raise");
        // Let the acknowledgement reach the asking copy before leaving.
        QTimer::singleShot(200, qApp, &QCoreApplication::quit);
    });
    QTimer::singleShot(60000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--probe") == 0) return Probe(argv[2], argv[3]);
    // Faults the tests provoke are logged out of the way.
    SetErrorLogDirectory(QDir::tempPath().toStdString());
    // Each test process keeps its settings apart: tests run side by side and
    // clear or change the options while another reads them.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "AppTest.moc"
