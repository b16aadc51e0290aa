// The real table window with the real engine: a game starts, the cards are
// dealt onto the table, and the computer players take their turns.
#include "TableWindowFixture.h"
#include "cVemoCard.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace vemo;

TEST_F(TableWindow, ANewGameDealsSevenCardsToEverySeatAndPlayBegins)
{
    table->show();
    QTRY_COMPARE_WITH_TIMEOUT(table->CardImages(1), 7, 3000);
    for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(table->CardImages(seat), engine->State().Players(seat).NumberOfCards());
    EXPECT_EQ(table->StatusText(StatusBar::Top, 1), QStringLiteral("Point Limit = 100"));
    EXPECT_EQ(table->StatusText(StatusBar::Top, 3), QStringLiteral("Adam = 0"));
    EXPECT_EQ(table->StatusText(StatusBar::Bottom, 3), QStringLiteral("Clockwise"));
    ASSERT_NE(table->HumanFace(1), nullptr);
    EXPECT_EQ(table->HumanFace(1)->CardCode(), QString::fromStdString(engine->State().HumanFaces[0].ToString()));
    // The loop starts from the one-shot timer and the turn passes on.
    QTRY_VERIFY_WITH_TIMEOUT(engine->State().MainLoopRunning, 3000);
    if (const char* shot = std::getenv("VEMO_TABLE_SHOT")) {
        QTest::qWait(200);
        table->grab().save(QString::fromLocal8Bit(shot));
    }
}

namespace {
Task<void> WaitThenMark(GameEngine& engine, bool& done)
{
    co_await engine.WaitSeconds(1.0f);
    done = true;
}
} // namespace

// Minimising halts the game: a pause that ends while the window is minimised
// holds the game until the window is restored.
TEST_F(TableWindow, MinimisingHaltsPlayUntilRestored)
{
    table->show();
    QTRY_COMPARE_WITH_TIMEOUT(table->CardImages(1), 7, 3000);
    // Work of the game that is paused when the window goes down.
    bool done = false;
    engine->Start(WaitThenMark(*engine, done));
    table->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(engine->State().Resizing);
    QTest::qWait(200); // twenty times the scaled second
    EXPECT_FALSE(done);
    table->setWindowState(Qt::WindowNoState);
    QTRY_VERIFY_WITH_TIMEOUT(done, 2000);
    EXPECT_FALSE(engine->State().Resizing);
}

// Sound, animation and the window colour are kept between runs.
TEST_F(TableWindow, OptionsSurviveARestart)
{
    table->MenuAction(QStringLiteral("mnuOptionsAnimation1"))->trigger();
    table->MenuAction(QStringLiteral("mnuOptionsSound"))->trigger(); // on by default, now off
    const int colour = QSettings("Vemo", "Vemo").value("Settings/MainWindowColor").toInt();
    EXPECT_GE(colour, 2); // never the default "1" that a first start finds

    frmMain restarted(&database);
    EXPECT_TRUE(restarted.MenuAction(QStringLiteral("mnuOptionsAnimation1"))->isChecked());
    EXPECT_FALSE(restarted.MenuAction(QStringLiteral("mnuOptionsAnimation0"))->isChecked());
    EXPECT_FALSE(restarted.SoundOn());
    EXPECT_EQ(QSettings("Vemo", "Vemo").value("Settings/SoundOption").toString(), QStringLiteral("False"));
    EXPECT_EQ(QSettings("Vemo", "Vemo").value("Settings/AnimationOption").toString(), QStringLiteral("1"));
    // A new colour family at every start.
    EXPECT_NE(QSettings("Vemo", "Vemo").value("Settings/MainWindowColor").toInt(), colour);
}

// Sort Hand and Draw Card belong to the human's turn, Interrupt Computer to
// the computers' turns.
TEST_F(TableWindow, TurnMenusFollowTheSeatOnTurn)
{
    table->SetHumanTurnControls(true);
    EXPECT_TRUE(table->MenuAction(QStringLiteral("mnuOptionsSort"))->isEnabled());
    EXPECT_TRUE(table->MenuAction(QStringLiteral("mnuOptionsDraw"))->isEnabled());
    EXPECT_FALSE(table->MenuAction(QStringLiteral("mnuOptionsInterrupt"))->isEnabled());
    table->SetHumanTurnControls(false);
    EXPECT_FALSE(table->MenuAction(QStringLiteral("mnuOptionsSort"))->isEnabled());
    EXPECT_FALSE(table->MenuAction(QStringLiteral("mnuOptionsDraw"))->isEnabled());
    EXPECT_TRUE(table->MenuAction(QStringLiteral("mnuOptionsInterrupt"))->isEnabled());
}

// A name of any length is kept whole in the data and cut only where it is shown:
// the table, its status bars and its name labels keep their size.
TEST_F(TableWindow, AVeryLongNameIsCutOnTheTableNotInTheData)
{
    const QString name = QStringLiteral("Bartholomew-").repeated(17).left(200);
    shell.choice.HumanName = name.toStdString();
    const QSize before = table->size();
    table->show();
    QTRY_COMPARE_WITH_TIMEOUT(table->CardImages(4), 7, 3000);
    EXPECT_EQ(table->size(), before);
    EXPECT_LE(table->minimumSizeHint().width(), before.width());
    EXPECT_EQ(table->StatusText(StatusBar::Top, 6), name + QStringLiteral(" = 0"));
    auto* label = table->findChild<QLabel*>(QStringLiteral("lblPlayer4"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), name);
    EXPECT_LE(label->width(), before.width() / 2);
}
