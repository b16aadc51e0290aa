// The message window, the speech balloon and the primer, off screen.
#include "TableWindowFixture.h"
#include "Twips.h"
#include "frmCallout.h"
#include "frmPrimer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>

#include <cmath>
#include <vector>

namespace vemo {
namespace {

const QString kLie = QStringLiteral("Your computer (which is overseeing the play of this game) has determined that you "
                                    "have lied! 'Do not lie to each other...' Colossians 3:9  Please tell the truth "
                                    "this time.");

// One window serves every notice and question in turn, each row reading its
// own answer: a notice returns at once and stays modeless, at the question
// height its buttons only hide it; a question is modal to the table until a
// button answers it; the Ok-only warning is readable whole and the next
// question has Yes and No again. Each grows with the table's scale and sits
// in the upper third of the screen.
TEST(frmDialog, NoticesAndQuestionsInTurn)
{
    Owner owner;
    frmDialog dialog(&owner.window);
    // A notice height of 0 asks a question; yes is the Yes button's caption, nullptr without buttons.
    const struct { QString text; int noticeHeight; bool okOnly; double scale; const char* yes; bool no;
                   QPushButton* (frmDialog::*click)() const; const char* answer; } rows[] = {
        {"Ann is going to draw a card and then attempt to play it!", 465, false, 1.0, nullptr, false, nullptr, nullptr},
        {"You have cancelled a Trial card, but must still draw 1 card.", 990, false, 1.0, "&Yes", true, &frmDialog::cmdNo, nullptr},
        {"You have cancelled a Trial card, but must still draw 1 card.", 990, false, 1.8, "&Yes", true, &frmDialog::cmdYes, nullptr},
        {"\"Ann!  Do you have a Grace card?\" - Bob", 0, false, 1.0, "&Yes", true, &frmDialog::cmdYes, "YES"},
        {"Second?", 0, false, 1.8, "&Yes", true, &frmDialog::cmdNo, "NO"},
        {kLie, 0, true, 1.0, "Ok", false, &frmDialog::cmdYes, "OK"},
        {"Do you have a Grace card?", 0, false, 1.0, "&Yes", true, &frmDialog::cmdYes, "YES"},
        {"GOT IT!", 465, false, 1.0, nullptr, false, nullptr, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString() + " " + std::to_string(row.scale));
        dialog.SetScale(row.scale);
        std::vector<QString> answers;
        if (row.noticeHeight) dialog.ShowNotice(row.text, row.noticeHeight);
        else dialog.AskQuestion(row.text, row.okOnly, [&](const QString& answer) { answers.push_back(answer); });
        EXPECT_EQ(dialog.lblMsg()->text(), row.text);
        // The long warning alone grows the window to make room.
        const int height = TwipsToPixels(row.noticeHeight ? row.noticeHeight : 990, row.scale);
        EXPECT_EQ(dialog.width(), TwipsToPixels(5000, row.scale));
        EXPECT_TRUE(row.okOnly ? dialog.height() >= height : dialog.height() == height) << dialog.height();
        EXPECT_EQ(dialog.pos(), frmDialog::UpperCentre(owner.window.screen()->availableGeometry(), dialog.size()));
        EXPECT_EQ(dialog.windowModality(), row.noticeHeight ? Qt::NonModal : Qt::WindowModal);
        EXPECT_EQ(QApplication::activeModalWidget(), row.noticeHeight ? nullptr : &dialog);
        // Shown with its buttons; the call returns before it is answered.
        EXPECT_EQ(std::tuple(dialog.isVisible(), dialog.cmdYes()->isVisible(), dialog.cmdNo()->isVisible(), answers.empty()),
                  std::tuple(true, row.yes != nullptr, row.no, true));
        if (!row.yes) continue;
        EXPECT_EQ(dialog.cmdYes()->text(), QLatin1String(row.yes));
        EXPECT_EQ(dialog.cmdNo()->text(), QStringLiteral("&No"));
        // The message is readable whole above the buttons, inside the window.
        const QLabel* message = dialog.lblMsg();
        const QRect needed = message->fontMetrics().boundingRect(message->contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, message->text());
        EXPECT_LE(needed.height(), message->height());
        EXPECT_LT(message->geometry().bottom(), dialog.cmdYes()->y());
        EXPECT_LE(dialog.cmdYes()->geometry().bottom(), dialog.height());
        if (row.noticeHeight) { // the buttons sit 420 twips from the top, inside the 900-twip inner height
            EXPECT_EQ(dialog.cmdYes()->y(), TwipsToPixels(420, row.scale));
            EXPECT_LE(dialog.cmdYes()->geometry().bottom(), TwipsToPixels(900, row.scale));
        }
        QTest::mouseClick((dialog.*row.click)(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(answers, row.answer ? std::vector<QString>{QLatin1String(row.answer)} : std::vector<QString>{});
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    EXPECT_TRUE(dialog.parentWidget() == &owner.window && dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    // Centred across the work area, its middle a third of the way down.
    EXPECT_EQ(frmDialog::UpperCentre(QRect(0, 0, 1200, 900), QSize(333, 66)), QPoint(433, 267));
    EXPECT_EQ(frmDialog::UpperCentre(QRect(100, 40, 1000, 600), QSize(300, 30)), QPoint(450, 225));

    // The next question asked from inside an answer, as a waiting game does.
    std::vector<QString> chained;
    dialog.AskQuestion(QStringLiteral("Grace?"), false, [&](const QString& answer) {
        chained.push_back(answer);
        dialog.AskQuestion(QStringLiteral("Blessing?"), false, [&](const QString& next) { chained.push_back(next); });
    });
    QTest::mouseClick(dialog.cmdNo(), Qt::LeftButton);
    ASSERT_TRUE(dialog.isVisible()) << "the second question is open";
    EXPECT_EQ(dialog.lblMsg()->text(), QStringLiteral("Blessing?"));
    EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
    QTest::mouseClick(dialog.cmdYes(), Qt::LeftButton);
    EXPECT_EQ(chained, (std::vector<QString>{QStringLiteral("NO"), QStringLiteral("YES")}));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(frmDialog, ClosingAQuestionAnotherWayAnswersEmpty)
{
    Owner owner;
    frmDialog dialog(&owner.window);
    std::vector<QString> answers;
    const auto record = [&](const QString& answer) { answers.push_back(answer); };

    // Escape and the close box leave the question waiting for a button.
    dialog.AskQuestion(QStringLiteral("Escape?"), false, record);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible() && answers.empty());

    // Only the game itself closes a question unanswered.
    dialog.HideDialog();
    dialog.AskQuestion(QStringLiteral("Hidden?"), true, record);
    dialog.HideDialog();
    EXPECT_EQ(answers, (std::vector<QString>{QString(), QString()}));
    EXPECT_EQ(dialog.cmdYes()->text(), QStringLiteral("&Yes")) << "an unanswered Ok-only use resets the buttons";

    // A notice shown over an open question ends the question first.
    dialog.AskQuestion(QStringLiteral("Replaced?"), false, record);
    dialog.ShowNotice(QStringLiteral("Notice"), 465);
    EXPECT_EQ(answers, (std::vector<QString>{QString(), QString(), QString()}));
    EXPECT_EQ(dialog.windowModality(), Qt::NonModal);
}

// The balloon outline as given, points 0 to 39, and the window cut to it.
TEST(frmCallout, TheWindowHasTheFortyPointOutline)
{
    const int expected[40][2] = {
        {32, 4},  {45, 4},  {46, 5},  {53, 5},  {54, 6},  {56, 6},  {57, 7},  {60, 8},  {63, 9},  {66, 10},
        {71, 15}, {72, 18}, {73, 21}, {71, 26}, {66, 31}, {59, 34}, {54, 36}, {51, 37}, {38, 38}, {31, 38},
        {30, 37}, {25, 37}, {24, 38}, {11, 44}, {10, 45}, {9, 44},  {10, 43}, {14, 34}, {14, 33}, {13, 32},
        {12, 32}, {6, 26},  {4, 21},  {5, 18},  {6, 15},  {11, 10}, {14, 9},  {17, 8},  {22, 6},  {25, 5},
    };
    const QPolygon outline = frmCallout::BalloonOutline();
    const QPolygon moved = frmCallout::BalloonOutline(2.0, 0.5, 3, -1);
    ASSERT_TRUE(outline.size() == 40 && moved.size() == 40);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(outline[i], QPoint(expected[i][0], expected[i][1])) << "point " << i;
        EXPECT_EQ(moved[i], QPoint(static_cast<int>(std::lround(expected[i][0] * 2.0)) + 3,
                                   static_cast<int>(std::lround(expected[i][1] * 0.5)) - 1))
            << "point " << i;
    }

    Owner owner;
    frmCallout balloon(&owner.window);
    EXPECT_TRUE(balloon.isWindow() && balloon.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(balloon.mask(), QRegion(outline, Qt::OddEvenFill));
    // The text area lies within the body.
    const QRect text = balloon.lblText()->geometry();
    EXPECT_TRUE(balloon.mask().contains(text.topLeft() + QPoint(2, 2)) && balloon.mask().contains(text.bottomRight() - QPoint(2, 2)));
}

// The call spells the word and ends with the balloon gone, also when the
// balloon was closed early.
TEST(frmCallout, CallSpellsVemoAndEndsWithTheBalloonGone)
{
    Owner owner;
    for (const bool closedEarly : {false, true}) {
        SCOPED_TRACE(closedEarly);
        int doneCalls = 0;
        QElapsedTimer clock;
        clock.start();
        QPointer<frmCallout> balloon = ShowVemoCallout(&owner.window, QPoint(40, 60), 0.01, [&] { ++doneCalls; });
        ASSERT_FALSE(balloon.isNull());
        EXPECT_TRUE(balloon->isVisible() && balloon->pos() == QPoint(40, 60));
        EXPECT_EQ(balloon->lblText()->text(), QStringLiteral("V"));
        EXPECT_EQ(owner.window.findChildren<frmCallout*>().size(), 1);
        EXPECT_EQ(doneCalls, 0) << "the call returns before the animation runs";
        QStringList shown;
        QObject::connect(balloon.data(), &frmCallout::TextChanged, [&](const QString& text) { shown << text; });
        if (closedEarly) delete balloon.data();

        ASSERT_TRUE(QTest::qWaitFor([&] { return doneCalls == 1; }, 5000));
        EXPECT_TRUE(balloon.isNull());
        EXPECT_TRUE(owner.window.findChildren<frmCallout*>().isEmpty());
        if (closedEarly) continue;
        EXPECT_GE(clock.elapsed(), 9); // 900 ms at the time scale
        EXPECT_EQ(shown, (QStringList{QStringLiteral("VE"), QStringLiteral("VEM"), QStringLiteral("VEMO"),
                                      QStringLiteral("VEMO!")}));
    }
}

// The primer's blocks in order, each after an empty line, every break CR LF.
TEST(frmPrimer, TextHasItsBlocksInOrder)
{
    const QString text = frmPrimer::PrimerText();
    EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n"))) << "every break is CR LF";
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.mid(0, 2), QStringList({"An Introduction to the Computerized Vemo Card Game", ""}));
    EXPECT_EQ(lines.mid(lines.size() - 2),
              QStringList({"* Help: Hypertext online help is available.", "* Vemo Primer: This online document."}));
    // Each block's number of items, how some items start and words some hold.
    const struct { QString heading; qsizetype items; std::vector<std::pair<int, QString>> starts, holds; } blocks[] = {
        {"Object:", 1, {{0, "Be the first player to get rid of all of your cards and have the lowest point total at the end of the game."}}, {}},
        {"Scoring:", 11, {{1, "* Devil  50 points"}, {2, "* Sin    25 points"}, {3, "* Temptation 10 points"},
          {4, "* Trial  10 points"}, {5, "* Prayer 5 points"}, {6, "* Ask    5 points"}, {7, "* Grace  5 points"},
          {8, "* Blessing   5 points"}, {9, "* Vemo   0 points"}, {10, "* 1-7    1-7 face value"}},
         {{0, "50, 100, 200 or 500"}, {0, "25 points"}, {0, "lowest total wins"}}},
        {"Game Play:", 8, {{1, "* Each player is dealt 7 cards."}}, {{0, "92 cards"}, {3, "clockwise"}, {6, "a few seconds"}}},
        {"Special Card Instructions:", 10, {{0, "* Cards of Light:"}, {1, "* Blessing:"}, {2, "* Grace:"}, {3, "* Ask:"},
          {4, "* Prayer:"}, {5, "* Vemo:"}, {6, "* Devil:"}, {7, "* Sin:"}, {8, "* Temptation:"}, {9, "* Trial:"}},
         {{6, "draw 4"}, {7, "draw 3"}, {8, "draw 2"}, {9, "draw 2"}}},
        {"Computer Game Info:", 7, {{3, "* Resume Game/Open Game"}, {4, "* Best Scores"}},
         {{0, "Ctrl-D"}, {0, "Options > Draw Card"}, {1, "drag and drop"}, {2, "Ctrl-H"}, {2, "Options > Sort Hand"}}},
    };
    qsizetype previous = 1;
    for (const auto& block : blocks) {
        SCOPED_TRACE(block.heading.toStdString());
        const qsizetype at = lines.indexOf(block.heading);
        ASSERT_GT(at, previous);
        EXPECT_EQ(lines[at - 1], QString()) << "an empty line closes the block before";
        previous = at;
        QStringList items;
        for (qsizetype i = at + 1; i < lines.size() && !lines[i].isEmpty(); ++i) items << lines[i];
        ASSERT_EQ(items.size(), block.items);
        for (const auto& [item, start] : block.starts) EXPECT_TRUE(items[item].startsWith(start)) << item;
        for (const auto& [item, words] : block.holds) EXPECT_TRUE(items[item].contains(words)) << item;
    }
}

// Opened modal over the table; typing changes nothing, the keys scroll, OK closes it.
TEST(frmPrimer, ReadOnlyScrollingAndOkCloses)
{
    Owner owner;
    QPointer<frmPrimer> primer = frmPrimer::ShowPrimer(&owner.window);
    ASSERT_FALSE(primer.isNull());
    EXPECT_EQ(QApplication::activeModalWidget(), primer.data());
    EXPECT_EQ(primer->cmdOK()->text(), QStringLiteral("OK"));
    primer->resize(500, 240);
    QPlainTextEdit* txtHelp = primer->txtHelp();
    txtHelp->setFocus();
    const QString before = txtHelp->toPlainText();
    EXPECT_EQ(before.split(QLatin1Char('\n')).first(), QStringLiteral("An Introduction to the Computerized Vemo Card Game"));

    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClicks(txtHelp, QStringLiteral("hello"));
    const Qt::KeyboardModifier plain = Qt::NoModifier, ctrl = Qt::ControlModifier;
    for (const auto& [key, modifier] : {std::pair{Qt::Key_Backspace, plain}, {Qt::Key_Delete, plain}, {Qt::Key_Return, plain},
                                        {Qt::Key_Space, plain}, {Qt::Key_V, ctrl}, {Qt::Key_A, ctrl}, {Qt::Key_X, ctrl},
                                        {Qt::Key_Delete, plain}, {Qt::Key_Z, ctrl}})
        QTest::keyClick(txtHelp, key, modifier);
    EXPECT_EQ(txtHelp->toPlainText(), before);
    EXPECT_TRUE(primer->isVisible()) << "no key typed into the text closes the primer";

    const int top = txtHelp->verticalScrollBar()->value();
    QTest::keyClick(txtHelp, Qt::Key_PageDown);
    QTest::keyClick(txtHelp, Qt::Key_PageDown);
    EXPECT_GT(txtHelp->verticalScrollBar()->value(), top);
    QTest::keyClick(txtHelp, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(txtHelp->verticalScrollBar()->value(), top);

    QTest::mouseClick(primer->cmdOK(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return primer.isNull(); }, 5000));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace vemo
