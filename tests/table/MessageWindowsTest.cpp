// The message window, the speech balloon and the primer, off screen.
#include "Twips.h"
#include "frmCallout.h"
#include "frmDialog.h"
#include "frmPrimer.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace vemo {
namespace {

// A shown table window for the message windows to belong to.
std::unique_ptr<QWidget> MakeTable()
{
    auto table = std::make_unique<QWidget>();
    table->resize(640, 480);
    table->show();
    return table;
}

// Records every answer the window gives.
struct Answers {
    std::vector<QString> given;
    std::function<void(const QString&)> Recorder()
    {
        return [this](const QString& answer) { given.push_back(answer); };
    }
};

TEST(frmDialog, NoticeShowsTheMessageAloneAndReturnsAtOnce)
{
    auto table = MakeTable();
    frmDialog dialog(table.get());
    dialog.ShowNotice(QStringLiteral("Ann is going to draw a card and then attempt to play it!"), 465);

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.height(), TwipsToPixels(465));
    EXPECT_EQ(dialog.width(), TwipsToPixels(5000));
    EXPECT_FALSE(dialog.cmdYes()->isVisible());
    EXPECT_FALSE(dialog.cmdNo()->isVisible());
    EXPECT_EQ(dialog.lblMsg()->text(), QStringLiteral("Ann is going to draw a card and then attempt to play it!"));
    EXPECT_TRUE(dialog.lblMsg()->wordWrap());
    EXPECT_EQ(dialog.windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(dialog.parentWidget(), table.get());
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(dialog.HelpContextID(), 20);

    dialog.HideDialog();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(frmDialog, NoticeAtQuestionHeightShowsButtonsThatOnlyHide)
{
    auto table = MakeTable();
    frmDialog dialog(table.get());
    for (double scale : {1.0, 1.8}) { // at the start size, and grown with the table
        SCOPED_TRACE(scale);
        dialog.SetScale(scale);
        dialog.ShowNotice(QStringLiteral("You have cancelled a Trial card, but must still draw 1 card."), 990);

        EXPECT_EQ(dialog.size(), QSize(TwipsToPixels(5000, scale), TwipsToPixels(990, scale)));
        EXPECT_TRUE(dialog.cmdYes()->isVisible());
        EXPECT_TRUE(dialog.cmdNo()->isVisible());
        EXPECT_EQ(dialog.windowModality(), Qt::NonModal);
        // The buttons sit 420 twips from the top, inside the 900-twip inner height.
        EXPECT_EQ(dialog.cmdYes()->y(), TwipsToPixels(420, scale));
        EXPECT_LE(dialog.cmdYes()->geometry().bottom(), TwipsToPixels(900, scale));
        EXPECT_LT(dialog.lblMsg()->geometry().bottom(), dialog.cmdYes()->y());

        QTest::mouseClick(dialog.cmdNo(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(frmDialog, QuestionIsModalToTheTableAndShowsYesAndNo)
{
    auto table = MakeTable();
    frmDialog dialog(table.get());
    Answers answers;
    dialog.AskQuestion(QStringLiteral("\"Ann!  Do you have a Grace card?\" - Bob"), false, answers.Recorder());

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
    EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
    EXPECT_EQ(dialog.height(), TwipsToPixels(990));
    EXPECT_TRUE(dialog.cmdYes()->isVisible());
    EXPECT_TRUE(dialog.cmdNo()->isVisible());
    EXPECT_EQ(dialog.cmdYes()->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(dialog.cmdNo()->text(), QStringLiteral("&No"));
    EXPECT_TRUE(answers.given.empty()) << "the question returns before it is answered";

    QTest::mouseClick(dialog.cmdYes(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(answers.given.size(), 1U);
    EXPECT_EQ(answers.given[0], QStringLiteral("YES"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // A notice after the question is modeless again.
    dialog.ShowNotice(QStringLiteral("GOT IT!"), 465);
    EXPECT_EQ(dialog.windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(frmDialog, TwoQuestionsInARowEachReadTheirOwnAnswer)
{
    auto table = MakeTable();
    frmDialog dialog(table.get());
    Answers first;
    Answers second;

    dialog.AskQuestion(QStringLiteral("First?"), false, first.Recorder());
    QTest::mouseClick(dialog.cmdYes(), Qt::LeftButton);
    dialog.AskQuestion(QStringLiteral("Second?"), false, second.Recorder());
    EXPECT_TRUE(second.given.empty());
    QTest::mouseClick(dialog.cmdNo(), Qt::LeftButton);

    EXPECT_EQ(first.given, std::vector<QString>{QStringLiteral("YES")});
    EXPECT_EQ(second.given, std::vector<QString>{QStringLiteral("NO")});

    // The next question asked from inside an answer, as a waiting game does.
    std::vector<QString> chained;
    dialog.AskQuestion(QStringLiteral("Grace?"), false, [&](const QString& answer) {
        chained.push_back(answer);
        dialog.AskQuestion(QStringLiteral("Blessing?"), false,
                           [&](const QString& next) { chained.push_back(next); });
    });
    QTest::mouseClick(dialog.cmdNo(), Qt::LeftButton);
    ASSERT_TRUE(dialog.isVisible()) << "the second question is open";
    EXPECT_EQ(dialog.lblMsg()->text(), QStringLiteral("Blessing?"));
    EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
    QTest::mouseClick(dialog.cmdYes(), Qt::LeftButton);
    EXPECT_EQ(chained, (std::vector<QString>{QStringLiteral("NO"), QStringLiteral("YES")}));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(frmDialog, OkOnlyQuestionThenButtonsAreYesAndNoAgain)
{
    auto table = MakeTable();
    frmDialog dialog(table.get());
    Answers answers;
    dialog.AskQuestion(QStringLiteral("Your computer (which is overseeing the play of this game) has determined that "
                                      "you have lied! 'Do not lie to each other...' Colossians 3:9  Please tell the "
                                      "truth this time."),
                       true, answers.Recorder());

    // The long warning is readable whole: the buttons and the bottom edge make room.
    const QLabel* message = dialog.lblMsg();
    const QRect needed = message->fontMetrics().boundingRect(message->contentsRect(), Qt::AlignCenter | Qt::TextWordWrap,
                                                             message->text());
    EXPECT_LE(needed.height(), message->height());
    EXPECT_GT(dialog.cmdYes()->y(), message->geometry().bottom());
    EXPECT_LE(dialog.cmdYes()->geometry().bottom(), dialog.height());
    EXPECT_TRUE(dialog.cmdYes()->isVisible());
    EXPECT_EQ(dialog.cmdYes()->text(), QStringLiteral("Ok"));
    EXPECT_FALSE(dialog.cmdNo()->isVisible());
    QTest::mouseClick(dialog.cmdYes(), Qt::LeftButton);
    EXPECT_EQ(answers.given, std::vector<QString>{QStringLiteral("OK")});

    EXPECT_EQ(dialog.cmdYes()->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(dialog.cmdNo()->text(), QStringLiteral("&No"));
    dialog.AskQuestion(QStringLiteral("Do you have a Grace card?"), false, answers.Recorder());
    EXPECT_TRUE(dialog.cmdYes()->isVisible());
    EXPECT_TRUE(dialog.cmdNo()->isVisible());
    EXPECT_EQ(dialog.cmdYes()->text(), QStringLiteral("&Yes"));
    QTest::mouseClick(dialog.cmdYes(), Qt::LeftButton);
    EXPECT_EQ(answers.given.back(), QStringLiteral("YES"));
}

TEST(frmDialog, ClosingAQuestionAnotherWayAnswersEmpty)
{
    auto table = MakeTable();
    frmDialog dialog(table.get());
    Answers answers;

    // Escape and the close box leave the question waiting for a button.
    dialog.AskQuestion(QStringLiteral("Escape?"), false, answers.Recorder());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(answers.given.empty());

    // Only the game itself closes a question unanswered.
    dialog.HideDialog();
    dialog.AskQuestion(QStringLiteral("Hidden?"), true, answers.Recorder());
    dialog.HideDialog();
    EXPECT_EQ(answers.given, (std::vector<QString>{QString(), QString()}));
    EXPECT_EQ(dialog.cmdYes()->text(), QStringLiteral("&Yes")) << "an unanswered Ok-only use resets the buttons";

    // A notice shown over an open question ends the question first.
    dialog.AskQuestion(QStringLiteral("Replaced?"), false, answers.Recorder());
    dialog.ShowNotice(QStringLiteral("Notice"), 465);
    EXPECT_EQ(answers.given.size(), 3U);
    EXPECT_EQ(answers.given.back(), QString());
    EXPECT_EQ(dialog.windowModality(), Qt::NonModal);
}

TEST(frmDialog, SitsCentredInTheUpperThirdOfTheScreen)
{
    EXPECT_EQ(frmDialog::UpperCentre(QRect(0, 0, 1200, 900), QSize(333, 66)), QPoint(433, 267));
    EXPECT_EQ(frmDialog::UpperCentre(QRect(100, 40, 1000, 600), QSize(300, 30)), QPoint(450, 225));

    auto table = MakeTable();
    frmDialog dialog(table.get());
    dialog.ShowNotice(QStringLiteral("Where am I?"), 465);
    const QRect workArea = table->screen()->availableGeometry();
    EXPECT_EQ(dialog.pos(), frmDialog::UpperCentre(workArea, dialog.size()));
    dialog.AskQuestion(QStringLiteral("And now?"), false, [](const QString&) {});
    EXPECT_EQ(dialog.pos(), frmDialog::UpperCentre(workArea, dialog.size()));
    dialog.HideDialog();
}

// The balloon outline as given, points 0 to 39.
constexpr std::array<std::array<int, 2>, 40> kExpectedOutline{{
    {32, 4},  {45, 4},  {46, 5},  {53, 5},  {54, 6},  {56, 6},  {57, 7},  {60, 8},  {63, 9},  {66, 10},
    {71, 15}, {72, 18}, {73, 21}, {71, 26}, {66, 31}, {59, 34}, {54, 36}, {51, 37}, {38, 38}, {31, 38},
    {30, 37}, {25, 37}, {24, 38}, {11, 44}, {10, 45}, {9, 44},  {10, 43}, {14, 34}, {14, 33}, {13, 32},
    {12, 32}, {6, 26},  {4, 21},  {5, 18},  {6, 15},  {11, 10}, {14, 9},  {17, 8},  {22, 6},  {25, 5},
}};

TEST(frmCallout, OutlineHasTheFortyPointsInOrder)
{
    const QPolygon outline = frmCallout::BalloonOutline();
    ASSERT_EQ(outline.size(), 40);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(outline[i], QPoint(kExpectedOutline[i][0], kExpectedOutline[i][1])) << "point " << i;
    }

    const QPolygon moved = frmCallout::BalloonOutline(2.0, 0.5, 3, -1);
    ASSERT_EQ(moved.size(), 40);
    for (int i = 0; i < 40; ++i) {
        const QPoint expected(static_cast<int>(std::lround(kExpectedOutline[i][0] * 2.0)) + 3,
                              static_cast<int>(std::lround(kExpectedOutline[i][1] * 0.5)) - 1);
        EXPECT_EQ(moved[i], expected) << "point " << i;
    }
}

TEST(frmCallout, WindowIsShapedLikeTheBalloon)
{
    auto table = MakeTable();
    frmCallout balloon(table.get());
    EXPECT_TRUE(balloon.isWindow());
    EXPECT_TRUE(balloon.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(balloon.mask(), QRegion(frmCallout::BalloonOutline(), Qt::OddEvenFill));
    EXPECT_GE(balloon.width(), 74);
    EXPECT_GE(balloon.height(), 46);

    const QRegion shape = balloon.mask();
    EXPECT_TRUE(shape.contains(QPoint(38, 21))) << "body centre";
    EXPECT_TRUE(shape.contains(QPoint(14, 40))) << "inside the tail";
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(30, 43))) << "right of the tail";
    EXPECT_FALSE(shape.contains(QPoint(60, 42))) << "below the body, right of the tail";
    EXPECT_FALSE(shape.contains(QPoint(76, 4)));

    // The text area lies within the body.
    const QRect text = balloon.lblText()->geometry();
    EXPECT_TRUE(shape.contains(text.topLeft() + QPoint(2, 2)));
    EXPECT_TRUE(shape.contains(text.bottomRight() - QPoint(2, 2)));
}

TEST(frmCallout, CallSpellsVemoAndEndsWithTheBalloonGone)
{
    auto table = MakeTable();
    constexpr double kTimeScale = 0.01;
    int doneCalls = 0;
    QElapsedTimer clock;
    clock.start();
    QPointer<frmCallout> balloon = ShowVemoCallout(table.get(), QPoint(40, 60), kTimeScale, [&] { ++doneCalls; });

    ASSERT_FALSE(balloon.isNull());
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_EQ(balloon->pos(), QPoint(40, 60));
    EXPECT_EQ(balloon->lblText()->text(), QStringLiteral("V"));
    EXPECT_EQ(table->findChildren<frmCallout*>().size(), 1);
    QStringList shown;
    QObject::connect(balloon.data(), &frmCallout::TextChanged, [&](const QString& text) { shown << text; });
    EXPECT_EQ(doneCalls, 0) << "the call returns before the animation runs";

    ASSERT_TRUE(QTest::qWaitFor([&] { return doneCalls == 1; }, 5000));
    EXPECT_GE(clock.elapsed(), static_cast<qint64>(900 * kTimeScale));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("VE"), QStringLiteral("VEM"), QStringLiteral("VEMO"),
                                  QStringLiteral("VEMO!")}));
    EXPECT_TRUE(balloon.isNull());
    EXPECT_TRUE(table->findChildren<frmCallout*>().isEmpty());

    QTest::qWait(20);
    EXPECT_EQ(doneCalls, 1);
}

TEST(frmCallout, CallEndsEvenWhenTheBalloonWasClosedEarly)
{
    auto table = MakeTable();
    bool done = false;
    QPointer<frmCallout> balloon = ShowVemoCallout(table.get(), QPoint(0, 0), 0.01, [&] { done = true; });
    delete balloon.data();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
}

QStringList PrimerLines()
{
    return frmPrimer::PrimerText().split(QStringLiteral("\r\n"));
}

TEST(frmPrimer, TextHasTheItemsInOrderSeparatedByCrLf)
{
    const QString text = frmPrimer::PrimerText();
    EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n"))) << "every break is CR LF";
    const QStringList lines = PrimerLines();
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(lines[0], QStringLiteral("An Introduction to the Computerized Vemo Card Game"));
    EXPECT_EQ(lines[1], QString());

    const QStringList headings{QStringLiteral("Object:"), QStringLiteral("Scoring:"), QStringLiteral("Game Play:"),
                               QStringLiteral("Special Card Instructions:"), QStringLiteral("Computer Game Info:")};
    qsizetype previous = 1;
    for (const QString& heading : headings) {
        const qsizetype at = lines.indexOf(heading);
        ASSERT_GT(at, previous) << heading.toStdString();
        EXPECT_EQ(lines[at - 1], QString()) << "an empty line closes the block before " << heading.toStdString();
        EXPECT_FALSE(lines[at + 1].isEmpty());
        previous = at;
    }
    EXPECT_EQ(lines[lines.indexOf(QStringLiteral("Object:")) + 1],
              QStringLiteral("Be the first player to get rid of all of your cards and have the lowest point total at "
                             "the end of the game."));
    EXPECT_EQ(lines.last(), QStringLiteral("* Vemo Primer: This online document."));
    EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("* Help: Hypertext online help is available."));
}

TEST(frmPrimer, ScoringListLinesAreExact)
{
    const QStringList lines = PrimerLines();
    const QStringList expected{
        QStringLiteral("* Devil  50 points"),     QStringLiteral("* Sin    25 points"),
        QStringLiteral("* Temptation 10 points"), QStringLiteral("* Trial  10 points"),
        QStringLiteral("* Prayer 5 points"),      QStringLiteral("* Ask    5 points"),
        QStringLiteral("* Grace  5 points"),      QStringLiteral("* Blessing   5 points"),
        QStringLiteral("* Vemo   0 points"),      QStringLiteral("* 1-7    1-7 face value"),
    };
    const qsizetype scoring = lines.indexOf(QStringLiteral("Scoring:"));
    ASSERT_GE(scoring, 0);
    // The heading, the paragraph, then the list and the empty line.
    const QString paragraph = lines[scoring + 1];
    for (const char* limit : {"50", "100", "200", "500", "25 points"})
        EXPECT_TRUE(paragraph.contains(QString::fromLatin1(limit))) << limit;
    EXPECT_TRUE(paragraph.contains(QStringLiteral("lowest total wins")));
    EXPECT_EQ(lines.mid(scoring + 2, expected.size()), expected);
    EXPECT_EQ(lines[scoring + 2 + expected.size()], QString());
}

TEST(frmPrimer, BulletsOfGamePlaySpecialCardsAndComputerInfo)
{
    const QStringList lines = PrimerLines();
    auto block = [&](const QString& heading) {
        QStringList items;
        for (qsizetype i = lines.indexOf(heading) + 1; i < lines.size() && !lines[i].isEmpty(); ++i)
            items << lines[i];
        return items;
    };

    const QStringList play = block(QStringLiteral("Game Play:"));
    ASSERT_GE(play.size(), 7);
    EXPECT_TRUE(play[0].contains(QStringLiteral("92 cards")));
    EXPECT_EQ(play[1], QStringLiteral("* Each player is dealt 7 cards."));
    EXPECT_TRUE(play.join(QLatin1Char(' ')).contains(QStringLiteral("a few seconds")));
    EXPECT_TRUE(play.join(QLatin1Char(' ')).contains(QStringLiteral("clockwise")));

    const QStringList special = block(QStringLiteral("Special Card Instructions:"));
    const QStringList kinds{QStringLiteral("* Cards of Light"), QStringLiteral("* Blessing"), QStringLiteral("* Grace"),
                            QStringLiteral("* Ask"),            QStringLiteral("* Prayer"),   QStringLiteral("* Vemo"),
                            QStringLiteral("* Devil"),          QStringLiteral("* Sin"),      QStringLiteral("* Temptation"),
                            QStringLiteral("* Trial")};
    ASSERT_EQ(special.size(), kinds.size());
    for (qsizetype i = 0; i < kinds.size(); ++i)
        EXPECT_TRUE(special[i].startsWith(kinds[i] + QLatin1Char(':'))) << special[i].toStdString();
    EXPECT_TRUE(special[6].contains(QStringLiteral("draw 4")));
    EXPECT_TRUE(special[7].contains(QStringLiteral("draw 3")));
    EXPECT_TRUE(special[8].contains(QStringLiteral("draw 2")));
    EXPECT_TRUE(special[9].contains(QStringLiteral("draw 2")));

    const QStringList info = block(QStringLiteral("Computer Game Info:"));
    ASSERT_EQ(info.size(), 7);
    EXPECT_TRUE(info[0].contains(QStringLiteral("Ctrl-D")) && info[0].contains(QStringLiteral("Options > Draw Card")));
    EXPECT_TRUE(info[1].contains(QStringLiteral("drag and drop")));
    EXPECT_TRUE(info[2].contains(QStringLiteral("Ctrl-H")) && info[2].contains(QStringLiteral("Options > Sort Hand")));
    EXPECT_TRUE(info[3].startsWith(QStringLiteral("* Resume Game/Open Game")));
    EXPECT_TRUE(info[4].startsWith(QStringLiteral("* Best Scores")));
}

TEST(frmPrimer, TypingChangesNothingButScrollingWorks)
{
    auto table = MakeTable();
    frmPrimer primer(table.get());
    primer.resize(500, 240);
    primer.show();
    QPlainTextEdit* txtHelp = primer.txtHelp();
    txtHelp->setFocus();
    EXPECT_TRUE(txtHelp->isReadOnly());
    const QString before = txtHelp->toPlainText();
    ASSERT_FALSE(before.isEmpty());

    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClicks(txtHelp, QStringLiteral("hello"));
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Space})
        QTest::keyClick(txtHelp, key);
    QTest::keyClick(txtHelp, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(txtHelp, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(txtHelp, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(txtHelp, Qt::Key_Delete);
    QTest::keyClick(txtHelp, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(txtHelp->toPlainText(), before);
    EXPECT_TRUE(primer.isVisible()) << "no key typed into the text closes the primer";

    const int top = txtHelp->verticalScrollBar()->value();
    QTest::keyClick(txtHelp, Qt::Key_PageDown);
    QTest::keyClick(txtHelp, Qt::Key_PageDown);
    EXPECT_GT(txtHelp->verticalScrollBar()->value(), top);
    QTest::keyClick(txtHelp, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(txtHelp->verticalScrollBar()->value(), top);
}

TEST(frmPrimer, OpensModalAndOkClosesIt)
{
    auto table = MakeTable();
    QPointer<frmPrimer> primer = frmPrimer::ShowPrimer(table.get());
    ASSERT_FALSE(primer.isNull());
    EXPECT_TRUE(primer->isVisible());
    EXPECT_TRUE(primer->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), primer.data());
    EXPECT_EQ(primer->cmdOK()->text(), QStringLiteral("OK"));
    EXPECT_EQ(primer->txtHelp()->toPlainText().split(QLatin1Char('\n')).first(),
              QStringLiteral("An Introduction to the Computerized Vemo Card Game"));

    QTest::mouseClick(primer->cmdOK(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return primer.isNull(); }, 5000));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace vemo
