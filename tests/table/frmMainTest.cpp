// The real table window with the real engine: a game starts, the cards are
// dealt onto the table, and the computer players take their turns.
#include "ReportError.h"
#include "TableOptions.h"
#include "TableWindowFixture.h"
#include "Twips.h"
#include "WavPlayer.h"
#include "cVemoCard.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

using namespace vemo;

TEST_F(TableWindow, ANewGameDealsSevenCardsToEverySeatAndPlayBegins)
{
    table->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->CardImages(1) == 7; }, 3000));
    for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(table->CardImages(seat), engine->State().Players(seat).NumberOfCards());
    EXPECT_EQ(table->StatusText(StatusBar::Top, 1), QStringLiteral("Point Limit = 100"));
    EXPECT_EQ(table->StatusText(StatusBar::Top, 3), QStringLiteral("Adam = 0"));
    EXPECT_EQ(table->StatusText(StatusBar::Bottom, 3), QStringLiteral("Clockwise"));
    ASSERT_NE(table->HumanFace(1), nullptr);
    EXPECT_EQ(table->HumanFace(1)->CardCode(), QString::fromStdString(engine->State().HumanFaces[0].ToString()));
    // The loop starts from the one-shot timer and the turn passes on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->State().MainLoopRunning; }, 3000));
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->CardImages(1) == 7; }, 3000));
    // Work of the game that is paused when the window goes down.
    bool done = false;
    engine->Start(WaitThenMark(*engine, done));
    table->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->State().Resizing; }, 5000));
    QTest::qWait(200); // twenty times the scaled second
    EXPECT_FALSE(done);
    table->setWindowState(Qt::WindowNoState);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 2000));
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

// Help's web site item: the Yes/No question, the desktop's handler on Yes, and
// the failure box when the handler refuses; the menu keeps its separators.
TEST_F(TableWindow, TylOnTheWebAsksThenOpensOrSaysItFailed)
{
    QAction* tyl = table->MenuAction(QStringLiteral("mnuHelpTyl"));
    ASSERT_NE(tyl, nullptr);
    auto* help = qobject_cast<QMenu*>(tyl->parent());
    ASSERT_NE(help, nullptr);
    QStringList items;
    for (QAction* action : help->actions()) items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(items, QStringList({"&Help Topics", "Vemo &Primer", "-", "Tyl on the &Web", "-", "&About"}));

    table->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->State().MainLoopRunning; }, 3000));
    struct Row {
        QMessageBox::StandardButton answer;
        bool opens;
        int opened;
        bool failureBox;
    };
    for (const Row& row : {Row{QMessageBox::No, true, 0, false}, Row{QMessageBox::Yes, true, 1, false},
                           Row{QMessageBox::Yes, false, 1, true}}) {
        SCOPED_TRACE(row.opened + 2 * row.opens);
        shell.webSiteOpens = row.opens;
        shell.webSiteOpened = 0;
        tyl->trigger();
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->windowTitle(), QStringLiteral("Tyl on the Web"));
        EXPECT_EQ(question->icon(), QMessageBox::Question);
        EXPECT_EQ(question->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_TRUE(question->text().endsWith(
            QStringLiteral("\nDo you want to launch your default web browser and go to Tyl on the web?")));
        QTest::mouseClick(question->button(row.answer), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() != question; }, 5000));
        EXPECT_EQ(shell.webSiteOpened, row.opened);
        auto* failure = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_EQ(failure != nullptr, row.failureBox);
        if (!failure) continue;
        EXPECT_EQ(failure->windowTitle(), QStringLiteral("Visit Tyl"));
        EXPECT_EQ(failure->text(), QStringLiteral("Some error"));
        EXPECT_EQ(failure->icon(), QMessageBox::Warning);
        QTest::mouseClick(failure->button(QMessageBox::Ok), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }, 5000));
    }
}

// Every fixed element and the human's cards stand where the layout puts them,
// the small figure and the card panel's labels on the pile among them: at the
// start size exactly as before, twice as large in a window twice the size,
// and at the fixed size when the player keeps the table from scaling.
TEST_F(TableWindow, FixedElementsStandWhereTheLayoutPutsThem)
{
    table->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->CardImages(1) == 7; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->CardImages(4) == 7; }, 3000));
    // The deal is over when the menus are back: every card has landed and the
    // hand is laid out for seven.
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->menuBar()->actions().constFirst()->isVisible(); }, 10000));
    QAction* scaling = table->MenuAction(QStringLiteral("mnuOptionsScale"));
    ASSERT_NE(scaling, nullptr);
    EXPECT_TRUE(scaling->isChecked());
    const QSize start = table->size();
    struct Row {
        QSize size;
        bool scaling;
        double scale;
    } const sizes[] = {{start, true, 1.0}, {start * 2, true, 2.0}, {start * 2, false, 1.0}, {start, true, 1.0}};
    for (const Row& row : sizes) {
        SCOPED_TRACE(row.size.width() * 10 + row.scaling);
        if (scaling->isChecked() != row.scaling) scaling->trigger();
        table->resize(row.size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->TableScale() == row.scale; }, 5000));
        const FixedLayout& laid = table->LaidOut();
        const std::pair<const char*, TwipsPoint> rows[] = {
            {"imgVemoGuySmall", laid.imgVemoGuySmall},   {"imgDiscard", laid.imgDiscard0},
            {"lblType", laid.lblType},                   {"lblVerse", laid.lblVerse},
            {"lblInstructionExtra", laid.lblInstructionExtra}, {"lblInstruction", laid.lblInstruction},
            {"imgDeck", laid.imgDeck},                   {"lblPlayer2", laid.lblPlayer[2]}};
        for (const auto& [name, place] : rows) {
            SCOPED_TRACE(name);
            auto* element = table->findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(element, nullptr);
            EXPECT_EQ(element->pos(), QPoint(TwipsToPixels(place.Left, row.scale), TwipsToPixels(place.Top, row.scale)));
        }
        // Seven cards 639 twips apart, centred on the hand's anchor.
        const int card1Left = laid.cPlayer4Card0.Left + 3 * 639;
        for (int i = 1; i <= 7; ++i)
            EXPECT_EQ(table->HumanFace(i)->geometry(),
                      QRect(TwipsToPixels(card1Left - 639 * (i - 1), row.scale),
                            TwipsToPixels(laid.cPlayer4Card0.Top, row.scale), TwipsToPixels(1065, row.scale),
                            TwipsToPixels(1440, row.scale))) << i;
        EXPECT_EQ(table->Deck()->size(), QSize(77, 102) * row.scale);
    }
    EXPECT_TRUE(table->findChild<QWidget*>(QStringLiteral("imgVemoGuySmall"))->isVisible());
    EXPECT_TRUE(TableOptions().ScaleTableWithWindow()); // kept as the player left it
}

// Every top-level item of the menu bar hides while a game is dealt; the blank
// placeholder alone keeps the bar's height.
TEST_F(TableWindow, DealingHidesEveryMenuButThePlaceholder)
{
    for (const bool visible : {false, true}) {
        table->ShowMenus(visible);
        for (QAction* item : table->menuBar()->actions()) {
            if (item->isSeparator()) continue;
            const bool placeholder = item->text().trimmed().isEmpty();
            EXPECT_EQ(item->isVisible(), placeholder ? !visible : visible) << item->text().toStdString();
        }
    }
}

// Ctrl-X is the window's own key: it offers to leave on anyone's turn, also
// when Interrupt Computer is disabled on the human's.
TEST_F(TableWindow, CtrlXOffersToLeaveOnEveryTurn)
{
    for (const bool humanTurn : {true, false}) {
        table->SetHumanTurnControls(humanTurn);
        QTest::keyClick(table.get(), Qt::Key_X, Qt::ControlModifier);
        QPointer<QMessageBox> box;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return (box = table->findChild<QMessageBox*>(QString(), Qt::FindDirectChildrenOnly)) != nullptr; }));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Exit Game?"));
        box->reject(); // Cancel: play goes on
        EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull(); }));
    }
}

// A resumed game's sound is that game's; the stored choice stays.
TEST_F(TableWindow, AResumedGamesSoundIsNotStored)
{
    table->SetSoundOption(false);
    EXPECT_FALSE(table->SoundOn());
    EXPECT_TRUE(frmMain(&database).SoundOn());
}

TEST_F(TableWindow, TheWindowIsCentredOnItsScreen)
{
    table->resize(320, 240);
    table->CenterForm();
    const QPoint off = table->frameGeometry().center() - table->screen()->availableGeometry().center();
    EXPECT_LE(off.manhattanLength(), 2);
}

// A card laid without moving is silent while animation is on; with it off
// every card laid sounds; a dropped card sounded when it was picked up.
TEST_F(TableWindow, TheCardSoundFollowsAnimationAndMode)
{
    struct Case { int animation; const char* mode; bool sounds; };
    const Case cases[] = {{0, "NOMOVE", false}, {1, "NOMOVE", false}, {2, "NOMOVE", true}, {2, "", true},
                          {0, "", false}};
    auto* wav = table->findChild<WavPlayer*>();
    engine->State().CurrTurn = 4; // PlayingCardIndex 0: a card dropped on the pile
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.animation) + c.mode);
        table->mnuOptionsAnimation_Click(c.animation);
        wav->PlayWav(12);
        engine->Start(engine->PlaceCardOnDiscardPile("B5", c.mode));
        EXPECT_EQ(wav->LastClip(), c.sounds ? 11 : 12);
    }
}

// With the deck's three inputs set against the guards of the engine's pauses
// (a card being played, a hand over, the Vemo-after-Prayer window): only a
// turn free of them draws.
TEST_F(TableWindow, EveryDeckInputDrawsOnlyWhenTheGameIsNotPausing)
{
    table->mnuOptionsAnimation_Click(2);
    engine->State().FirstActivationPending = false;
    table->show();
    engine->Start(FixedSetupShell::StartFromSetup(shell));
    engine->State().Tag.clear(); // the loop stays still
    ASSERT_EQ(table->CardImages(4), 7);
    GameState& s = engine->State();
    const std::vector<std::function<void()>> inputs = {
        [&] {
            QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->Deck(), &click);
        },
        [&] { table->MenuAction(QStringLiteral("mnuOptionsDraw"))->trigger(); },
        [&] { QTest::keyClick(table.get(), Qt::Key_D); },
    };
    bool* guards[] = {nullptr, &s.PlayInProgress, &s.HandOver, &s.VemoAfterPrayer};
    for (std::size_t input = 0; input < inputs.size(); ++input) {
        for (bool* guard : guards) {
            SCOPED_TRACE(std::to_string(input) + (guard ? " guarded" : " free"));
            s.WaitingForHuman = true;
            s.CurrTurn = 4;
            s.HumanDrawCount = 2; // owed draws: no question is asked
            s.HumanMustDraw = true;
            s.ForcedDrawStarted = false;
            table->SetHumanTurnControls(true);
            if (guard) *guard = true;
            const int before = s.Players(4).NumberOfCards();
            inputs[input]();
            EXPECT_EQ(s.Players(4).NumberOfCards(), before + (guard ? 0 : 1));
            if (guard) *guard = false;
        }
    }
}

// A verse that cannot be read is reported under the procedure that shows it,
// which carries on; so are the window's other trapped faults, each under its name.
TEST_F(TableWindow, FaultsAreReportedUnderTheirProceduresAndPlayGoesOn)
{
    QTemporaryDir logDir;
    SetErrorLogDirectory(logDir.path().toStdString());
    table->mnuOptionsAnimation_Click(2);
    table->PlaceCardOnTable(1, "B1", 0);
    table->PlaceCardOnTable(4, "B2", 0);
    database.Close();
    GameState& s = engine->State();
    auto pileType = [&] { return table->findChild<QLabel*>(QStringLiteral("lblType"))->text(); };
    struct Case { const char* procedure; std::function<void()> act; std::function<bool()> carriedOn; };
    const Case cases[] = {
        {"PlaceCardOnDiscardPile", [&] { engine->Start(engine->PlaceCardOnDiscardPile("GD", "")); },
         [&] { return pileType() == "DEVIL"; }},
        {"SetHumanPlayerCard", [&] { table->SetHumanPlayerCard("G7", 1); },
         [&] { return table->HumanFace(1)->CardCode() == "G7"; }},
        {"SetHumanPlayerCard", [&] { table->PlaceCardOnTable(4, "R2", 0); },
         [&] { return table->HumanFace(2)->CardCode() == "R2" && !table->HumanFace(2)->isHidden(); }},
        {"RemoveCardFromTable", [&] { table->RemoveCardFromTable(5); }, [&] { return table->CardImages(1) == 1; }},
        // Animated: the card flies from seat 1 and lands from a timer.
        {"PlaceCardOnDiscardPile",
         [&] {
             table->mnuOptionsAnimation_Click(0);
             s.CurrTurn = 1;
             engine->Start(engine->PlaceCardOnDiscardPile("GS", ""));
         },
         [&] { return pileType() == "SIN"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.procedure);
        QFile::remove(QString::fromStdString(ErrorLogPath().string()));
        c.act();
        EXPECT_TRUE(QTest::qWaitFor(c.carriedOn, 2000));
        QFile log(QString::fromStdString(ErrorLogPath().string()));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_TRUE(log.readAll().contains(QByteArray("proc = ") + c.procedure));
    }
    SetErrorLogDirectory(QDir::tempPath().toStdString());
}

// A name of any length is kept whole in the data and cut only where it is shown:
// the table, its status bars and its name labels keep their size.
TEST_F(TableWindow, AVeryLongNameIsCutOnTheTableNotInTheData)
{
    const QString name = QStringLiteral("Bartholomew-").repeated(17).left(200);
    shell.choice.HumanName = name.toStdString();
    const QSize before = table->size();
    table->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->CardImages(4) == 7; }, 3000));
    EXPECT_EQ(table->size(), before);
    EXPECT_LE(table->minimumSizeHint().width(), before.width());
    EXPECT_EQ(table->StatusText(StatusBar::Top, 6), name + QStringLiteral(" = 0"));
    auto* label = table->findChild<QLabel*>(QStringLiteral("lblPlayer4"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), name);
    EXPECT_LE(label->width(), before.width() / 2);
}
