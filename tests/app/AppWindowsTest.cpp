// The setup dialog, the saved-games list and best scores against the real
// engine (on the headless table) and real copies of the built database.
// Set VEMO_APP_SHOT_DIR to a directory to get a picture of each window.
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
#include <QDir>
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

QMessageBox* OpenMessageBox()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) return box;
    return nullptr;
}

QMessageBox* WaitForMessageBox()
{
    QMessageBox* box = nullptr;
    (void)QTest::qWaitFor([&] { return (box = OpenMessageBox()) != nullptr; }, kWaitMs);
    return box;
}

void Press(QMessageBox* box, QMessageBox::StandardButton button)
{
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->button(button), nullptr);
    const QPointer<QMessageBox> shown(box);
    QTest::mouseClick(box->button(button), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([shown] { return !shown || !shown->isVisible(); }, kWaitMs));
}

void Shoot(QWidget* window, const char* name)
{
    const QByteArray dir = qgetenv("VEMO_APP_SHOT_DIR");
    if (dir.isEmpty()) return;
    QTest::qWait(100);
    window->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name) + ".png"));
}

QStringList VisibleHeadings(QTableView* grid)
{
    QStringList headings;
    QHeaderView* header = grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!grid->isColumnHidden(column))
            headings << grid->model()->headerData(column, Qt::Horizontal).toString();
    }
    return headings;
}

QString Cell(QTableView* grid, int row, int column)
{
    return grid->model()->data(grid->model()->index(row, column), Qt::EditRole).toString();
}

// Reads RFC 4180 text: quoted fields may hold commas, quotes and line breaks.
std::vector<QStringList> ParseCsv(const QString& text)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"')) {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            row << field;
            field.clear();
            rows.push_back(row);
            row.clear();
            ++i;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) {
        row << field;
        rows.push_back(row);
    }
    return rows;
}

// A fresh copy of the built database in a temporary directory, and a shown
// window for the dialogs to be modal to.
class AppWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Vemo.mdb"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEMO_BUILT_DATABASE), path));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        database.Open(path);
        owner.resize(400, 300);
        owner.show();
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(database.Connection());
        ASSERT_TRUE(query.prepare(sql));
        for (const QVariant& value : values) query.addBindValue(value);
        ASSERT_TRUE(query.exec()) << sql.toStdString();
    }

    std::int32_t AddSavedGame(const std::string& date, const std::string& human, int humanScore)
    {
        SavedGameRecord record;
        record.DateSaved = date;
        const char* names[] = {"", "Adam", "D'Arcy", "Ruth"};
        for (int seat = 1; seat <= 3; ++seat) {
            record.Seats[static_cast<std::size_t>(seat)].Name = names[seat];
            record.Seats[static_cast<std::size_t>(seat)].Score = seat * 10;
        }
        record.Seats[4].Name = human;
        record.Seats[4].Score = humanScore;
        record.ScoreLimit = 100;
        return database.AppendSavedGame(record);
    }

    void AddHistory(const std::string& date, const std::string& winner, int winnerScore, int fourthScore,
                    const std::string& second = "Ben", const std::string& third = "Ruth")
    {
        HistoryRow row;
        row.DatePlayed = date;
        row.Winner = winner;
        row.WinnerScore = static_cast<std::int16_t>(winnerScore);
        row.SecondPlace = second;
        row.SecondScore = static_cast<std::int16_t>(winnerScore + 1);
        row.ThirdPlace = third;
        row.ThirdScore = static_cast<std::int16_t>(winnerScore + 2);
        row.FourthPlace = "Sam";
        row.FourthScore = static_cast<std::int16_t>(fourthScore);
        row.GapBetweenWinnerLoser = static_cast<std::int16_t>(fourthScore - winnerScore);
        database.AppendHistory(row);
    }

    QTemporaryDir dir;
    GameDatabase database;
    QWidget owner;
};

// ----------------------------------------------------------------- frmGameSetup

Task<bool> ScriptedResume(std::int32_t id, std::int32_t* asked, bool restored)
{
    *asked = id;
    co_return restored;
}

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
    int closedCount = 0;
    QRect closedAt;
};

TEST_F(SetupDialog, OpensWithTheDescribedTextsAndDefaults)
{
    frmGameSetup* dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Vemo Game Setup"));
    EXPECT_EQ(dialog->CandyCommand1->accessibleName(), QStringLiteral("Vemo Game Setup"));
    EXPECT_EQ(dialog->txtPlayer->text(), QStringLiteral("MyName"));
    EXPECT_EQ(dialog->txtPlayer->toolTip(), QStringLiteral("Enter your name for this game"));

    // Each field's label names it.
    std::map<QWidget*, QString> labels;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->buddy()) labels[label->buddy()] = label->text();
    EXPECT_EQ(labels[dialog->txtPlayer], QStringLiteral("Your Name:"));
    for (int seat = 1; seat <= 3; ++seat) {
        QComboBox* combo = dialog->cboPlayer[static_cast<std::size_t>(seat)];
        EXPECT_EQ(labels[combo], QStringLiteral("Computer Player %1:").arg(seat));
        EXPECT_EQ(combo->toolTip(), QStringLiteral("Select a computer player"));
        EXPECT_FALSE(combo->isEditable());
    }

    EXPECT_EQ(dialog->fraPoints->title(), QStringLiteral("Click on ball to select total points"));
    EXPECT_EQ(dialog->fraPoints->toolTip(), QStringLiteral("Click on ball to select total points for this game"));
    const int limits[] = {50, 200, 500, 100};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(dialog->chkPoints[k]->text(), QStringLiteral("Play until someone has %1 points").arg(limits[k]));
        EXPECT_EQ(dialog->chkPoints[k]->toolTip(), QStringLiteral("Play game until someone reaches %1 points").arg(limits[k]));
        EXPECT_EQ(dialog->chkPoints[k]->isChecked(), k == 3);
    }
    EXPECT_EQ(dialog->ChosenScoreLimit(), 100);

    const char* captions[] = {"Start New Game", "Resume Saved Game", "Exit Game", "Help"};
    const char* tips[] = {"Start new game using parameters below", "Resume a game that has been previously saved",
                          "Exit new game setup without starting new game", "Get help on starting a new game"};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(dialog->cmdStart[k]->text(), QString::fromLatin1(captions[k]));
        EXPECT_EQ(dialog->cmdStart[k]->toolTip(), QString::fromLatin1(tips[k]));
    }
    Shoot(dialog, "frmGameSetup");
}

TEST_F(SetupDialog, ShowsTheLastHumanNameAgain)
{
    engine.State().HumanPlayerName = "Ann";
    EXPECT_EQ(Open()->txtPlayer->text(), QStringLiteral("Ann"));
}

TEST_F(SetupDialog, OffersTheWholeRosterWithThreeDifferentDefaults)
{
    QStringList roster;
    QStringList rosterTexts;
    for (const ComputerPlayerRow& row : database.ComputerPlayers()) {
        roster << QString::fromStdString(row.PlayerName);
        rosterTexts << QString::fromStdString(row.PlayerName) + (row.PlayingStyle == 5 ? QStringLiteral(" (Expert)") : QString());
    }
    ASSERT_TRUE(rosterTexts.contains(QStringLiteral("Solomon (Expert)")));
    ASSERT_GE(roster.size(), 3);
    std::set<QString> defaultsSeen;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        SeedRandom(seed);
        frmGameSetup* dialog = Open();
        std::set<QString> chosen;
        for (int seat = 1; seat <= 3; ++seat) {
            QComboBox* combo = dialog->cboPlayer[static_cast<std::size_t>(seat)];
            QStringList offered, names;
            for (int k = 0; k < combo->count(); ++k) {
                offered << combo->itemText(k);
                names << combo->itemData(k).toString();
            }
            EXPECT_EQ(offered, rosterTexts) << "seed " << seed << " seat " << seat;
            EXPECT_EQ(names, roster) << "seed " << seed << " seat " << seat;
            chosen.insert(combo->currentText());
            defaultsSeen.insert(combo->currentText());
        }
        EXPECT_EQ(chosen.size(), 3u) << "seed " << seed;
        delete dialog;
    }
    UnseedRandom();
    // The defaults really are drawn, not fixed.
    EXPECT_GT(defaultsSeen.size(), 6u);
}

TEST_F(SetupDialog, ExactlyOneBallIsCheckedAfterEveryClick)
{
    frmGameSetup* dialog = Open();
    // Clicks in order, repeats and the already checked ball included.
    const struct {
        std::size_t ball;
        int limit;
    } clicks[] = {{3, 100}, {0, 50}, {0, 50}, {1, 200}, {2, 500}, {2, 500}, {3, 100}, {1, 200}};
    for (const auto& click : clicks) {
        PointBall* ball = dialog->chkPoints[click.ball];
        ASSERT_TRUE(QTest::qWaitFor([ball] { return ball->isEnabled(); }, kWaitMs));
        QTest::mouseClick(ball, Qt::LeftButton, {}, QPoint(8, ball->height() / 2));
        int checked = 0;
        for (PointBall* each : dialog->chkPoints) checked += each->isChecked() ? 1 : 0;
        EXPECT_EQ(checked, 1) << "after ball " << click.ball;
        EXPECT_TRUE(ball->isChecked()) << "ball " << click.ball;
        // The ball rests for a moment after its click.
        EXPECT_FALSE(ball->isEnabled()) << "ball " << click.ball;
        EXPECT_EQ(dialog->ChosenScoreLimit(), click.limit);
    }
}

// Tab goes down the balls as they are shown; Space on a ball keeps the focus
// on it through its rest, so a second Space still means that ball.
TEST_F(SetupDialog, TheBallsAreTabbedInScreenOrderAndKeepTheFocusThroughTheirRest)
{
    frmGameSetup* dialog = Open();
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

TEST_F(SetupDialog, TypingIntoAnOpponentListChangesNothing)
{
    frmGameSetup* dialog = Open();
    for (int seat = 1; seat <= 3; ++seat) {
        QComboBox* combo = dialog->cboPlayer[static_cast<std::size_t>(seat)];
        combo->setFocus();
        const QString before = combo->currentText();
        QTest::keyClicks(combo, QStringLiteral("Ruth sam Z"));
        EXPECT_EQ(combo->currentText(), before) << "seat " << seat;
        // Choosing with the arrow keys still works.
        combo->setCurrentIndex(0);
        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(combo->currentIndex(), 1) << "seat " << seat;
    }
}

TEST(SetupDialogRules, TheLimitIsReadFromTheCaptionFromItsTwentyFourthCharacter)
{
    const struct {
        const char* caption;
        int limit;
    } cases[] = {
        {"Play until someone has 50 points", 50},   {"Play until someone has 200 points", 200},
        {"Play until someone has 500 points", 500}, {"Play until someone has 100 points", 100},
        {"Play until someone has points", 0},       {"Play until someone has ", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frmGameSetup::ScoreLimitFromCaption(QString::fromLatin1(c.caption)), c.limit) << c.caption;
}

TEST(SetupDialogRules, TheSlideStopsWithinOneStepOfTheBottomOfTheScreen)
{
    const struct {
        int top, height, bottom;
        std::optional<int> next;
    } cases[] = {
        {0, 6000, 16200, 50}, {10000, 6000, 16200, 10050}, {10149, 6000, 16200, 10199},
        {10150, 6000, 16200, std::nullopt}, {10151, 6000, 16200, std::nullopt}, {12000, 6000, 16200, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frmGameSetup::NextSlideTopTwips(c.top, c.height, c.bottom), c.next) << "top " << c.top;
}

TEST_F(SetupDialog, AMissingOpponentShowsTheErrorAndStartsNothing)
{
    frmGameSetup* dialog = Open();
    QComboBox* combo = dialog->cboPlayer[2];
    combo->setCurrentIndex(combo->findText(QStringLiteral("D'Arcy")));
    ASSERT_EQ(combo->currentText(), QStringLiteral("D'Arcy"));
    // The roster changes after the lists were filled.
    Exec(QStringLiteral("DELETE FROM ComputerPlayers WHERE PlayerName = ?"), {QStringLiteral("D'Arcy")});

    QTest::mouseClick(dialog->cmdStart[0], Qt::LeftButton);
    QMessageBox* box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Computer Player Error"));
    EXPECT_EQ(box->text(), QStringLiteral("Computer player 'D'Arcy' is not in the database of computer players.  "
                                          "This is a problem.\n\n Please select another computer player or "
                                          "contact technical support."));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    Shoot(box, "ComputerPlayerError");
    Press(box, QMessageBox::Ok);

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Busy());
    EXPECT_TRUE(dialog->cmdStart[0]->isEnabled());
    EXPECT_EQ(engine.State().Players.Count(), 0);
    EXPECT_EQ(engine.State().Tag, "");
    EXPECT_EQ(closedCount, 0);
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
    for (int seat = 1; seat <= 3; ++seat)
        opponents.push_back(dialog->cboPlayer[static_cast<std::size_t>(seat)]->currentData().toString().toStdString());
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
    const int screenBottom = owner.screen()->geometry().bottom() + 1;
    EXPECT_GT(closedAt.top(), before.top());
    EXPECT_EQ(closedAt.left(), before.left());
    EXPECT_LE(screenBottom - closedAt.bottom() - 1, TwipsToPixels(frmGameSetup::kSlideStepTwips) + 1);
}

TEST_F(SetupDialog, CancellingTheResumeListLeavesTheDialogAsItWas)
{
    AddSavedGame("2024-01-02 10:00:00.000", "Ann", 12);
    frmGameSetup* dialog = Open();
    const QRect before = dialog->frameGeometry();
    QStringList texts{dialog->txtPlayer->text()};
    for (int seat = 1; seat <= 3; ++seat) texts << dialog->cboPlayer[static_cast<std::size_t>(seat)]->currentText();

    QTest::mouseClick(dialog->cmdStart[1], Qt::LeftButton);
    QPointer<frmResume> list = dialog->findChild<frmResume*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Tag(), QStringLiteral("frmGameSetup"));
    QTest::mouseClick(list->cmdCancel, Qt::LeftButton);
    QTest::qWait(50);

    EXPECT_TRUE(!list || !list->isVisible());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Busy());
    EXPECT_EQ(dialog->frameGeometry(), before);
    QStringList after{dialog->txtPlayer->text()};
    for (int seat = 1; seat <= 3; ++seat) after << dialog->cboPlayer[static_cast<std::size_t>(seat)]->currentText();
    EXPECT_EQ(after, texts);
    EXPECT_EQ(engine.State().Tag, "");
    EXPECT_EQ(engine.State().Players.Count(), 0);
    EXPECT_EQ(closedCount, 0);
}

TEST_F(SetupDialog, AChosenSavedGameIsResumedOrItsFailureShown)
{
    for (const bool restored : {true, false}) {
        SCOPED_TRACE(restored ? "restored" : "failed");
        engine.State().Tag.clear();
        closedCount = 0;
        const std::int32_t id = AddSavedGame("2024-01-02 10:00:00.000", "Ann", 12);
        std::int32_t asked = 0;
        frmGameSetup::Callbacks callbacks;
        callbacks.ResumeSavedGame = [&asked, restored](std::int32_t chosen) {
            return ScriptedResume(chosen, &asked, restored);
        };
        frmGameSetup* dialog = Open(std::move(callbacks));

        QTest::mouseClick(dialog->cmdStart[1], Qt::LeftButton);
        auto* list = dialog->findChild<frmResume*>();
        ASSERT_NE(list, nullptr);
        list->TDBGrid1->selectRow(list->Data1->rowCount() - 1);
        QTest::mouseClick(list->cmdResume, Qt::LeftButton);

        if (restored) {
            ASSERT_TRUE(QTest::qWaitFor([this] { return closedCount == 1; }, kWaitMs));
            EXPECT_EQ(engine.State().Tag, "START");
        } else {
            QMessageBox* box = WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Resume Game"));
            EXPECT_EQ(box->text(), QStringLiteral("An error occurred while trying to resume this game.\n\n"
                                                  "Please try again or select a different game."));
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            Press(box, QMessageBox::Ok);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_FALSE(dialog->Busy());
            EXPECT_EQ(engine.State().Tag, "");
            EXPECT_EQ(closedCount, 0);
            delete dialog;
        }
        EXPECT_EQ(asked, id);
    }
}

TEST_F(SetupDialog, ExitAndHelpGoToTheirCallbacks)
{
    int exits = 0;
    int helps = 0;
    frmGameSetup::Callbacks callbacks;
    callbacks.ExitGame = [&exits] { ++exits; };
    callbacks.Help = [&helps] { ++helps; };
    frmGameSetup* dialog = Open(std::move(callbacks));
    QTest::mouseClick(dialog->cmdStart[3], Qt::LeftButton);
    QTest::mouseClick(dialog->cmdStart[2], Qt::LeftButton);
    EXPECT_EQ(helps, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(engine.State().Tag, "");
    // Escape starts nothing and closes nothing.
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(closedCount, 0);
}

// -------------------------------------------------------------------- frmResume

class ResumeList : public AppWindows {
protected:
    frmResume* Open(bool soundOn = false)
    {
        auto* list = new frmResume(
            &owner, database, soundOn, [this](int clip) { clips.push_back(clip); },
            [this](const QString& answer) { answers << answer; });
        list->open();
        return list;
    }

    QStringList answers;
    std::vector<int> clips;
};

TEST_F(ResumeList, ListsEverySavedGameInStatementOrderUnderTheDescribedHeadings)
{
    // Saved out of date order: the list keeps the statement's order.
    const std::int32_t first = AddSavedGame("2024-05-01 09:30:41.000", "Ann", 12);
    const std::int32_t second = AddSavedGame("2023-01-01 08:00:00.000", "**Bob, \"Jr\"", 40);
    const std::int32_t third = AddSavedGame("2024-02-01 18:45:00.000", "Cy", 0);
    frmResume* list = Open();

    EXPECT_EQ(list->windowTitle(), QStringLiteral("Resume a Saved Game"));
    EXPECT_EQ(list->lblInstruction->Text(), QStringLiteral("Highlight the game to resume and click on <Resume> or "
                                                           "double-click on the game to resume."));
    EXPECT_EQ(list->lblGrid->text(), QStringLiteral("Saved Games"));
    EXPECT_EQ(list->picIcon->toolTip(), QStringLiteral("Click here to remove all saved games!"));
    EXPECT_EQ(list->cmdResume->text(), QStringLiteral("&Resume"));
    EXPECT_EQ(list->cmdCancel->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(VisibleHeadings(list->TDBGrid1),
              QStringList({"DateSaved", "Human", "Score", "CompPlayer1", "Score", "CompPlayer2", "Score",
                           "CompPlayer3", "Score"}));
    EXPECT_TRUE(list->TDBGrid1->isColumnHidden(0));

    const std::vector<SavedGameListRow> rows = database.SavedGamesList();
    ASSERT_EQ(list->Data1->rowCount(), 3);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].ID, first);
    EXPECT_EQ(rows[1].ID, second);
    EXPECT_EQ(rows[2].ID, third);
    for (int r = 0; r < 3; ++r) {
        const SavedGameListRow& row = rows[static_cast<std::size_t>(r)];
        EXPECT_EQ(Cell(list->TDBGrid1, r, 0).toInt(), row.ID);
        EXPECT_EQ(Cell(list->TDBGrid1, r, 2), QString::fromStdString(row.Player4));
        EXPECT_EQ(Cell(list->TDBGrid1, r, 3).toLongLong(), row.PlayerScore4);
        EXPECT_EQ(Cell(list->TDBGrid1, r, 4), QString::fromStdString(row.CompPlayer1));
        EXPECT_EQ(Cell(list->TDBGrid1, r, 6), QString::fromStdString(row.CompPlayer2));
        EXPECT_EQ(Cell(list->TDBGrid1, r, 9).toLongLong(), row.CompPlayerScore3);
    }
    // Dates are shown to the second: two saves in one minute differ.
    EXPECT_EQ(list->Data1->data(list->Data1->index(0, 1)).toString(), QStringLiteral("2024-05-01 09:30:41"));
    Shoot(list, "frmResume");

    // The grid takes up what the window gains.
    const QSize grid = list->TDBGrid1->size();
    list->resize(list->size() + QSize(240, 120));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->TDBGrid1->size() == grid + QSize(240, 120); }, kWaitMs));
    EXPECT_FALSE(list->TDBGrid1->horizontalScrollBar()->isVisible());
    Shoot(list, "frmResume-wide");
}

TEST_F(ResumeList, AnswersTheChosenIdOrNothing)
{
    enum Action { ResumeButton, DoubleClick, CancelButton, Escape };
    const struct {
        Action action;
        int row;
        const char* name;
    } cases[] = {{ResumeButton, 1, "Resume"}, {ResumeButton, 0, "Resume first"}, {DoubleClick, 2, "double-click"},
                 {CancelButton, 1, "Cancel"}, {Escape, 1, "Escape"}};
    std::vector<std::int32_t> ids;
    for (int k = 0; k < 3; ++k) ids.push_back(AddSavedGame("2024-01-0" + std::to_string(k + 1) + " 10:00:00.000", "Ann", k));

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        answers.clear();
        QPointer<frmResume> list = Open();
        list->TDBGrid1->selectRow(c.row);
        QString expected = QString::number(ids[static_cast<std::size_t>(c.row)]);
        switch (c.action) {
        case ResumeButton:
            QTest::mouseClick(list->cmdResume, Qt::LeftButton);
            break;
        case DoubleClick: {
            const QRect cell = list->TDBGrid1->visualRect(list->Data1->index(c.row, 2));
            // A widget's double-click arrives after the first click's press and release.
            QTest::mouseClick(list->TDBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            EXPECT_TRUE(answers.isEmpty());
            QTest::mouseDClick(list->TDBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            break;
        }
        case CancelButton:
            QTest::mouseClick(list->cmdCancel, Qt::LeftButton);
            expected.clear();
            break;
        case Escape:
            QTest::keyClick(list->TDBGrid1, Qt::Key_Escape);
            expected.clear();
            break;
        }
        ASSERT_EQ(answers.size(), 1);
        EXPECT_EQ(answers[0], expected);
        EXPECT_TRUE(!list || !list->isVisible());
    }
}

TEST_F(ResumeList, PurgingNeedsTwoYesAnswers)
{
    const struct {
        std::vector<QMessageBox::StandardButton> answers;
        int left;
    } cases[] = {{{QMessageBox::No}, 2}, {{QMessageBox::Yes, QMessageBox::No}, 2}, {{QMessageBox::Yes, QMessageBox::Yes}, 0}};
    const QString texts[] = {
        QStringLiteral("Are you sure you want to eliminate all of the saved games????"),
        QStringLiteral("This step will permanently delete the games that have been saved!\n\nAre you sure you want to do this?")};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers.size());
        Exec(QStringLiteral("DELETE FROM SavedGames"));
        AddSavedGame("2024-01-01 10:00:00.000", "Ann", 1);
        AddSavedGame("2024-01-02 10:00:00.000", "Ann", 2);
        frmResume* list = Open();
        QTest::mouseClick(list->picIcon, Qt::LeftButton);
        for (std::size_t k = 0; k < c.answers.size(); ++k) {
            QMessageBox* box = WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Purge Saved Games"));
            EXPECT_EQ(box->text(), texts[k]);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            Press(box, c.answers[k]);
        }
        EXPECT_EQ(OpenMessageBox(), nullptr);
        EXPECT_EQ(database.CountSavedGames(), c.left);
        EXPECT_EQ(list->Data1->rowCount(), c.left);
        EXPECT_EQ(list->cmdResume->isEnabled(), c.left > 0);
        QTest::mouseClick(list->cmdCancel, Qt::LeftButton);
    }
}

TEST_F(ResumeList, PlaysTheWindowClipOnOpeningWhenSoundIsOn)
{
    for (const bool soundOn : {true, false}) {
        clips.clear();
        frmResume* list = Open(soundOn);
        QTest::mouseClick(list->cmdCancel, Qt::LeftButton);
        EXPECT_EQ(clips, soundOn ? std::vector<int>{12} : std::vector<int>{}) << soundOn;
    }
}

// ---------------------------------------------------------------- frmBestScores

class BestScores : public AppWindows {
protected:
    frmBestScores* Open(bool soundOn = false)
    {
        auto* list = new frmBestScores(
            &owner, database, soundOn, [this](int clip) { clips.push_back(clip); }, [this] { ++closedCount; });
        list->open();
        return list;
    }

    std::vector<int> clips;
    int closedCount = 0;
};

TEST_F(BestScores, ListsByMarginThenLowerWinningScoreThenOlderDate)
{
    AddHistory("2024-03-01 10:00:00.000", "A", 10, 50);  // margin 40
    AddHistory("2024-05-01 10:00:00.000", "B", 5, 45);   // margin 40, lower winning score
    AddHistory("2024-01-01 10:00:00.000", "C", 5, 45);   // margin 40, lower score, older
    AddHistory("2024-02-01 10:00:00.000", "D", 20, 80);  // margin 60
    AddHistory("2023-12-01 10:00:00.000", "**Ann", 0, 10); // margin 10
    frmBestScores* list = Open();

    EXPECT_EQ(list->windowTitle(), QStringLiteral("Vemo Best Scores By Margin of Victory"));
    EXPECT_EQ(list->lblHuman->text(), QStringLiteral("* * = indicates human player"));
    EXPECT_EQ(list->picIcon->toolTip(), QStringLiteral("Click here to delete all of the history records!!"));
    EXPECT_EQ(list->cmdClose->text(), QStringLiteral("&Close"));
    EXPECT_EQ(VisibleHeadings(list->TDBGrid1),
              QStringList({"DatePlayed", "Winner", "Score", "SecondPlace", "Score", "ThirdPlace", "Score",
                           "FourthPlace", "Score", "Margin of Victory"}));

    const int winner = list->Data1->record().indexOf(QStringLiteral("Winner"));
    const int margin = list->Data1->record().indexOf(QStringLiteral("GapBetweenWinnerLoser"));
    QStringList order;
    QList<int> margins;
    for (int r = 0; r < list->Data1->rowCount(); ++r) {
        order << Cell(list->TDBGrid1, r, winner);
        margins << Cell(list->TDBGrid1, r, margin).toInt();
    }
    EXPECT_EQ(order, QStringList({"D", "C", "B", "A", "**Ann"}));
    EXPECT_EQ(margins, QList<int>({60, 40, 40, 40, 10}));
    Shoot(list, "frmBestScores");
}

TEST_F(BestScores, PurgingNeedsTwoYesAnswers)
{
    const struct {
        std::vector<QMessageBox::StandardButton> answers;
        int left;
    } cases[] = {{{QMessageBox::No}, 2}, {{QMessageBox::Yes, QMessageBox::No}, 2}, {{QMessageBox::Yes, QMessageBox::Yes}, 0}};
    const QString texts[] = {
        QStringLiteral("Are you sure you want to eliminate all of the history records????"),
        QStringLiteral("This step will permanently delete the games that have been saved as history!\n\n"
                       "Are you sure you want to do this?")};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers.size());
        Exec(QStringLiteral("DELETE FROM History"));
        AddHistory("2024-01-01 10:00:00.000", "A", 1, 20);
        AddHistory("2024-01-02 10:00:00.000", "B", 2, 30);
        frmBestScores* list = Open();
        QTest::mouseClick(list->picIcon, Qt::LeftButton);
        for (std::size_t k = 0; k < c.answers.size(); ++k) {
            QMessageBox* box = WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Purge History"));
            EXPECT_EQ(box->text(), texts[k]);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            Press(box, c.answers[k]);
        }
        EXPECT_EQ(OpenMessageBox(), nullptr);
        EXPECT_EQ(database.CountHistory(), c.left);
        EXPECT_EQ(list->Data1->rowCount(), c.left);
        QTest::mouseClick(list->cmdClose, Qt::LeftButton);
    }
}

TEST_F(BestScores, PlaysTheWindowClipOnOpeningAndClosingWhenSoundIsOn)
{
    for (const bool soundOn : {true, false}) {
        clips.clear();
        closedCount = 0;
        frmBestScores* list = Open(soundOn);
        EXPECT_EQ(clips, soundOn ? std::vector<int>{12} : std::vector<int>{}) << soundOn;
        QTest::mouseClick(list->cmdClose, Qt::LeftButton);
        EXPECT_EQ(clips, soundOn ? std::vector<int>({12, 12}) : std::vector<int>{}) << soundOn;
        EXPECT_EQ(closedCount, 1);
    }
}

TEST_F(BestScores, TheCsvExportRoundTripsNamesWithQuotesCommasAndLineBreaks)
{
    AddHistory("2024-01-01 10:00:00.000", "**Ann \"the Bold\"", 0, 30, "Smith, John", "Line\nBreak");
    AddHistory("2024-01-02 10:00:00.000", "D'Arcy", 5, 80, "\"\"", ",");
    const QString path = dir.filePath(QStringLiteral("best.csv"));
    QString error;
    ASSERT_TRUE(ExportHistoryCsv(database, path, &error)) << error.toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("DatePlayed,Winner,Score,SecondPlace,Score,ThirdPlace,Score,"
                                               "FourthPlace,Score,Margin of Victory\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"**Ann \"\"the Bold\"\"\"")));
    EXPECT_TRUE(text.contains(QStringLiteral(",\"Smith, John\",")));

    const std::vector<QStringList> parsed = ParseCsv(text);
    const std::vector<HistoryRow> rows = database.BestScores();
    ASSERT_EQ(parsed.size(), rows.size() + 1);
    for (const QStringList& line : parsed) EXPECT_EQ(line.size(), 10);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const HistoryRow& row = rows[k];
        const QStringList expected{QString::fromStdString(row.DatePlayed), QString::fromStdString(row.Winner),
                                   QString::number(row.WinnerScore),       QString::fromStdString(row.SecondPlace),
                                   QString::number(row.SecondScore),       QString::fromStdString(row.ThirdPlace),
                                   QString::number(row.ThirdScore),        QString::fromStdString(row.FourthPlace),
                                   QString::number(row.FourthScore),       QString::number(row.GapBetweenWinnerLoser)};
        EXPECT_EQ(parsed[k + 1], expected) << "row " << k;
    }
    EXPECT_EQ(parsed[1][1], QStringLiteral("D'Arcy"));
    EXPECT_EQ(parsed[2][3], QStringLiteral("Smith, John"));
    EXPECT_EQ(parsed[2][5], QStringLiteral("Line\nBreak"));
}

TEST_F(BestScores, AFailedExportSaysWhyAndLeavesNoFile)
{
    AddHistory("2024-01-01 10:00:00.000", "A", 1, 20);
    const QString path = dir.filePath(QStringLiteral("missing/folder/best.csv"));
    QString error;
    EXPECT_FALSE(ExportHistoryCsv(database, path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    frmBestScores* list = Open();
    EXPECT_FALSE(list->ExportTo(path));
    QMessageBox* box = WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Export to CSV"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    Press(box, QMessageBox::Ok);
}

} // namespace
