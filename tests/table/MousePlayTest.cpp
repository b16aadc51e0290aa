// Whole games through the real table window, played by mouse as a person
// plays them: clicks, double-clicks and drags on the real card widgets, the
// deck, the say-Vemo button and the dialogs' buttons. Pauses are shortened by
// the window's time scale; nothing calls the engine directly.
#include "TableWindowFixture.h"
#include "frmPause.h"

using namespace vemo;

// From the first deal to the end of the game: every card the human plays goes
// by mouse, and every window the game opens is answered with a click.
TEST_F(TableWindow, AWholeGameIsPlayedWithTheMouse)
{
    shell.choice.ScoreLimit = 200; // a few hands, so the hand-winner window shows too
    table->show();
    TablePlayer player(*table, *engine);
    ASSERT_TRUE(PlayUntil(player, [&] { return !gameShell.exits.empty(); })) << "the game stalled";

    const GameState& state = engine->State();
    EXPECT_GE(*std::max_element(state.Scores.begin() + 1, state.Scores.end()), state.ScoreLimit) << "the limit";
    EXPECT_GE(player.counts.handsWon, 1);
    EXPECT_GT(player.counts.plays, player.counts.drags);
    EXPECT_GT(player.counts.dropsLanded, 0) << "dragged cards reached the pile";
    for (const QString& text : player.seenTexts) EXPECT_FALSE(text.isEmpty());
}

// Interrupt Computer's "Exit Game?" box and the pause window hold the
// computers while open; Cancel and the pause window's OK let them go on, the
// box's OK ends the game by the exit path.
TEST_F(TableWindow, InterruptAndPauseHoldTheComputersUntilAnswered)
{
    table->show();
    TablePlayer player(*table, *engine);
    struct Row { const char* item; const char* button; bool exits; };
    for (const Row& row : {Row{"mnuOptionsInterrupt", "Cancel", false}, Row{"mnuPause", "OK", false},
                           Row{"mnuOptionsInterrupt", "OK", true}}) {
        SCOPED_TRACE(std::string(row.item) + " " + row.button);
        ASSERT_TRUE(PlayUntil(player, [&] { return player.ComputersOnTurn(); }));
        ASSERT_TRUE(table->MenuAction(row.item)->isEnabled());
        table->MenuAction(row.item)->trigger();
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        if (auto* box = qobject_cast<QMessageBox*>(window)) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Exit Game?"));
            EXPECT_TRUE(box->text().startsWith("You have interrupted the computer team during its turn."));
        } else {
            EXPECT_NE(qobject_cast<frmPause*>(window), nullptr);
        }
        const std::int16_t turn = engine->State().CurrTurn;
        const auto cards = engine->State().Players(turn).NumberOfCards();
        QTest::qWait(300); // many times a scaled computer turn
        EXPECT_EQ(engine->State().CurrTurn, turn);
        EXPECT_EQ(engine->State().Players(turn).NumberOfCards(), cards);
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->text().remove('&') == row.button) QTest::mouseClick(button, Qt::LeftButton);
        if (row.exits) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return gameShell.exits.size() == 1u; }, 3000));
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return engine->State().CurrTurn != turn ||
                                                     engine->State().Players(turn).NumberOfCards() != cards; }, 3000));
            EXPECT_TRUE(gameShell.exits.empty());
        }
    }
}

// The order, lowest first, of the human's faces and name among the table's widgets.
static QList<QWidget*> Stacking(frmMain& table)
{
    QList<QWidget*> order;
    QWidget* name = table.findChild<QWidget*>(QStringLiteral("lblPlayer4"));
    for (QObject* child : name->parentWidget()->children())
        if (child == name || qobject_cast<cVemoCard*>(child)) order << static_cast<QWidget*>(child);
    return order;
}

// A playable card dropped off the pile goes back to its place and its depth:
// it no longer covers the card beside it or the name.
TEST_F(TableWindow, ACardDroppedOffThePileGoesBackUnderItsNeighbours)
{
    table->show();
    TablePlayer player(*table, *engine);
    int index = 0;
    auto freeChoice = [&] {
        const GameState& state = engine->State();
        index = 0;
        if (!player.AtChoice()) return false;
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
    TablePlayer::Drag(face, face->mapToGlobal(face->rect().center() + QPoint(0, 40))); // downwards, away from the pile
    ASSERT_NE(moved, place) << "the card did not move";
    EXPECT_EQ(face->pos(), place);
    EXPECT_EQ(Stacking(*table), before);
    EXPECT_FALSE(engine->State().HumanPlayedCard);
}
