// The real table window with the real engine: the menus in every situation
// of a game, the options, the layout, minimising, the sounds, the deck's
// inputs and the window's trapped faults.
#include "GameLogPanel.h"
#include "ReportError.h"
#include "TableOptions.h"
#include "TableWindowFixture.h"
#include "Twips.h"
#include "WavPlayer.h"

#include <QDir>
#include <QMenuBar>
#include <QSignalSpy>

#include <functional>

using namespace vemo;

namespace {

// The menu bar as "name|caption|shortcut" rows, each menu's items indented
// under it; every menu's access keys differ.
QStringList MenuTree(const QList<QAction*>& items, const QString& indent = {})
{
    QStringList rows, keys;
    for (QAction* item : items) {
        QMenu* menu = item->menu();
        const QString text = item->isSeparator() ? QStringLiteral("-") : item->text();
        rows << indent + (menu ? menu->objectName() : item->objectName()) + '|' + text + '|' +
                    item->shortcut().toString();
        if (const int amp = text.indexOf('&'); amp >= 0) keys << text.mid(amp + 1, 1).toUpper();
        if (menu) rows << MenuTree(menu->actions(), indent + QStringLiteral("  "));
    }
    EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size()) << keys.join(' ').toStdString();
    return rows;
}

// What the player sees of the menus: the visible captions of the bar, each
// with its menu's disabled (-) and checked (*) items.
std::string BarStates(QMenuBar* bar)
{
    QString states;
    for (QAction* top : bar->actions()) {
        if (!top->isVisible()) continue;
        states += (states.isEmpty() ? "[" : " [") + top->text();
        std::function<void(QMenu*)> items = [&](QMenu* menu) {
            for (QAction* item : menu->actions()) {
                if (item->isSeparator()) continue;
                if (!item->isEnabled()) states += " -" + item->text();
                else if (item->isChecked()) states += " *" + item->text();
                if (item->menu()) items(item->menu());
            }
        };
        if (top->menu()) items(top->menu());
        states += "]";
    }
    return states.toStdString();
}

} // namespace

// Every menu and item with its caption, access key and shortcut, in order.
// The View menu's Game Log and Table Summary, Options' Scale Table With
// Window, Show playable cards and Large cards and high contrast are this
// table's own additions.
TEST_F(TableWindow, TheMenuTreeHasItsCaptionsAndShortcuts)
{
    const QStringList tree = {
        "mnuFileMain|&File|",
        "  mnuFile1|&New Game|Ctrl+N",
        "  mnuFile2|&Open Game|Ctrl+O",
        "  mnuFile3|&Save Game|Ctrl+S",
        "  mnuFile4|-|",
        "  mnuFile5|E&xit|",
        "mnuView|&View|",
        "  mnuViewBest|&Best Scores|Ctrl+B",
        "  |-|",
        "  mnuViewGameLog|Game &Log|",
        "  mnuViewSummary|Table &Summary|T",
        "mnuOptions|&Options|",
        "  mnuOptionsSound|&Sound|Ctrl+U",
        "  mnuOptionsAniSub|Animation|",
        "    mnuOptionsAnimation0|&Animation - Normal|Ctrl+A",
        "    mnuOptionsAnimation1|Animation - &FAST|Ctrl+F",
        "    mnuOptionsAnimation2|&No Animation|",
        "  mnuOptionsScale|S&cale Table With Window|",
        "  mnuOptionsSep1|-|",
        "  mnuOptionsSort|Sort &Hand|Ctrl+H",
        "  mnuOptionsInterrupt|&Interrupt Computer|Ctrl+X",
        "  mnuOptionsDraw|&Draw Card|Ctrl+D",
        "  |-|",
        "  mnuOptionsPlayable|Show &playable cards|",
        "  mnuOptionsHighContrast|&Large cards and high contrast|",
        "mnuPause|&Pause|",
        "mnuHelp|&Help|",
        "  mnuHelpHelp|&Help Topics|F1",
        "  mnuHelpPrimer|Vemo &Primer|",
        "  mnuHelpSep2|-|",
        "  mnuHelpTyl|Tyl on the &Web|",
        "  mnuHelpSep3|-|",
        "  mnuHelpAbout|&About|",
        "mnuDummy| |",
    };
    EXPECT_EQ(MenuTree(table->menuBar()->actions()).join('\n').toStdString(), tree.join('\n').toStdString());
}

// The menus in each situation of a game: all there and every item usable
// with no game (a first start: Sound and Normal animation on); Sort Hand and
// Draw Card on the human's turn, Interrupt Computer on the computers'; the
// pause window holding the table; while a hand is dealt only the blank
// placeholder, and no menu's shortcut acts.
TEST_F(TableWindow, TheMenusFollowTheSituationOfTheGame)
{
    const std::string options = "[&Options *&Sound *&Animation - Normal *S&cale Table With Window";
    EXPECT_EQ(BarStates(table->menuBar()), "[&File] [&View] " + options + "] [&Pause] [&Help]") << "no game";

    ShowAndDeal();
    // Ctrl-X is the window's own key: it offers to leave on anyone's turn,
    // also on the human's, when Interrupt Computer is disabled.
    const auto ctrlXOffersToLeave = [&] {
        QTest::keyClick(table.get(), Qt::Key_X, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }));
        EXPECT_EQ(QApplication::activeModalWidget()->windowTitle(), QStringLiteral("Exit Game?"));
        qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->reject(); // Cancel: play goes on
        ASSERT_TRUE(QTest::qWaitFor([&] { return !QApplication::activeModalWidget(); }));
    };
    TablePlayer player(*table, *engine);
    ASSERT_TRUE(PlayUntil(player, [&] { return player.AtChoice(); }));
    ctrlXOffersToLeave();
    EXPECT_EQ(BarStates(table->menuBar()), "[&File] [&View] " + options + " -&Interrupt Computer] [&Pause] [&Help]")
        << "the human's turn";
    ASSERT_TRUE(PlayUntil(player, [&] { return player.ComputersOnTurn(); }));
    const std::string computers = "[&File] [&View] " + options + " -Sort &Hand -&Draw Card] [&Pause] [&Help]";
    EXPECT_EQ(BarStates(table->menuBar()), computers) << "a computer's turn";
    ctrlXOffersToLeave();
    const int barHeight = table->menuBar()->sizeHint().height();
    table->MenuAction("mnuPause")->trigger();
    auto* pause = qobject_cast<frmPause*>(QApplication::activeModalWidget());
    ASSERT_NE(pause, nullptr);
    EXPECT_TRUE(pause->windowModality() == Qt::WindowModal && pause->parentWidget()->window() == table.get());
    EXPECT_EQ(BarStates(table->menuBar()), computers) << "paused";
    QTest::mouseClick(pause->cmdOK, Qt::LeftButton);

    table->SetTimeScale(0.1); // the cards of the new deal fly for seconds
    table->MenuAction("mnuFile1")->trigger();
    ASSERT_TRUE(PlayUntil(player, [&] { return !table->menuBar()->actions().constFirst()->isVisible(); }));
    EXPECT_EQ(BarStates(table->menuBar()), "[ ]") << "dealing";
    EXPECT_EQ(table->menuBar()->sizeHint().height(), barHeight) << "the placeholder keeps the bar's height";
    Activate(); // shortcuts act only in the active window
    for (QAction* item : table->findChildren<QAction*>()) {
        // Ctrl+X, F1 and T are also the window's own keys.
        const QStringList ownKeys{"mnuOptionsInterrupt", "mnuHelpHelp", "mnuViewSummary"};
        if (item->shortcut().isEmpty() || ownKeys.contains(item->objectName()))
            continue;
        QSignalSpy triggered(item, &QAction::triggered);
        QTest::keySequence(table.get(), item->shortcut());
        EXPECT_EQ(triggered.count(), 0) << item->objectName().toStdString();
    }
    EXPECT_LT(table->CardImages(4), 7) << "still dealing";
}

// A name of any length is kept whole in the data and cut only where it is shown:
// the table, its status bars and its name labels keep their size. Minimising
// halts the game: a pause that ends while the window is minimised holds the
// game until the window is restored.
static Task<void> WaitThenMark(GameEngine& engine, bool& done)
{
    co_await engine.WaitSeconds(1.0f);
    done = true;
}
TEST_F(TableWindow, AVeryLongNameKeepsTheTablesSizeAndMinimisingHaltsPlay)
{
    const QString name = QStringLiteral("Bartholomew-").repeated(17).left(200);
    shell.choice.HumanName = name.toStdString();
    const QSize before = table->size();
    ShowAndDeal();
    EXPECT_EQ(table->size(), before);
    EXPECT_LE(table->minimumSizeHint().width(), before.width());
    EXPECT_EQ(table->StatusText(StatusBar::Top, 6), name + QStringLiteral(" = 0"));
    auto* label = table->findChild<QLabel*>(QStringLiteral("lblPlayer4"));
    EXPECT_EQ(label->text(), name);
    EXPECT_LE(label->width(), before.width() / 2);

    bool done = false;
    engine->Start(WaitThenMark(*engine, done)); // work of the game, paused when the window goes down
    table->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->State().Resizing; }, 5000));
    QTest::qWait(200); // twenty times the scaled second
    EXPECT_FALSE(done);
    table->setWindowState(Qt::WindowNoState);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 2000));
    EXPECT_FALSE(engine->State().Resizing);
}

// Every option and the game log's choice is stored at once and kept between runs; the window colour
// changes at every start, never to the default "1" that a first start finds.
TEST_F(TableWindow, OptionsSurviveARestart)
{
    struct Row { int animation; bool sound, playable, contrast, log; };
    int colour = QSettings("Vemo", "Vemo").value("Settings/MainWindowColor").toInt();
    EXPECT_GE(colour, 2);
    for (const Row& row : {Row{1, false, true, false, true}, Row{2, true, false, true, false},
                           Row{0, false, true, true, true}, Row{0, true, false, false, false}}) {
        SCOPED_TRACE(row.animation + 10 * row.sound + 100 * row.playable + 1000 * row.contrast + 10000 * row.log);
        table->MenuAction(QStringLiteral("mnuOptionsAnimation%1").arg(row.animation))->trigger();
        if (table->SoundOn() != row.sound) table->MenuAction("mnuOptionsSound")->trigger();
        table->MenuAction("mnuOptionsPlayable")->setChecked(row.playable);
        table->MenuAction("mnuOptionsHighContrast")->setChecked(row.contrast);
        if (table->MenuAction("mnuViewGameLog")->isChecked() != row.log) table->MenuAction("mnuViewGameLog")->trigger();
        const auto stored = [](const char* key) { return QSettings("Vemo", "Vemo").value(key, "False").toString(); };
        EXPECT_EQ(stored("Settings/SoundOption"), row.sound ? "True" : "False");
        EXPECT_EQ(stored("Settings/AnimationOption"), QString::number(row.animation));
        EXPECT_EQ(stored("Settings/ShowPlayableCards"), row.playable ? "True" : "False");
        EXPECT_EQ(stored("Settings/HighContrast"), row.contrast ? "True" : "False");
        EXPECT_EQ(stored("Settings/ShowGameLog"), row.log ? "True" : "False");

        frmMain restarted(&database);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(restarted.MenuAction(QString("mnuOptionsAnimation%1").arg(k))->isChecked(), k == row.animation);
        EXPECT_EQ(restarted.SoundOn(), row.sound);
        EXPECT_EQ(restarted.MenuAction("mnuOptionsPlayable")->isChecked(), row.playable);
        EXPECT_EQ(restarted.MenuAction("mnuOptionsHighContrast")->isChecked(), row.contrast);
        EXPECT_EQ(restarted.MenuAction("mnuViewGameLog")->isChecked() && !restarted.GameLog()->isHidden(), row.log);
        restarted.PlaceCardOnTable(4, CardCode("B5"), 0);
        EXPECT_EQ(restarted.HumanFace(1)->HighContrast(), row.contrast) << "a face dealt after the start";
        EXPECT_NE(stored("Settings/MainWindowColor").toInt(), colour);
        colour = stored("Settings/MainWindowColor").toInt();
    }
}

// Help's web site item: the Yes/No question, the desktop's handler on Yes, and
// the failure box when the handler refuses.
TEST_F(TableWindow, TylOnTheWebAsksThenOpensOrSaysItFailed)
{
    ShowAndDeal();
    struct Row { QMessageBox::StandardButton answer; bool opens; int opened; };
    for (const Row& row :
         {Row{QMessageBox::No, true, 0}, Row{QMessageBox::Yes, true, 1}, Row{QMessageBox::Yes, false, 1}}) {
        SCOPED_TRACE(row.opened + 2 * row.opens);
        shell.webSiteOpens = row.opens;
        shell.webSiteOpened = 0;
        table->MenuAction("mnuHelpTyl")->trigger();
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(std::tuple(question->windowTitle(), question->icon(), question->standardButtons()),
                  std::tuple(QStringLiteral("Tyl on the Web"), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No));
        EXPECT_TRUE(question->text().endsWith(
            QStringLiteral("\nDo you want to launch your default web browser and go to Tyl on the web?")));
        QTest::mouseClick(question->button(row.answer), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() != question; }, 5000));
        EXPECT_EQ(shell.webSiteOpened, row.opened);
        auto* failure = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_EQ(failure != nullptr, row.opened && !row.opens) << "the failure box";
        if (!failure) continue;
        EXPECT_EQ(std::tuple(failure->windowTitle(), failure->text(), failure->icon()),
                  std::tuple(QStringLiteral("Visit Tyl"), QStringLiteral("Some error"), QMessageBox::Warning));
        QTest::mouseClick(failure->button(QMessageBox::Ok), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }, 5000));
    }
}

// A resumed game's sound is that game's, the stored choice stays; the window
// starts centred on its screen.
TEST_F(TableWindow, AResumedGamesSoundIsNotStoredAndTheWindowIsCentred)
{
    table->SetSoundOption(false);
    EXPECT_TRUE(frmMain(&database).SoundOn());
    table->resize(320, 240);
    table->CenterForm();
    EXPECT_LE((table->frameGeometry().center() - table->screen()->availableGeometry().center()).manhattanLength(), 2);
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
    const std::function<void()> inputs[] = {
        [&] { QTest::mouseDClick(table->Deck(), Qt::LeftButton); },
        [&] { table->MenuAction(QStringLiteral("mnuOptionsDraw"))->trigger(); },
        [&] { QTest::keyClick(table.get(), Qt::Key_D); },
    };
    bool* guards[] = {nullptr, &s.PlayInProgress, &s.HandOver, &s.VemoAfterPrayer};
    for (std::size_t input = 0; input < std::size(inputs); ++input) {
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
