// Playing by keyboard, the playable cue and high contrast, through the real
// table window: a whole game by keys alone, the focus frame on the hand, the
// raised cards against ValidCard, both options at once, and the message
// window's keys.
#include "TableWindowFixture.h"

using namespace vemo;

TEST_F(TableWindow, AWholeGameIsPlayedWithTheKeyboardAloneAndTheCueAgreesWithValidCard)
{
    shell.choice.ScoreLimit = 200; // a few hands, so the hand-winner window shows too
    table->MenuAction("mnuOptionsPlayable")->setChecked(true);
    int mouseEvents = 0;
    struct MouseWatch : QObject {
        int& count;
        explicit MouseWatch(int& c) : count(c) { qApp->installEventFilter(this); }
        bool eventFilter(QObject*, QEvent* e) override
        {
            count += e->type() >= QEvent::MouseButtonPress && e->type() <= QEvent::MouseMove;
            return false;
        }
    } watch(mouseEvents);
    Activate();
    TablePlayer player(*table, *engine, TablePlayer::Keyboard);
    ASSERT_TRUE(PlayUntil(player, [&] { return !gameShell.exits.empty(); })) << "the game stalled";

    const GameState& state = engine->State();
    EXPECT_GE(*std::max_element(state.Scores.begin() + 1, state.Scores.end()), state.ScoreLimit);
    EXPECT_EQ(mouseEvents, 0);
    EXPECT_GE(player.counts.handsWon, 1);
    EXPECT_GT(player.counts.plays, 0);
    EXPECT_GT(player.counts.arrows, 0);
    EXPECT_GT(player.counts.choices, 10);
    EXPECT_GT(player.counts.raised, 0);
}

// On the human's turn: the cue stands only while its option is on; Left and
// Right follow the row as it lies on the screen, stop at its ends and bring
// the focused card in front; high contrast changes the faces and the pile at
// once, and back; the frame stays on its card while the card stays (wherever
// sorting puts it), else on the same place, or the end when the hand shrinks.
TEST_F(TableWindow, TheFocusFrameAndBothOptionsOnTheHumansTurn)
{
    const auto set = [&](const char* action, bool on) { table->MenuAction(action)->setChecked(on); };
    const auto focused = [&] { return table->Aids()->FocusedIndex(); };
    set("mnuOptionsPlayable", true);
    Activate();
    TablePlayer player(*table, *engine, TablePlayer::Keyboard);
    ASSERT_TRUE(PlayUntil(player, [&] { return player.ComputersOnTurn() && table->CardImages(4) > 0; }));
    player.CheckRowAtRest();
    ASSERT_TRUE(PlayUntil(player, [&] { return player.AtChoice(); }));
    set("mnuOptionsPlayable", false);
    player.CheckRowAtRest();
    set("mnuOptionsPlayable", true);
    player.CheckCueAtChoice();

    Activate();
    const int count = table->CardImages(4);
    ASSERT_NE(focused(), 0) << "a new game puts the keyboard on the hand";
    auto x = [&] { return table->HumanFace(focused())->x(); };
    int rightmost = 0;
    for (int index = 1; index <= count; ++index) rightmost = std::max(rightmost, table->HumanFace(index)->x());
    for (int step = 0; step <= count; ++step) player.TableKey(Qt::Key_Right);
    EXPECT_EQ(x(), rightmost) << "the right end holds";
    for (int step = 1; step <= count; ++step) {
        const int before = x();
        player.TableKey(Qt::Key_Left);
        cVemoCard* face = table->HumanFace(focused());
        EXPECT_TRUE(step < count ? x() < before : x() == before) << step << ": the left end holds";
        EXPECT_TRUE(face->hasFocus());
        // Its right part, which the card to its right covers in the row.
        QWidget* hit = face->parentWidget()->childAt(face->geometry().center() + QPoint(face->width() / 3, 0));
        EXPECT_TRUE(hit && (hit == face || hit->parentWidget() == face)) << step;
    }

    auto* pileType = table->findChild<QLabel*>(QStringLiteral("lblType"));
    const QFont pileFont = pileType->font();
    cVemoCard* face = table->HumanFace(1);
    const int typePixels = QFontInfo(face->lblCardType->font()).pixelSize();
    const int versePixels = QFontInfo(face->lblCardVerse->font()).pixelSize();
    set("mnuOptionsHighContrast", true);
    for (int index = 1; index <= count; ++index) EXPECT_TRUE(table->HumanFace(index)->HighContrast()) << index;
    EXPECT_GE(QFontInfo(face->lblCardType->font()).pixelSize(), typePixels);
    EXPECT_GT(QFontInfo(face->lblCardVerse->font()).pixelSize(), versePixels);
    EXPECT_EQ(face->lblCardVerse->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_GT(pileType->font().pointSizeF(), pileFont.pointSizeF());
    set("mnuOptionsHighContrast", false);
    EXPECT_FALSE(face->HighContrast());
    EXPECT_EQ(QFontInfo(face->lblCardVerse->font()).pixelSize(), versePixels);
    EXPECT_EQ(pileType->font(), pileFont);

    // From here the row changes through the table's own view calls, with all different cards.
    set("mnuOptionsPlayable", false);
    std::vector<CardCode> hand;
    for (int index = 1; index <= count; ++index) {
        hand.emplace_back("BGPR"[index % 4], char('0' + index % 10));
        table->SetHumanPlayerCard(hand.back(), index);
    }
    ASSERT_GE(hand.size(), 5u);
    auto remove = [&](std::size_t at) {
        table->RemoveHumanCard(hand[at], int(hand.size()));
        hand.erase(hand.begin() + std::ptrdiff_t(at));
        table->ArrangePlayersCards(4, int(hand.size()));
    };
    auto code = [&] { return table->HumanFace(focused())->CardCode().toStdString(); };
    player.FocusWithArrows(2);
    remove(0);
    EXPECT_EQ(code(), hand[0].ToString()) << "another card went: the frame stays on its card";
    player.FocusWithArrows(2);
    remove(1);
    EXPECT_EQ(focused(), 2) << "the focused card went: its place keeps the frame";
    EXPECT_EQ(table->focusWidget(), table->HumanFace(2));
    player.FocusWithArrows(int(hand.size()));
    remove(hand.size() - 1);
    EXPECT_EQ(focused(), int(hand.size())) << "the left end went: the new left end";
    player.FocusWithArrows(1);
    std::reverse(hand.begin(), hand.end());
    for (std::size_t i = 0; i < hand.size(); ++i) table->SetHumanPlayerCard(hand[i], int(i) + 1);
    EXPECT_EQ(code(), hand.back().ToString()) << "sorted: the frame went with its card";
}

// Y and N answer only a Yes/No question (the whole game uses them): not an
// Ok-only one, nor a notice.
TEST(KeyboardWindows, YAndNAnswerOnlyAYesNoQuestion)
{
    QWidget owner;
    owner.show();
    frmDialog dialog(&owner);
    QStringList answers;
    dialog.AskQuestion("You have won!", true, [&](const QString& a) { answers << a; });
    for (Qt::Key key : {Qt::Key_N, Qt::Key_Y, Qt::Key_Return}) TablePlayer::KeyTo(&dialog, key);
    EXPECT_EQ(answers, QStringList{"OK"});
    dialog.ShowNotice("You must still draw 1 card.", frmDialog::kQuestionHeightTwips);
    TablePlayer::KeyTo(&dialog, Qt::Key_Y);
    EXPECT_TRUE(dialog.isVisible()) << "a notice is no question";
}

TEST(KeyboardWindows, TheFocusFrameShowsADarkAndALightRingOnEveryCardColour)
{
    for (const char* code : {"B5", "G5", "P5", "R5", "LV"}) {
        QWidget window;
        auto* card = new cVemoCard(&window);
        card->Fill(CardCode(code), 0x808080, QString(), QString());
        window.show();
        window.windowHandle()->requestActivate();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 5000));
        const QImage plain = card->grab().toImage();
        card->setFocus();
        const QImage framed = card->grab().toImage();
        int changed = 0, dark = 0, light = 0;
        for (int y = 0, x = framed.width() / 2; y < 8; ++y) { // down from the middle of the top edge
            changed += framed.pixel(x, y) != plain.pixel(x, y);
            dark += qGray(framed.pixel(x, y)) < 50;
            light += qGray(framed.pixel(x, y)) > 215;
        }
        EXPECT_TRUE(changed >= 4 && dark >= 2 && light >= 1) << code << ": " << changed << dark << light;
        card->clearFocus();
        EXPECT_EQ(card->grab().toImage(), plain) << code << ": the frame goes with the focus";
    }
}
