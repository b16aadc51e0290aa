// Following the game without seeing all of it: the names screen readers give
// the table's pieces, the sentences spoken as things happen, the game log
// beside the table, the table summary on T, and the colour in force told by
// its shape as well as its name.
#include "TablePlayer.h"
#include "TableWindowFixture.h"

#include "CardArt.h"
#include "CardText.h"
#include "ColourPanel.h"
#include "GameLogPanel.h"
#include "StrategyReason.h"
#include "TableAnnouncer.h"
#include "TableWords.h"

#include <QAccessible>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolTip>

using namespace vemo;

namespace {

QString Str(const std::string& text) { return QString::fromStdString(text); }
const QString kDash = QStringLiteral(" \u2014 ");

// What assistive technology reads, through the widget's accessible interface.
QString Spoken(QObject* object, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleInterface* face = object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    return face ? face->text(text) : QStringLiteral("<none>");
}

class TableReading : public TableWindow {
protected:
    void ExpectTheTableReadsAsItStands()
    {
        const GameState& state = engine->State();
        // The human's name reads "On turn" exactly while it is shown highlighted.
        QLabel* name = table->findChild<QLabel*>(QStringLiteral("lblPlayer4"));
        EXPECT_EQ(Spoken(name, QAccessible::Description), name->styleSheet().contains(QStringLiteral("background"))
                                                              ? QStringLiteral("On turn") : QStringLiteral("Click on name to sort cards"));
        ASSERT_EQ(table->CardImages(4), state.Players(4).NumberOfCards());
        for (int i = 1; i <= table->CardImages(4); ++i) {
            const CardCode card = state.HumanFaces[static_cast<std::size_t>(i - 1)];
            EXPECT_EQ(Spoken(table->HumanFace(i)), Str(FormatCardDescription(card)));
            EXPECT_EQ(Spoken(table->HumanFace(i), QAccessible::Description),
                      QLatin1String(DescribeCardValue(card.Value()).InstructionToolTip));
        }
        for (int seat = 1; seat <= 3; ++seat) {
            const clsPlayer& player = state.Players(seat);
            EXPECT_EQ(Spoken(table->HandArea(seat)), Str(HandDescription(player.Name(), player.NumberOfCards())));
            EXPECT_EQ(Spoken(table->findChild<QLabel*>(QStringLiteral("lblPlayer%1").arg(seat))), Str(player.Name()));
        }
        EXPECT_EQ(Spoken(table->DiscardTarget()), Str(PileDescription(state.ActualCurrCard)));
        EXPECT_EQ(Spoken(table->Deck()), QStringLiteral("Deck"));
        const QString tip = table->Deck()->toolTip(); // the described words, then the key
        EXPECT_EQ(Spoken(table->Deck(), QAccessible::Description), tip.isEmpty() ? tip : tip + " Or press D.");
        for (int panel = 1; panel <= 4; ++panel)
            EXPECT_EQ(Spoken(table->findChild<QLabel*>(QStringLiteral("sbBottom%1").arg(panel))),
                      table->StatusText(StatusBar::Bottom, panel));
        EXPECT_EQ(Spoken(table->SayVemoButton()), QStringLiteral("Say Vemo"));
    }
};

} // namespace

// A real game by mouse: after the deal and again once a computer hand has
// changed, every piece of the table has its name; the log lists every event heard from
// the start, computer reasons after their lines, the human's play among them;
// each event told is spoken and logged at once; every new or resumed game
// starts the log afresh.
TEST_F(TableReading, AGameByMouseIsReadAndLogged)
{
    QSignalSpy spy(table->Announcer(), &TableAnnouncer::announced);
    ShowAndDeal();
    frmPause* pause = Hold();
    ASSERT_NE(pause, nullptr);
    ExpectTheTableReadsAsItStands();
    const auto hands = [&] { return Spoken(table->HandArea(1)) + Spoken(table->HandArea(2)) + Spoken(table->HandArea(3)); };
    const QString dealt = hands();
    table->MenuAction(QStringLiteral("mnuViewGameLog"))->trigger(); // the reasons are styled as shown

    QTest::mouseClick(pause->cmdOK, Qt::LeftButton);
    TablePlayer player(*table, *engine);
    ASSERT_TRUE(PlayUntil(player, [&] {
        const QStringList lines = table->GameLog()->Lines();
        return hands() != dealt && !QApplication::activeModalWidget() && !lines.filter(kDash).isEmpty() &&
               lines.contains(QStringLiteral("It is Ann's turn.")) &&
               !lines.filter(QRegularExpression(QStringLiteral("^Ann plays "))).isEmpty();
    }));
    ASSERT_NE(Hold(), nullptr); // nothing else happens meanwhile
    ExpectTheTableReadsAsItStands();
    for (const bool onTurn : {true, false}) { // as the game shows whose turn it is
        table->SetPlayerHighlight(4, onTurn);
        ExpectTheTableReadsAsItStands();
    }

    const QStringList lines = table->GameLog()->Lines();
    EXPECT_EQ(lines.front(), QStringLiteral("A new game begins: Adam, Ruth, Ben and Ann play to 100 points."));
    QStringList heard;
    for (const QList<QVariant>& call : spy) heard << call.at(0).toString();
    for (const QString& line : lines) EXPECT_TRUE(heard.contains(line.section(kDash, 0, 0))) << line.toStdString();
    EXPECT_TRUE(table->GameLog()->View()->toHtml().contains(QStringLiteral("color:#"))) << "reasons are softer";

    // Each event is spoken in one sentence as the window is told of it, through
    // the announcer's label, and logged with the computer's reason.
    const StrategyGrounds devil{.Step = StrategyStep::Style1Evil, .Answer = "BD", .Pile = "B3", .Holding = {2, 5, 6},
                                .Style = 1};
    using K = GameEventKind;
    const std::pair<GameEvent, std::string> cases[] = {
        {{.Kind = K::CardPlayed, .Seat = 2, .Card = "BD", .Grounds = devil}, "Ruth plays Blue Devil."},
        {{.Kind = K::TurnStarted, .Seat = 3}, "It is Ben's turn."},
        {{.Kind = K::TurnStarted, .Seat = 3}, "It is Ben's turn."}, // the same again is still news
    };
    spy.clear();
    for (const auto& [event, spoken] : cases) {
        SCOPED_TRACE(spoken);
        QWidget* before = table->Announcer()->Speaker();
        table->Announce(event);
        ASSERT_EQ(spy.size(), 1);
        EXPECT_EQ(spy.takeFirst().at(0).toString(), Str(spoken));
        // Each announcement is a new notification, shown, named by the sentence.
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->Announcer()->Speaker() != before; }));
        QWidget* notice = table->Announcer()->Speaker();
        EXPECT_TRUE(notice->isVisible());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
        EXPECT_EQ(Spoken(notice), Str(spoken));
        // The log keeps the why of the reason; the line itself says what was played.
        const std::string why = StrategyReason(devil).substr(StrategyReason(devil).find(": ") + 2);
        const std::string reason = event.Grounds.Step == StrategyStep::None ? "" : " \u2014 " + why;
        EXPECT_EQ(table->GameLog()->Lines().last(), Str(spoken + reason));
    }
    // Sentences of one pass are heard together, none lost, in their order.
    QWidget* before = table->Announcer()->Speaker();
    for (const auto& row : cases) table->Announce(row.first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->Announcer()->Speaker() != before; }));
    QStringList all;
    for (const auto& row : cases) all << Str(row.second);
    EXPECT_EQ(Spoken(table->Announcer()->Speaker()), all.join(QLatin1Char(' ')));

    const std::pair<GameEvent, QString> fresh[] = {
        {{.Kind = K::GameStarted, .Count = 200}, "A new game begins: Adam, Ruth, Ben and Ann play to 200 points."},
        {{.Kind = K::GameResumed, .Totals = {5, 10, 0, 20}}, "A saved game resumes. The scores: Adam 5, Ruth 10, Ben 0 and Ann 20."}};
    for (const auto& [event, first] : fresh) {
        table->Announce({.Kind = K::TurnStarted, .Seat = 2});
        table->Announce(event);
        EXPECT_EQ(table->GameLog()->Lines(), QStringList{first});
    }
}

// The aids beside the table: the game log keeps the newest lines; the colour
// in force shows its shape as well as its name.
TEST_F(TableWindow, TheGameLogAndTheColourPanel)
{
    table->show();
    table->MenuAction(QStringLiteral("mnuViewGameLog"))->trigger();
    // The newest lines are kept, and the view follows them unless the player has scrolled back to read.
    GameLogPanel& log = *table->GameLog();
    for (int k = 1; k <= GameLogPanel::kMaximumLines + 5; ++k) log.AppendEvent(QStringLiteral("Line %1.").arg(k), {});
    EXPECT_EQ(log.Lines().size(), GameLogPanel::kMaximumLines);
    EXPECT_EQ(log.Lines().front(), QStringLiteral("Line 6."));
    QScrollBar* bar = log.View()->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(0);
    log.AppendEvent(QStringLiteral("Ruth plays Blue Devil."), QStringLiteral("<the reason>"));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(log.Lines().back(), QStringLiteral("Ruth plays Blue Devil.") + kDash + QStringLiteral("<the reason>"));

    // The colour panel keeps the game's words and draws the colour's shape in
    // the colour's own hue; without a colour, no shape.
    auto* panel = table->findChild<ColourPanel*>(QStringLiteral("sbBottom4"));
    ASSERT_NE(panel, nullptr);
    const std::pair<const char*, char> cases[] = {{"Blue", 'B'}, {"Green", 'G'}, {"Purple", 'P'},
                                                  {"Red", 'R'},  {"Color", 0},   {"Unspecified", 0}};
    for (const auto& [text, letter] : cases) {
        SCOPED_TRACE(text);
        table->SetStatusText(StatusBar::Bottom, 4, text);
        EXPECT_EQ(table->StatusText(StatusBar::Bottom, 4), QLatin1String(text));
        EXPECT_EQ(panel->ShapeLetter(), letter);
        const QImage image = panel->grab().toImage();
        const QColor middle = image.pixelColor(panel->ShapeRect().center() * image.devicePixelRatio());
        const int apart = letter ? std::abs(middle.hsvHue() - CardArt::PictureColour(CardArt::PictureOfLetter(letter)).hsvHue()) : 0;
        EXPECT_EQ(middle.hsvSaturation() > 80 && std::min(apart, 360 - apart) < 30, letter != 0);
        EXPECT_TRUE(letter || middle.hsvSaturation() < 40);
    }
}

TEST(TableSummary, TellsTheTopCardColourDirectionTurnAndEveryHand)
{
    const struct { char direction; CardCode actual, pile; char colour; int turn; std::array<int, 4> cards; const char* summary; } cases[] = {
        {'R', "B5", "B5", 'B', 4, {4, 7, 2, 6},
         "Top card Blue 5. Colour Blue. Clockwise. Ann's turn. Adam 4 cards, Ruth 7 cards, Ben 2 cards, Ann 6 cards."},
        {'L', "LG", "G*", 'G', 2, {1, 3, 5, 0},
         "Top card Card of Light Grace. Colour Green. Counterclockwise. Ruth's turn. Adam 1 card, Ruth 3 cards, "
         "Ben 5 cards, Ann 0 cards."},
    };
    for (const auto& c : cases) {
        GameState state = FourPlayers({"Adam", "Ruth", "Ben", "Ann"}, {});
        for (int seat = 1; seat <= 4; ++seat)
            for (int k = 0; k < c.cards[static_cast<std::size_t>(seat - 1)]; ++k) state.Players(seat).AddACard("R1");
        state.CurrDirection = c.direction;
        state.ActualCurrCard = c.actual;
        state.CurrCard = c.pile;
        state.CurrColor = c.colour;
        state.CurrTurn = static_cast<std::int16_t>(c.turn);
        EXPECT_EQ(TableSummary(state), c.summary);
    }
    EXPECT_EQ(TableSummary(GameState{}), "No game is in progress.");
    EXPECT_EQ(HandDescription("Ben", 1), "Ben: 1 card");
    EXPECT_EQ(PileDescription(BlankCard), "Discard pile: empty");
}

// F6 goes from the hand to the game log (opening it), on its newest line, and
// back to the hand. T on the table speaks the summary and shows it beside the
// pile; with a window of the game open over the table, T is left to that window.
TEST_F(TableReading, F6AndTOnTheTable)
{
    ShowAndDeal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->CardImages(4) > 0 && !table->HumanFace(1)->isHidden(); }, 5000));
    table->SetTimeScale(1.0); // few of the game's windows open meanwhile, and the game stands still while T is read
    QTextEdit* log = table->GameLog()->View();
    EXPECT_TRUE(log->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    // The table has the keyboard for each key (off screen, a notice can take it).
    const auto key = [&](Qt::Key key) {
        table->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));
        QTest::keyClick(table->focusWidget(), key);
    };
    key(Qt::Key_F6);
    EXPECT_TRUE(table->GameLog()->isVisible());
    EXPECT_EQ(table->focusWidget(), log);
    EXPECT_EQ(log->textCursor().block().text(), table->GameLog()->Lines().last());
    key(Qt::Key_F6);
    EXPECT_TRUE(qobject_cast<cVemoCard*>(table->focusWidget())) << "back on the hand";

    QSignalSpy spy(table->Announcer(), &TableAnnouncer::announced);
    // T tells the turn as the status bar does (a draw owed, say); first the bar says only whose turn it is.
    table->SetStatusText(StatusBar::Bottom, 1, engine->State().Players(engine->State().CurrTurn).Name() + "'s Turn");
    key(Qt::Key_T);
    const QString summary = Str(TableSummary(engine->State()));
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_EQ(spy.last().at(0).toString(), summary);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QString(summary).replace(QStringLiteral(". "), QStringLiteral(".\n")));
    // When the status bar says more of the turn than whose it is, so does T.
    const std::string name = engine->State().Players(engine->State().CurrTurn).Name();
    table->SetStatusText(StatusBar::Bottom, 1, name + " needs to draw 3 cards");
    key(Qt::Key_T);
    const QString said = spy.last().at(0).toString();
    EXPECT_TRUE(said.contains(Str(name + " needs to draw 3 cards. ")) && !said.contains(Str(name + "'s turn."))) << said.toStdString();

    frmPause* pause = Hold();
    ASSERT_NE(pause, nullptr);
    spy.clear();
    QTest::keyClick(pause, Qt::Key_T);
    QTest::keyClick(table.get(), Qt::Key_T);
    EXPECT_TRUE(spy.isEmpty());
}
