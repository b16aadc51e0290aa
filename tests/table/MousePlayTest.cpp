// Whole games through the real table window, played as a person plays them:
// mouse clicks, double-clicks and drags on the real card widgets, the deck,
// the say-Vemo button and the dialogs' buttons. Pauses are shortened by the
// window's time scale; nothing calls the engine directly.
#include "MousePlayer.h"
#include "TableWindowFixture.h"
#include "frmPause.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

using namespace vemo;

namespace {

class MousePlay : public TableWindow {
protected:
    // Plays until the engine ends the game or stop() holds; false on a stall.
    template <typename Stop>
    bool PlayUntil(MousePlayer& player, Stop stop, int maxSeconds = 240)
    {
        QElapsedTimer clock;
        clock.start();
        while (!stop()) {
            if (clock.elapsed() > maxSeconds * 1000) return false;
            player.Step();
            if (HasFatalFailure()) return false;
            QTest::qWait(5);
        }
        return true;
    }
};

} // namespace

// From the first deal to the end of the game: every card the human plays goes
// by mouse, and every window the game opens is answered with a click.
TEST_F(MousePlay, AWholeGameIsPlayedWithTheMouse)
{
    shell.choice.ScoreLimit = 200; // a few hands, so the hand-winner window shows too
    if (qEnvironmentVariableIsSet("VEMO_SHOT_DIR")) table->SetTimeScale(0.5); // slow enough to catch the balloon
    table->show();
    MousePlayer player(*table, *engine);
    const int limit = qEnvironmentVariableIsSet("VEMO_SHOT_DIR") ? 1800 : 240;
    ASSERT_TRUE(PlayUntil(player, [&] { return !gameShell.exits.empty(); }, limit)) << "the game stalled";

    const GameState& state = engine->State();
    EXPECT_GE(player.counts.handsWon, 1);
    EXPECT_GT(player.counts.doubleClicks + player.counts.drags, 0);
    // The game ended on the limit: someone passed it.
    bool over = false;
    for (int seat = 1; seat <= 4; ++seat) over = over || state.Scores[static_cast<std::size_t>(seat)] >= state.ScoreLimit;
    EXPECT_TRUE(over);
    // Dragged cards reached the pile: the human played some by drag and drop.
    EXPECT_GT(player.counts.dropsLanded, 0);
    std::printf("double-clicks %d, drags %d (landed %d), deck %d, colours %d, asks %d, questions %d, boxes %d, "
                "Vemo calls %d, hands %d\n",
                player.counts.doubleClicks, player.counts.drags, player.counts.dropsLanded, player.counts.deckDraws,
                player.counts.colours, player.counts.asks, player.counts.questions, player.counts.messageBoxes,
                player.counts.vemoCalls, player.counts.handsWon);
    for (const QString& text : player.seenTexts) EXPECT_FALSE(text.isEmpty());
}

namespace {

// Waits for the computers' turn, while the human plays by mouse.
bool ComputerOnTurn(GameEngine& engine)
{
    const GameState& state = engine.State();
    return state.MainLoopRunning && state.CurrTurn != 4 && !state.WaitingForHuman &&
           QApplication::activeModalWidget() == nullptr;
}

} // namespace

// Interrupt Computer asks "Exit Game?" and holds the computers while it is
// open; Cancel lets them go on, Ok ends the game by the exit path.
TEST_F(MousePlay, InterruptHoldsTheComputersUntilAnswered)
{
    table->show();
    MousePlayer player(*table, *engine);
    ASSERT_TRUE(PlayUntil(player, [&] { return ComputerOnTurn(*engine); }));
    QAction* interrupt = table->MenuAction(QStringLiteral("mnuOptionsInterrupt"));
    ASSERT_TRUE(interrupt->isEnabled());
    interrupt->trigger();
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Exit Game?"));
    EXPECT_TRUE(box->text().startsWith(QStringLiteral("You have interrupted the computer team during its turn.")));

    const std::int16_t turn = engine->State().CurrTurn;
    const auto cards = engine->State().Players(turn).NumberOfCards();
    QTest::qWait(300); // many times a scaled computer turn
    EXPECT_EQ(engine->State().CurrTurn, turn);
    EXPECT_EQ(engine->State().Players(turn).NumberOfCards(), cards);

    QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->State().CurrTurn != turn || engine->State().Players(turn).NumberOfCards() != cards; }, 3000));
    EXPECT_TRUE(gameShell.exits.empty());

    ASSERT_TRUE(PlayUntil(player, [&] { return ComputerOnTurn(*engine); }));
    table->MenuAction(QStringLiteral("mnuOptionsInterrupt"))->trigger();
    box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gameShell.exits.size() == std::size_t{1}; }, 3000));
}

// Pause holds the game until its window is closed.
TEST_F(MousePlay, PauseHoldsTheGameUntilClosed)
{
    table->show();
    MousePlayer player(*table, *engine);
    ASSERT_TRUE(PlayUntil(player, [&] { return ComputerOnTurn(*engine); }));
    table->findChild<QAction*>(QStringLiteral("mnuPause"))->trigger();
    auto* pause = qobject_cast<frmPause*>(QApplication::activeModalWidget());
    ASSERT_NE(pause, nullptr);

    const std::int16_t turn = engine->State().CurrTurn;
    const auto cards = engine->State().Players(turn).NumberOfCards();
    QTest::qWait(300);
    EXPECT_EQ(engine->State().CurrTurn, turn);
    EXPECT_EQ(engine->State().Players(turn).NumberOfCards(), cards);

    QTest::mouseClick(pause->cmdOK, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->State().CurrTurn != turn || engine->State().Players(turn).NumberOfCards() != cards; }, 3000));
}

namespace {

// The order, lowest first, of the human's faces and name among the table's widgets.
QList<QWidget*> Stacking(frmMain& table)
{
    QList<QWidget*> order;
    QWidget* name = table.findChild<QWidget*>(QStringLiteral("lblPlayer4"));
    for (QObject* child : name->parentWidget()->children())
        if (child == name || qobject_cast<cVemoCard*>(child)) order << static_cast<QWidget*>(child);
    return order;
}

} // namespace

// A playable card dropped off the pile goes back to its place and its depth:
// it no longer covers the card beside it or the name.
TEST_F(MousePlay, ACardDroppedOffThePileGoesBackUnderItsNeighbours)
{
    table->show();
    MousePlayer player(*table, *engine);
    int index = 0;
    auto freeChoice = [&] {
        const GameState& state = engine->State();
        index = 0;
        if (!state.WaitingForHuman || state.CurrTurn != 4 || state.HumanTurnDone || state.PlayInProgress ||
            state.DeckDrawBusy || state.HumanPlayedCard || state.HumanDrawCount > 0 || state.ForcedDrawStarted ||
            state.VemoAfterPrayer || QApplication::activeModalWidget())
            return false;
        for (std::size_t i = state.HumanFaces.size(); i >= 2 && !index; --i)
            if (ValidCard(state.HumanFaces[i - 1], "", state, nullptr)) index = static_cast<int>(i);
        return index > 0;
    };
    ASSERT_TRUE(PlayUntil(player, freeChoice));
    cVemoCard* face = table->HumanFace(index);
    const QList<QWidget*> before = Stacking(*table);
    const QPoint place = face->pos();
    QPoint moved;
    QObject::connect(face, &cVemoCard::MouseMove, [&] { moved = face->pos(); }); // after the table moved it
    MousePlayer::Drag(face, face->mapToGlobal(face->rect().center() + QPoint(0, 40))); // downwards, away from the pile
    ASSERT_NE(moved, place) << "the card did not move";
    EXPECT_EQ(face->pos(), place);
    EXPECT_EQ(Stacking(*table), before);
    EXPECT_FALSE(engine->State().HumanPlayedCard);
}
