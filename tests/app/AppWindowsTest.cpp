// The setup dialog, the saved-games list and best scores against the real
// engine (on the headless table) and real copies of the built database.
#include "Deck.h"
#include "GameDatabase.h"
#include "GameEngine.h"
#include "HeadlessTableView.h"
#include "RandomInteger.h"
#include "Twips.h"
#include "frmBestScores.h"
#include "frmGameSetup.h"
#include "frmResume.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QScreen>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace vemo;

namespace {

constexpr int kWaitMs = 10000;

class NoRecords : public GameRecords {
public:
    Task<void> SaveGame() override { co_return; }
    Task<bool> ResumeSavedGame(std::int32_t) override { co_return false; }
};

class NoShell : public GameShell {
public:
    Task<void> ExitAll(std::string) override { co_return; }
};

// The message box in front, once it is there.
QMessageBox* WaitForMessageBox()
{
    QMessageBox* box = nullptr;
    (void)QTest::qWaitFor([&] { return (box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())); }, kWaitMs);
    return box;
}

QStringList VisibleHeadings(QTableView* grid)
{
    QStringList headings;
    for (int visual = 0; visual < grid->horizontalHeader()->count(); ++visual) {
        const int column = grid->horizontalHeader()->logicalIndex(visual);
        if (!grid->isColumnHidden(column)) headings << grid->model()->headerData(column, Qt::Horizontal).toString();
    }
    return headings;
}


// A fresh copy of the built database in a temporary directory, and a shown
// window for the dialogs to be modal to.
class AppWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("Vemo.mdb"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEMO_BUILT_DATABASE), path));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        database.Open(path);
        owner.resize(400, 300);
        owner.show();
    }

    std::int32_t AddSavedGame(const std::string& date, const std::string& human, int humanScore)
    {
        SavedGameRecord record;
        record.DateSaved = date;
        const char* names[] = {"", "Adam", "D'Arcy", "Ruth", human.c_str()};
        for (std::size_t seat = 1; seat <= 4; ++seat) {
            record.Seats[seat].Name = names[seat];
            record.Seats[seat].Score = seat == 4 ? humanScore : static_cast<int>(seat) * 10;
        }
        record.ScoreLimit = 100;
        return database.AppendSavedGame(record);
    }

    void AddHistory(const std::string& date, const std::string& winner, int winnerScore, int fourthScore,
                    const std::string& second = "Ben", const std::string& third = "Ruth")
    {
        const auto score = [](int value) { return static_cast<std::int16_t>(value); };
        database.AppendHistory({0, date, winner, score(winnerScore), second, score(winnerScore + 1), third,
                                score(winnerScore + 2), "Sam", score(fourthScore), score(fourthScore - winnerScore)});
    }

    frmResume* OpenResumeList(bool soundOn = false)
    {
        auto* list = new frmResume(&owner, database, soundOn, [this](int clip) { clips.push_back(clip); },
                                   [this](const QString& answer) { answers << answer; });
        list->open();
        return list;
    }

    frmBestScores* OpenBestScores(bool soundOn = false)
    {
        auto* list = new frmBestScores(&owner, database, soundOn, [this](int clip) { clips.push_back(clip); },
                                       [this] { ++closedCount; });
        list->open();
        return list;
    }

    QTemporaryDir dir;
    GameDatabase database;
    QWidget owner;
    std::vector<int> clips;
    QStringList answers;
    int closedCount = 0;
};

// ----------------------------------------------------------------- frmGameSetup

class SetupDialog : public AppWindows {
protected:
    void SetUp() override
    {
        AppWindows::SetUp();
        view.Attach(engine, nullptr);
        LoadVemoCardDeck(engine.State().Deck);
        ShuffleFullDeck(engine.State().Deck);
    }

    frmGameSetup* Open(frmGameSetup::Callbacks callbacks = {})
    {
        auto* dialog = new frmGameSetup(&owner, engine, database, std::move(callbacks), [this] {
            ++closedCount;
            if (setup) closedAt = setup->frameGeometry();
        });
        setup = dialog;
        dialog->open();
        return dialog;
    }

    HeadlessTableView view;
    NoRecords records;
    NoShell shell;
    GameEngine engine{view, records, shell};
    QPointer<frmGameSetup> setup;
    QRect closedAt;
};

TEST_F(SetupDialog, OpensWithTheDescribedTextsAndDefaults)
{
    frmGameSetup* dialog = Open();
    std::map<QWidget*, QString> labels; // each field's label names it
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->buddy()) labels[label->buddy()] = label->text();
    std::vector<std::pair<QString, QString>> shown = {
        {dialog->windowTitle(), "Vemo Game Setup"},
        {dialog->CandyCommand1->accessibleName(), "Vemo Game Setup"},
        {dialog->txtPlayer->text(), "MyName"},
        {dialog->txtPlayer->toolTip(), "Enter your name for this game"},
        {labels[dialog->txtPlayer], "Your Name:"},
        {dialog->fraPoints->title(), "Click on ball to select total points"},
        {dialog->fraPoints->toolTip(), "Click on ball to select total points for this game"},
    };
    const char* captions[] = {"Start New Game", "Resume Saved Game", "Exit Game", "Help"};
    const char* tips[] = {"Start new game using parameters below", "Resume a game that has been previously saved",
                          "Exit new game setup without starting new game", "Get help on starting a new game"};
    const int limits[] = {50, 200, 500, 100};
    for (std::size_t k = 0; k < 4; ++k) {
        shown.insert(shown.end(), {{dialog->cmdStart[k]->text(), captions[k]}, {dialog->cmdStart[k]->toolTip(), tips[k]}});
        shown.push_back({dialog->chkPoints[k]->text(), QStringLiteral("Play until someone has %1 points").arg(limits[k])});
        shown.push_back({dialog->chkPoints[k]->toolTip(), QStringLiteral("Play game until someone reaches %1 points").arg(limits[k])});
        EXPECT_EQ(dialog->chkPoints[k]->isChecked(), k == 3);
    }
    for (std::size_t seat = 1; seat <= 3; ++seat) {
        shown.push_back({labels[dialog->cboPlayer[seat]], QStringLiteral("Computer Player %1:").arg(seat)});
        shown.push_back({dialog->cboPlayer[seat]->toolTip(), "Select a computer player"});
        EXPECT_FALSE(dialog->cboPlayer[seat]->isEditable());
    }
    for (const auto& [actual, expected] : shown) EXPECT_EQ(actual, expected);
    EXPECT_EQ(dialog->ChosenScoreLimit(), 100);
    // The last human's name comes back.
    engine.State().HumanPlayerName = "Ann";
    EXPECT_EQ(Open()->txtPlayer->text(), QStringLiteral("Ann"));
}

TEST_F(SetupDialog, OffersTheWholeRosterWithThreeDifferentDefaults)
{
    QStringList names, texts;
    for (const ComputerPlayerRow& row : database.ComputerPlayers()) {
        names << QString::fromStdString(row.PlayerName);
        texts << names.back() + (row.PlayingStyle == 5 ? QStringLiteral(" (Expert)") : QString());
    }
    ASSERT_TRUE(texts.contains(QStringLiteral("Solomon (Expert)")));
    std::set<QString> defaultsSeen;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        SeedRandom(seed);
        frmGameSetup* dialog = Open();
        std::set<QString> chosen;
        for (std::size_t seat = 1; seat <= 3; ++seat) {
            QStringList offered, data;
            for (int k = 0; k < dialog->cboPlayer[seat]->count(); ++k) {
                offered << dialog->cboPlayer[seat]->itemText(k);
                data << dialog->cboPlayer[seat]->itemData(k).toString();
            }
            EXPECT_EQ(offered, texts) << "seed " << seed << " seat " << seat;
            EXPECT_EQ(data, names) << "seed " << seed << " seat " << seat;
            chosen.insert(dialog->cboPlayer[seat]->currentText());
        }
        EXPECT_EQ(chosen.size(), 3u) << "seed " << seed;
        defaultsSeen.insert(chosen.begin(), chosen.end());
        delete dialog;
    }
    UnseedRandom();
    EXPECT_GT(defaultsSeen.size(), 6u) << "the defaults are drawn, not fixed";
}

// Exactly one ball is checked after every click, each click choosing its
// limit; Tab goes down the balls as they are shown, and Space on a ball keeps
// the focus on it through its rest, so a second Space still means that ball.
TEST_F(SetupDialog, TheBallsChooseOneLimitByMouseAndKeys)
{
    frmGameSetup* dialog = Open();
    // Clicks in order, repeats and the already checked ball included.
    const std::pair<std::size_t, int> clicks[] = {{3, 100}, {0, 50}, {0, 50}, {1, 200}, {2, 500}, {2, 500}, {3, 100}, {1, 200}};
    for (const auto& [k, limit] : clicks) {
        PointBall* ball = dialog->chkPoints[k];
        ASSERT_TRUE(QTest::qWaitFor([ball] { return ball->isEnabled(); }, kWaitMs));
        QTest::mouseClick(ball, Qt::LeftButton, {}, QPoint(8, ball->height() / 2));
        int checked = 0;
        for (PointBall* each : dialog->chkPoints) checked += each->isChecked() ? 1 : 0;
        EXPECT_TRUE(checked == 1 && ball->isChecked()) << "after ball " << k;
        EXPECT_FALSE(ball->isEnabled()) << "the ball rests for a moment after its click";
        EXPECT_EQ(dialog->ChosenScoreLimit(), limit);
    }
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
}

TEST_F(SetupDialog, TypingIntoAnOpponentListChangesNothingButTheArrowsStillChoose)
{
    frmGameSetup* dialog = Open();
    for (std::size_t seat = 1; seat <= 3; ++seat) {
        QComboBox* combo = dialog->cboPlayer[seat];
        combo->setFocus();
        const QString before = combo->currentText();
        QTest::keyClicks(combo, QStringLiteral("Ruth sam Z"));
        EXPECT_EQ(combo->currentText(), before) << "seat " << seat;
        combo->setCurrentIndex(0);
        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(combo->currentIndex(), 1) << "seat " << seat;
    }
}

// The limit is read from the caption's 24th character on (the four balls'
// limits: above); the slide of a 6000-twip dialog on a 16200-twip screen stops
// within one step of its bottom.
TEST(SetupDialogRules, TheLimitFromTheCaptionAndTheSlideStep)
{
    EXPECT_EQ(frmGameSetup::ScoreLimitFromCaption(QStringLiteral("Play until someone has points")), 0);
    EXPECT_EQ(frmGameSetup::ScoreLimitFromCaption(QStringLiteral("Play until someone has ")), 0);
    const std::pair<int, std::optional<int>> slides[] = {{0, 50}, {10000, 10050}, {10149, 10199}, {10150, {}}, {10151, {}}, {12000, {}}};
    for (const auto& [top, next] : slides) EXPECT_EQ(frmGameSetup::NextSlideTopTwips(top, 6000, 16200), next) << top;
}

TEST_F(SetupDialog, StartNewGameDealsTheFirstHandAndSetsStart)
{
    frmGameSetup* dialog = Open();
    // A name is taken as typed, however long.
    const std::string name = "Ann " + std::string(196, 'n');
    dialog->txtPlayer->clear();
    QTest::keyClicks(dialog->txtPlayer, QString::fromStdString(name));
    QTest::mouseClick(dialog->chkPoints[1], Qt::LeftButton, {}, QPoint(8, dialog->chkPoints[1]->height() / 2));
    std::vector<std::string> opponents;
    for (std::size_t seat = 1; seat <= 3; ++seat) opponents.push_back(dialog->cboPlayer[seat]->currentData().toString().toStdString());
    const QRect before = dialog->frameGeometry();

    QTest::mouseClick(dialog->cmdStart[0], Qt::LeftButton);
    EXPECT_TRUE(dialog->Busy());
    ASSERT_TRUE(QTest::qWaitFor([this] { return closedCount == 1; }, kWaitMs));
    const GameState& state = engine.State();
    EXPECT_EQ(state.Tag, "START");
    ASSERT_EQ(state.Players.Count(), 4);
    for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(state.Players(seat).NumberOfCards(), 7) << "seat " << seat;
    for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(state.Players(seat).Name(), opponents[std::size_t(seat - 1)]);
    EXPECT_EQ(state.Players(4).Name(), name);
    EXPECT_TRUE(state.Players(4).Human());
    EXPECT_EQ(state.HumanPlayerName, name);
    EXPECT_EQ(state.ScoreLimit, 200);
    // It slid down to within one step of the bottom of the screen.
    EXPECT_GT(closedAt.top(), before.top());
    EXPECT_EQ(closedAt.left(), before.left());
    EXPECT_LE(owner.screen()->geometry().bottom() - closedAt.bottom(), TwipsToPixels(frmGameSetup::kSlideStepTwips) + 1);
}

// The resume list cancelled leaves the dialog as it was. (A game chosen from
// it: in the program's tests, as its failure.)
TEST_F(SetupDialog, TheResumeListCancelledLeavesTheDialogAsItWas)
{
    AddSavedGame("2024-01-02 10:00:00.000", "Ann", 12);
    frmGameSetup* dialog = Open();
    const QRect before = dialog->frameGeometry();
    const auto texts = [dialog] {
        QStringList shown{dialog->txtPlayer->text()};
        for (std::size_t seat = 1; seat <= 3; ++seat) shown << dialog->cboPlayer[seat]->currentText();
        return shown;
    };
    const QStringList chosen = texts();
    QTest::mouseClick(dialog->cmdStart[1], Qt::LeftButton);
    QPointer<frmResume> list = dialog->findChild<frmResume*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Tag(), QStringLiteral("frmGameSetup"));
    QTest::mouseClick(list->cmdCancel, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list || !list->isVisible(); }, kWaitMs));
    EXPECT_TRUE(dialog->isVisible() && !dialog->Busy());
    EXPECT_EQ(dialog->frameGeometry(), before);
    EXPECT_EQ(texts(), chosen);
    EXPECT_EQ(engine.State().Tag, "");
    EXPECT_EQ(engine.State().Players.Count(), 0);
    EXPECT_EQ(closedCount, 0);
}

// Help opens the help; Escape starts nothing and closes nothing. (Exit: in
// the program's tests.)
TEST_F(SetupDialog, HelpGoesToItsCallbackAndEscapeDoesNothing)
{
    int helps = 0;
    frmGameSetup::Callbacks callbacks;
    callbacks.Help = [&helps] { ++helps; };
    frmGameSetup* dialog = Open(std::move(callbacks));
    QTest::mouseClick(dialog->cmdStart[3], Qt::LeftButton);
    EXPECT_EQ(helps, 1);
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(engine.State().Tag, "");
    EXPECT_EQ(closedCount, 0);
}

// ---------------------------------------------------- frmResume, frmBestScores

TEST_F(AppWindows, TheResumeListShowsEverySavedGameInStatementOrderUnderTheDescribedHeadings)
{
    // Saved out of date order: the list keeps the statement's order.
    AddSavedGame("2024-05-01 09:30:41.000", "Ann", 12);
    AddSavedGame("2023-01-01 08:00:00.000", "**Bob, \"Jr\"", 40);
    AddSavedGame("2024-02-01 18:45:00.000", "Cy", 0);
    frmResume* list = OpenResumeList(true);
    EXPECT_EQ(clips, std::vector<int>{12});
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Resume a Saved Game"));
    EXPECT_EQ(list->lblInstruction->Text(), QStringLiteral("Highlight the game to resume and click on <Resume> or "
                                                           "double-click on the game to resume."));
    EXPECT_EQ(list->lblGrid->text(), QStringLiteral("Saved Games"));
    EXPECT_EQ(list->picIcon->toolTip(), QStringLiteral("Click here to remove all saved games!"));
    EXPECT_EQ(list->cmdResume->text(), QStringLiteral("&Resume"));
    EXPECT_EQ(list->cmdCancel->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(VisibleHeadings(list->TDBGrid1), QStringList({"DateSaved", "Human", "Score", "CompPlayer1", "Score",
                                                            "CompPlayer2", "Score", "CompPlayer3", "Score"}));
    EXPECT_TRUE(list->TDBGrid1->isColumnHidden(0));
    QStringList shown; // rows in the order saved, dates to the second: two saves in one minute differ
    for (int r = 0; r < list->Data1->rowCount(); ++r)
        for (int c = 1; c <= 9; ++c) shown << list->Data1->index(r, c).data().toString();
    EXPECT_EQ(shown, QStringList({"2024-05-01 09:30:41", "Ann", "12", "Adam", "10", "D'Arcy", "20", "Ruth", "30",
                                  "2023-01-01 08:00:00", "**Bob, \"Jr\"", "40", "Adam", "10", "D'Arcy", "20", "Ruth", "30",
                                  "2024-02-01 18:45:00", "Cy", "0", "Adam", "10", "D'Arcy", "20", "Ruth", "30"}));

    // The grid takes up what the window gains.
    const QSize grid = list->TDBGrid1->size();
    list->resize(list->size() + QSize(240, 120));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->TDBGrid1->size() == grid + QSize(240, 120); }, kWaitMs));
    EXPECT_FALSE(list->TDBGrid1->horizontalScrollBar()->isVisible());
}

TEST_F(AppWindows, TheResumeListAnswersTheChosenIdOrNothing)
{
    enum Action { ResumeButton, DoubleClick, CancelButton, Escape };
    const std::pair<Action, int> cases[] = {{ResumeButton, 1}, {ResumeButton, 0}, {DoubleClick, 2}, {CancelButton, 1}, {Escape, 1}};
    std::vector<std::int32_t> ids;
    for (int k = 0; k < 3; ++k) ids.push_back(AddSavedGame("2024-01-0" + std::to_string(k + 1) + " 10:00:00.000", "Ann", k));
    for (const auto& [action, row] : cases) {
        SCOPED_TRACE(static_cast<int>(action));
        answers.clear();
        QPointer<frmResume> list = OpenResumeList();
        list->TDBGrid1->selectRow(row);
        QString expected = QString::number(ids[static_cast<std::size_t>(row)]);
        const QRect cell = list->TDBGrid1->visualRect(list->Data1->index(row, 2));
        switch (action) {
        case ResumeButton: QTest::mouseClick(list->cmdResume, Qt::LeftButton); break;
        case DoubleClick:
            // A widget's double-click arrives after the first click's press and release.
            QTest::mouseClick(list->TDBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            EXPECT_TRUE(answers.isEmpty());
            QTest::mouseDClick(list->TDBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            break;
        case CancelButton: QTest::mouseClick(list->cmdCancel, Qt::LeftButton), expected.clear(); break;
        case Escape: QTest::keyClick(list->TDBGrid1, Qt::Key_Escape), expected.clear(); break;
        }
        ASSERT_EQ(answers, QStringList{expected});
        EXPECT_TRUE(!list || !list->isVisible());
    }
    EXPECT_TRUE(clips.empty()) << "no clip with the sound off";
}

// Purging the saved games or the history needs two Yes answers; No, Escape
// and the close box delete nothing, and neither purge touches the other table.
TEST_F(AppWindows, PurgingNeedsTwoYesAnswers)
{
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
            QSqlQuery(database.Connection()).exec(QStringLiteral("DELETE FROM SavedGames"));
            QSqlQuery(database.Connection()).exec(QStringLiteral("DELETE FROM History"));
            for (int k = 1; k <= 2; ++k) {
                AddSavedGame("2024-01-0" + std::to_string(k) + " 10:00:00.000", "Ann", k);
                AddHistory("2024-01-0" + std::to_string(k) + " 10:00:00.000", "A", k, 20);
            }
            frmResume* resume = window.history ? nullptr : OpenResumeList();
            frmBestScores* best = window.history ? OpenBestScores() : nullptr;
            QTest::mouseClick(window.history ? best->picIcon : resume->picIcon, Qt::LeftButton);
            for (std::size_t k = 0; k < given.size(); ++k) {
                QMessageBox* box = WaitForMessageBox();
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->windowTitle(), window.caption);
                EXPECT_EQ(box->text(), k == 0 ? window.first : window.second);
                EXPECT_EQ(box->icon(), QMessageBox::Question);
                EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
                QTest::keyClick(box, Qt::Key_Escape);
                box->close();
                EXPECT_TRUE(box->isVisible()) << "Escape and the close box do not answer";
                QTest::mouseClick(box->button(given[k]), Qt::LeftButton);
            }
            EXPECT_EQ(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()), nullptr);
            const int left = given.back() == QMessageBox::Yes ? 0 : 2;
            EXPECT_EQ(database.CountSavedGames(), window.history ? 2 : left);
            EXPECT_EQ(database.CountHistory(), window.history ? left : 2);
            EXPECT_EQ((window.history ? best->Data1 : resume->Data1)->rowCount(), left);
            EXPECT_TRUE(!resume || resume->cmdResume->isEnabled() == (left > 0));
            delete resume;
            delete best;
        }
    }
}

TEST_F(AppWindows, BestScoresListByMarginThenLowerWinningScoreThenOlderDate)
{
    AddHistory("2024-03-01 10:00:00.000", "A", 10, 50);    // margin 40
    AddHistory("2024-05-01 10:00:00.000", "B", 5, 45);     // margin 40, lower winning score
    AddHistory("2024-01-01 10:00:00.000", "C", 5, 45);     // margin 40, lower score, older
    AddHistory("2024-02-01 10:00:00.000", "D", 20, 80);    // margin 60
    AddHistory("2023-12-01 10:00:00.000", "**Ann", 0, 10); // margin 10
    frmBestScores* list = OpenBestScores(true);
    EXPECT_EQ(clips, std::vector<int>{12});
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Vemo Best Scores By Margin of Victory"));
    EXPECT_EQ(list->lblHuman->text(), QStringLiteral("* * = indicates human player"));
    EXPECT_EQ(list->picIcon->toolTip(), QStringLiteral("Click here to delete all of the history records!!"));
    EXPECT_EQ(list->cmdClose->text(), QStringLiteral("&Close"));
    EXPECT_EQ(VisibleHeadings(list->TDBGrid1), QStringList({"DatePlayed", "Winner", "Score", "SecondPlace", "Score",
                                                            "ThirdPlace", "Score", "FourthPlace", "Score", "Margin of Victory"}));
    const int winner = list->Data1->record().indexOf(QStringLiteral("Winner"));
    const int margin = list->Data1->record().indexOf(QStringLiteral("GapBetweenWinnerLoser"));
    QStringList order;
    for (int r = 0; r < list->Data1->rowCount(); ++r) order << list->Data1->index(r, winner).data().toString() + "/" + list->Data1->index(r, margin).data().toString();
    EXPECT_EQ(order, QStringList({"D/60", "C/40", "B/40", "A/40", "**Ann/10"}));
    // Closing plays the clip again.
    QTest::mouseClick(list->cmdClose, Qt::LeftButton);
    EXPECT_EQ(clips, std::vector<int>({12, 12}));
    EXPECT_EQ(closedCount, 1);
}

// The export quotes names with quotes, commas and line breaks; one that
// cannot be written says why and leaves no file.
TEST_F(AppWindows, TheCsvExportQuotesWhatMustBeQuotedOrSaysWhyItFailed)
{
    AddHistory("2024-01-01 10:00:00.000", "**Ann \"the Bold\"", 0, 30, "Smith, John", "Line\nBreak");
    AddHistory("2024-01-02 10:00:00.000", "D'Arcy", 5, 80, "\"\"", ",");
    const QString path = dir.filePath(QStringLiteral("best.csv"));
    QString error;
    ASSERT_TRUE(ExportHistoryCsv(database, path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              "DatePlayed,Winner,Score,SecondPlace,Score,ThirdPlace,Score,FourthPlace,Score,Margin of Victory\r\n"
              "2024-01-02 10:00:00.000,D'Arcy,5,\"\"\"\"\"\",6,\",\",7,Sam,80,75\r\n"
              "2024-01-01 10:00:00.000,\"**Ann \"\"the Bold\"\"\",0,\"Smith, John\",1,\"Line\nBreak\",2,Sam,30,30\r\n");

    const QString missing = dir.filePath(QStringLiteral("missing/folder/best.csv"));
    EXPECT_FALSE(ExportHistoryCsv(database, missing, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(OpenBestScores()->ExportTo(missing));
    QMessageBox* box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Export to CSV"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    box->accept();
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
